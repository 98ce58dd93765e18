// The keyboard does what the mouse does: Enter picks in a pick grid, Space marks a row of a list;
// and a pick grid is wide enough for the names it offers.
#include "all_registers_fixture.h"

#include "platform/ui/grid.h"

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
    // The main window's button, the form it opens, the button there that opens the list ("" none).
    const struct
    {
        const char *command, *form, *listButton, *list;
        app::DataFile file;
        db::Database* db;
        QString table;
    } lists[] = {
        {"Cmdxemcvden", "frmgridcvden", "", "frmgridcvden", app::DataFile::Letters, &m.letters, m.incomingTable},
        {"cmdnaplich", "frmlich", "cmdbang", "frmGridlich", app::DataFile::Schedule, &m.schedule, m.scheduleTable}};
    for (const auto& l : lists) {
        SCOPED_TRACE(l.list);
        ui::FormBase* opened = openBy<ui::FormBase>(l.command, l.file, l.form);
        if (*l.listButton)
            click(*opened, l.listButton);
        ui::FormBase* list = registers::form(QString::fromLatin1(l.list));
        ASSERT_TRUE(list->isVisible());
        auto* grid = list->findChild<ui::Grid*>(u"DBGrid1"_s);
        ASSERT_NE(grid, nullptr);
        activate(list);
        grid->setFocus();
        const QString marked = test::tableRows(*l.db, l.table, u"chonin"_s).join(u',');
        QTest::keyClick(grid, Qt::Key_Space);
        EXPECT_NE(test::tableRows(*l.db, l.table, u"chonin"_s).join(u','), marked);
        EXPECT_TRUE(test::tableRows(*l.db, l.table, u"chonin"_s).contains(u"X"_s));
        QTest::keyClick(grid, Qt::Key_Space);
        EXPECT_FALSE(test::tableRows(*l.db, l.table, u"chonin"_s).contains(u"X"_s));
        list->hide();
    }
}

} // namespace
