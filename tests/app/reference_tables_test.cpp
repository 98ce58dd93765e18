#include "app/core/module1.h"
#include "app/core/reference_tables.h"
#include "startup_fixture.h"
#include "template_file.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QStringList names(db::Recordset rs, const QString& column)
{
    QStringList result;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        result << rs.value(column).toString();
    return result;
}

TEST(ReferenceTablesTest, MovedLettersFileBringsItsOwnCorrespondentsTypesAndOrganisation)
{
    ProgramFolder home;
    QTemporaryDir elsewhere;
    const QString letters = elsewhere.filePath(QStringLiteral("vemocv.mdb"));
    const QString beside = elsewhere.filePath(QStringLiteral("vemotk.mdb"));
    test::copyTemplate(letters);
    test::copyTemplate(beside).execute(
        QStringLiteral("INSERT INTO noigui (tendonvi, chutat, matt) VALUES ('Sở Nội vụ', 'snv', 'snv')"));
    home.writeSysmem({.letters = letters});
    ASSERT_EQ(home.start(), app::StartupOutcome::Ready) << home.messageText();

    const app::Module1& m = app::module1();
    for (const char* table : {"noigui", "loaicv", "tendonvi"})
        EXPECT_EQ(app::referenceFilePath(app::module1(), QString::fromLatin1(table)), beside) << table;
    for (const char* table : {"donvi", "bophan", "nguoidung"})
        EXPECT_EQ(app::referenceFilePath(app::module1(), QString::fromLatin1(table)), m.scheduleReferencePath) << table;
    EXPECT_EQ(app::referenceFilePath(app::module1(), QStringLiteral("chutat")), m.referencePath);
    EXPECT_NE(m.scheduleReferencePath, beside);

    EXPECT_TRUE(names(m.correspondents, QStringLiteral("tendonvi")).contains(QStringLiteral("Sở Nội vụ")));
    db::Database schedule = m.scheduleReference;
    db::Recordset local = schedule.openRecordset(QStringLiteral("select * from noigui"), db::RecordsetType::Snapshot);
    EXPECT_FALSE(names(local, QStringLiteral("tendonvi")).contains(QStringLiteral("Sở Nội vụ")));
}

TEST(ReferenceTablesTest, UnknownTableIsRefused)
{
    EXPECT_THROW(app::referenceFileOf(QStringLiteral("cvden2009")), std::invalid_argument);
    EXPECT_EQ(app::referenceFileOf(QStringLiteral("CHUTAT")), app::ReferenceFile::Local);
}

} // namespace
