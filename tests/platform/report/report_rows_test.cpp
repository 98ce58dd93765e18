// Reading a report's rows from its source: names from the report file are quoted through the
// database layer, so a source holding "]" or "%1" is read as itself.
#include "platform/db/database.h"
#include "platform/db/sql_quote.h"
#include "platform/report/report_rows.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace report;

TEST(ReportRows, SourceNamesWithBracketsAndPercentSignsAreQuoted)
{
    QTemporaryDir dir;
    db::Database database = db::Database::create(dir.filePath(u"vemotemp.mdb"_s), u"pw"_s);
    for (const QString& source : {u"in]cvden"_s, u"in [%1] %2"_s, u"x]]"_s}) {
        SCOPED_TRACE(source.toStdString());
        db::TableDef t;
        t.name = source;
        t.fields = {{u"stt"_s, db::FieldType::Long}, {u"noidung"_s, db::FieldType::Text, 50}};
        database.appendTableDef(t);
        for (int i : {3, 1, 2}) {
            database.execute(u"INSERT INTO "_s + db::quoteJetName(source) + u" VALUES ("_s + QString::number(i) +
                             u", 'dòng "_s + QString::number(i) + u"')"_s);
        }
        const ReportFile file = ReportFile::parse(
            u"[report]\nsource = "_s + source + u"\norder = stt\n[columns]\nnoidung | Nội dung | 1\n"_s, u"test.rpt"_s);
        const QList<ReportRow> rows = loadReportRows(file, database);
        ASSERT_EQ(rows.size(), 3);
        EXPECT_EQ(rows[0].cells, QStringList{u"dòng 1"_s});
        EXPECT_EQ(rows[2].cells, QStringList{u"dòng 3"_s});
    }
}
