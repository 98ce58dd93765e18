#include "app/core/module1.h"
#include "app/core/reference_tables.h"
#include "startup_fixture.h"
#include "table_rows.h"
#include "template_file.h"

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
    QStringList files;
    for (const char* table : {"noigui", "loaicv", "tendonvi", "donvi", "bophan", "nguoidung", "chutat"})
        files << app::referenceFilePath(app::module1(), QString::fromLatin1(table));
    const QString schedule = m.scheduleReferencePath;
    EXPECT_EQ(files, (QStringList{beside, beside, beside, schedule, schedule, schedule, m.referencePath}));
    EXPECT_NE(m.scheduleReferencePath, beside);

    EXPECT_TRUE(names(m.correspondents, u"tendonvi"_s).contains(u"Sở Nội vụ"_s));
    db::Database local = m.scheduleReference;
    EXPECT_FALSE(test::columnValues(local, u"noigui"_s, u"tendonvi"_s).contains(u"Sở Nội vụ"_s));
    // A table that is no reference list is refused; the names are in any letter case.
    EXPECT_THROW(app::referenceFileOf(u"cvden2009"_s), std::invalid_argument);
    EXPECT_EQ(app::referenceFileOf(u"CHUTAT"_s), app::ReferenceFile::Local);
}

} // namespace
