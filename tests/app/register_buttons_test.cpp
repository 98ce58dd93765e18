#include "app/core/module1.h"
#include "app/gui/list_menus.h"
#include "app/gui/register_buttons.h"

#include <gtest/gtest.h>

namespace {

class RegisterRequestTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app::resetModule1();
        app::Module1& m = app::module1();
        m.lettersPath = QStringLiteral("/srv/cv/vemocv.mdb");
        m.schedulePath = QStringLiteral("/srv/lich/vemolich.mdb");
        m.workingYear = QStringLiteral("2009");
        m.setYearTables();
    }
    void TearDown() override { app::resetModule1(); }

    app::FormRequest request(const char* button, const QDate& today = QDate(2009, 6, 17))
    {
        const app::RegisterButton* b = app::findRegisterButton(QString::fromLatin1(button));
        EXPECT_NE(b, nullptr) << button;
        return b ? app::registerRequest(*b, today) : app::FormRequest{};
    }
};

TEST_F(RegisterRequestTest, TwelveButtonsInFourFramesWithTheirDataFiles)
{
    ASSERT_EQ(app::registerButtons().size(), 12);
    int letters = 0;
    for (const app::RegisterButton& b : app::registerButtons())
        letters += b.letters ? 1 : 0;
    EXPECT_EQ(letters, 6);
    EXPECT_FALSE(app::findRegisterButton(QStringLiteral("cmdnapkh"))->letters);
    EXPECT_FALSE(app::findRegisterButton(QStringLiteral("Cmdxemlich"))->letters);
    EXPECT_TRUE(app::findRegisterButton(QStringLiteral("cmdtracuucvdi"))->letters);
    EXPECT_EQ(app::findRegisterButton(QStringLiteral("nothing")), nullptr);
}

TEST_F(RegisterRequestTest, WeekViewGetsTheCurrentWeek)
{
    const app::FormRequest r = request("Cmdxemlich");
    EXPECT_EQ(r.dataFile, app::DataFile::Schedule);
    EXPECT_EQ(r.databasePath(), QStringLiteral("/srv/lich/vemolich.mdb"));
    EXPECT_EQ(r.recordSource, QStringLiteral("Select * from lich2009 where [ngaychuan]>= '20090615' and "
                                             "[ngaychuan]<= '20090621' order by [ngaychuan],[giochuan]"));
    EXPECT_EQ(r.boxes, (QStringList{QStringLiteral("15/06/2009"), QStringLiteral("21/06/2009")}));
    EXPECT_EQ(r.title, QStringLiteral("Xem lịch làm việc trong tuần từ 15/06/2009 đến 21/06/2009"));
}

TEST_F(RegisterRequestTest, SourcesFollowTheWorkingYear)
{
    EXPECT_EQ(request("cmdnapcvden").recordSource, QStringLiteral("cvden2009"));
    EXPECT_EQ(request("cmdnapcvden").dataFile, app::DataFile::Letters);
    EXPECT_EQ(request("cmdnapcvden").databasePath(), QStringLiteral("/srv/cv/vemocv.mdb"));
    EXPECT_EQ(request("cmdxemcvdi").recordSource, QStringLiteral("cvdi2009"));
    EXPECT_EQ(request("cmdnaplich").recordSource, QStringLiteral("lich2009"));
    const app::FormRequest plans = request("cmdnapkh");
    EXPECT_EQ(plans.recordSource, QStringLiteral("SELECT * FROM kehoach2009 ORDER BY tgianbdauchuan+tgiankthucchuan "));
    EXPECT_EQ(plans.lookups.value(1), QStringLiteral("select distinct loai from kehoach2009 order by loai"));
    EXPECT_EQ(request("cmdtracuucvdi").lookups.value(0),
              QStringLiteral("select distinct noiluu from cvdi2009 where noiluu<>''"));
}

TEST_F(RegisterRequestTest, OnlyTheLetterListsClearPrintMarks)
{
    EXPECT_EQ(app::printMarkReset(*app::findRegisterButton(QStringLiteral("Cmdxemcvden"))),
              QStringLiteral("UPDATE cvden2009 SET chonin = '' where [chonin]= 'X' ;"));
    EXPECT_EQ(app::printMarkReset(*app::findRegisterButton(QStringLiteral("cmdxemcvdi"))),
              QStringLiteral("UPDATE cvdi2009 SET chonin = '' where [chonin] = 'X';"));
    EXPECT_EQ(app::printMarkReset(*app::findRegisterButton(QStringLiteral("cmdnapcvden"))), QString());
}

// Each list names the reference file it edits; its form works on the program's connection to it.
struct ListFile
{
    const char* menu;
    app::DataFile file;
    db::Database app::Module1::*database;
};

TEST_F(RegisterRequestTest, ListMenusNameTheirReferenceFile)
{
    app::Module1& m = app::module1();
    m.referencePath = QStringLiteral("/srv/data/vemotk.MDB");
    m.lettersReferencePath = QStringLiteral("/srv/cv/vemotk.mdb");
    m.scheduleReferencePath = QStringLiteral("/srv/lich/vemotk.mdb");
    using M = app::Module1;
    using F = app::DataFile;
    for (const ListFile& c : {ListFile{"mnunapdonvi", F::ScheduleReference, &M::scheduleReference},
                              ListFile{"mnunapbophan", F::ScheduleReference, &M::scheduleReference},
                              ListFile{"mnunguoidung", F::ScheduleReference, &M::scheduleReference},
                              ListFile{"mnunapnoigui", F::LettersReference, &M::lettersReference},
                              ListFile{"mnunaploaicv", F::LettersReference, &M::lettersReference},
                              ListFile{"mnutendonvi", F::LettersReference, &M::lettersReference},
                              ListFile{"mnunapchutat", F::Reference, &M::reference}}) {
        const app::FormRequest r = app::listMenuRequest(QString::fromLatin1(c.menu), QStringLiteral("QT"));
        EXPECT_EQ(r.dataFile, c.file) << c.menu;
        EXPECT_EQ(r.databasePath(), m.path(c.file)) << c.menu;
        EXPECT_EQ(&m.database(c.file), &(m.*c.database)) << c.menu;
    }
    EXPECT_EQ(&m.database(F::Letters), &m.letters);
    EXPECT_EQ(&m.database(F::Schedule), &m.schedule);
    EXPECT_EQ(&m.database(F::Scratch), &m.scratch);
    EXPECT_EQ(m.path(F::None), QString());
    EXPECT_FALSE(m.database(F::None).isOpen());
}

} // namespace
