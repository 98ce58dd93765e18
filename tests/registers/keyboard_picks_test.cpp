// The keyboard does what the mouse does: Enter picks in a pick grid, Space marks a row of a list;
// and a pick grid is wide enough for the names it offers.
#include "all_registers_fixture.h"

#include "registers/letters_list_form.h"
#include "registers/schedule/frmGridlich.h"
#include "registers/schedule/schedule_record.h"

#include <QScreen>

namespace {

using registers_test::AllRegistersTest;

const QString kLongName = u"Sở Tài chính thành phố Hà Nội và các quận huyện ngoại thành"_s;

TEST_F(AllRegistersTest, EnterPicksTheHighlightedNameFromAGridWideEnoughForIt)
{
    addReference(app::module1().lettersReference, u"noigui"_s, u"tendonvi"_s, kLongName, u"stchn"_s);
    auto* f = openBy<registers::IncomingEntryForm>("cmdnapcvden", app::DataFile::Letters, "frmcvden");
    click(*f, "cmdAdd");
    ui::TextBox* sender = f->ui().mnoigui;
    sender->setFocus();
    key(*f, Qt::Key_F5);
    ui::Grid* grid = f->pickGrids()->grid(u"DBGridnoigui"_s);
    ASSERT_TRUE(grid->isVisible());
    ASSERT_TRUE(f->pickGrids()->dataControl(u"DBGridnoigui"_s)->findFirst(u"chutat = 'stchn'"_s));
    EXPECT_GE(grid->width(), sender->width());
    EXPECT_GE(grid->columnWidth(0), grid->fontMetrics().horizontalAdvance(kLongName));
    EXPECT_TRUE(f->rect().contains(grid->geometry()));
    EXPECT_LE(grid->width(), f->screen()->availableGeometry().width());

    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(sender->text(), kLongName);
    EXPECT_FALSE(grid->isVisible());
    EXPECT_TRUE(f->ui().mso_cv->hasFocus());

    // The keypad's Enter in the units grid, which stays open to collect several units.
    ui::TextBox* units = f->ui().mdv_nhan;
    units->setFocus();
    key(*f, Qt::Key_F5);
    ui::Grid* unitGrid = f->pickGrids()->grid(u"DBGriddv_nhan"_s);
    ASSERT_TRUE(unitGrid->hasFocus());
    QTest::keyClick(unitGrid, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(units->text(), u"Phòng Hành chính"_s);
    EXPECT_TRUE(unitGrid->isVisible());
}

TEST_F(AllRegistersTest, SpaceMarksAndUnmarksTheCurrentRowOfAList)
{
    app::Module1& m = app::module1();
    registers_test::addLetters(m.incomingTable,
                               {{1, "02/01/2026", "Sở Nội vụ", "Họp"}, {2, "03/01/2026", "Sở Tài chính", "Báo cáo"}});
    test::insertRow(m.schedule, m.scheduleTable,
                    {{"ngay", "05/01/2026"}, {"ngaychuan", "20260105"}, {"ndung", "Giao ban"}});
    const struct
    {
        const char* name;
        std::function<std::pair<ui::FormBase*, ui::Grid*>()> open;
        db::Database* db;
        QString table;
    } lists[] = {{"letters",
                  [&] {
                      auto* list = registers::form<registers::LettersListForm>(u"frmgridcvden"_s);
                      list->setSession(
                          registers::programSession(registers::Register::Incoming, registers::Start::List));
                      list->open(m.incomingTable, m.incomingTable, false);
                      return std::pair<ui::FormBase*, ui::Grid*>{list, list->DBGrid1};
                  },
                  &m.letters, m.incomingTable},
                 {"schedule",
                  [&] {
                      auto* list = registers::form<registers::ScheduleListForm>(u"frmGridlich"_s);
                      list->openList(m.scheduleTable, registers::scheduleListSource(m.scheduleTable), false);
                      return std::pair<ui::FormBase*, ui::Grid*>{list, list->DBGrid1};
                  },
                  &m.schedule, m.scheduleTable}};
    for (const auto& l : lists) {
        const auto [list, grid] = l.open();
        activate(list);
        grid->setFocus();
        const QString marked = test::tableRows(*l.db, l.table, u"chonin"_s).join(u',');
        QTest::keyClick(grid, Qt::Key_Space);
        EXPECT_NE(test::tableRows(*l.db, l.table, u"chonin"_s).join(u','), marked) << l.name;
        EXPECT_TRUE(test::tableRows(*l.db, l.table, u"chonin"_s).contains(u"X"_s)) << l.name;
        QTest::keyClick(grid, Qt::Key_Space);
        EXPECT_FALSE(test::tableRows(*l.db, l.table, u"chonin"_s).contains(u"X"_s)) << l.name;
        list->hide();
    }
}

} // namespace
