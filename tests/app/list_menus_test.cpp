#include "app/core/module1.h"
#include "app/gui/list_menus.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

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
