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
    const QString letters = elsewhere.filePath(u"vemocv.mdb"_s);
    const QString beside = elsewhere.filePath(u"vemotk.mdb"_s);
    test::copyTemplate(letters);
    test::copyTemplate(beside).execute(
        u"INSERT INTO noigui (tendonvi, chutat, matt) VALUES ('Sở Nội vụ', 'snv', 'snv')"_s);
    home.writeSysmem({.letters = letters});
    ASSERT_EQ(home.start(), app::StartupOutcome::Ready) << home.messageText();

    const app::Module1& m = app::module1();
    for (const char* table : {"noigui", "loaicv", "tendonvi"})
        EXPECT_EQ(app::referenceFilePath(app::module1(), QString::fromLatin1(table)), beside) << table;
    for (const char* table : {"donvi", "bophan", "nguoidung"})
        EXPECT_EQ(app::referenceFilePath(app::module1(), QString::fromLatin1(table)), m.scheduleReferencePath) << table;
    EXPECT_EQ(app::referenceFilePath(app::module1(), u"chutat"_s), m.referencePath);
    EXPECT_NE(m.scheduleReferencePath, beside);

    EXPECT_TRUE(names(m.correspondents, u"tendonvi"_s).contains(u"Sở Nội vụ"_s));
    db::Database schedule = m.scheduleReference;
    db::Recordset local = schedule.openRecordset(u"select * from noigui"_s, db::RecordsetType::Snapshot);
    EXPECT_FALSE(names(local, u"tendonvi"_s).contains(u"Sở Nội vụ"_s));
}

TEST(ReferenceTablesTest, UnknownTableIsRefused)
{
    EXPECT_THROW(app::referenceFileOf(u"cvden2009"_s), std::invalid_argument);
    EXPECT_EQ(app::referenceFileOf(u"CHUTAT"_s), app::ReferenceFile::Local);
}

} // namespace
