#include "app/core/module1.h"
#include "app/core/reference_tables.h"
#include "app/gui/list_menus.h"
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

class ListMenusTest : public ::testing::Test
{
protected:
    void SetUp() override { app::resetModule1(); }
    void TearDown() override { app::resetModule1(); }
};

// Each list names the reference file it edits; its form works on the program's connection to it.
struct ListFile
{
    const char* menu;
    app::DataFile file;
    db::Database app::Module1::*database;
};

TEST_F(ListMenusTest, ListMenusNameTheirReferenceFile)
{
    app::Module1& m = app::module1();
    m.referencePath = u"/srv/data/vemotk.MDB"_s;
    m.lettersReferencePath = u"/srv/cv/vemotk.mdb"_s;
    m.scheduleReferencePath = u"/srv/lich/vemotk.mdb"_s;
    using M = app::Module1;
    using F = app::DataFile;
    for (const ListFile& c : {ListFile{"mnunapdonvi", F::ScheduleReference, &M::scheduleReference},
                              ListFile{"mnunapbophan", F::ScheduleReference, &M::scheduleReference},
                              ListFile{"mnunguoidung", F::ScheduleReference, &M::scheduleReference},
                              ListFile{"mnunapnoigui", F::LettersReference, &M::lettersReference},
                              ListFile{"mnunaploaicv", F::LettersReference, &M::lettersReference},
                              ListFile{"mnutendonvi", F::LettersReference, &M::lettersReference},
                              ListFile{"mnunapchutat", F::Reference, &M::reference}}) {
        const app::FormRequest r = app::listMenuRequest(m, QString::fromLatin1(c.menu), u"QT"_s);
        EXPECT_EQ(std::tuple(r.dataFile, r.databasePath(), &m.database(c.file)),
                  std::tuple(c.file, m.path(c.file), &(m.*c.database)))
            << c.menu;
    }
    EXPECT_EQ(std::tuple(&m.database(F::Letters), &m.database(F::Schedule), &m.database(F::Scratch)),
              std::tuple(&m.letters, &m.schedule, &m.scratch));
    EXPECT_EQ(m.path(F::None), QString());
    EXPECT_FALSE(m.database(F::None).isOpen());
}

} // namespace
