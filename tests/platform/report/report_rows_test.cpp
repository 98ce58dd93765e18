// Reading a report's rows from its source: names from the report file are quoted through the
// database layer, so a source holding "]" or "%1" is read as itself.
#include "platform/db/database.h"
#include "platform/db/sql_quote.h"
#include "platform/report/report_rows.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;

TEST(ReportRows, SourceNamesWithBracketsAndPercentSignsAreQuoted)
{
    QTemporaryDir dir;
    db::Database database = db::Database::create(dir.filePath(QStringLiteral("vemotemp.mdb")), QStringLiteral("pw"));
    for (const QString& source : {QStringLiteral("in]cvden"), QStringLiteral("in [%1] %2"), QStringLiteral("x]]")}) {
        SCOPED_TRACE(source.toStdString());
        db::TableDef t;
        t.name = source;
        t.fields = {{QStringLiteral("stt"), db::FieldType::Long}, {QStringLiteral("noidung"), db::FieldType::Text, 50}};
        database.appendTableDef(t);
        for (int i : {3, 1, 2}) {
            database.execute(QStringLiteral("INSERT INTO ") + db::quoteJetName(source) + QStringLiteral(" VALUES (") +
                             QString::number(i) + QStringLiteral(", 'dòng ") + QString::number(i) +
                             QStringLiteral("')"));
        }
        const ReportFile file =
            ReportFile::parse(QStringLiteral("[report]\nsource = ") + source +
                                  QStringLiteral("\norder = stt\n[columns]\nnoidung | Nội dung | 1\n"),
                              QStringLiteral("test.rpt"));
        const QList<ReportRow> rows = loadReportRows(file, database);
        ASSERT_EQ(rows.size(), 3);
        EXPECT_EQ(rows[0].cells, QStringList{QStringLiteral("dòng 1")});
        EXPECT_EQ(rows[2].cells, QStringList{QStringLiteral("dòng 3")});
    }
}
