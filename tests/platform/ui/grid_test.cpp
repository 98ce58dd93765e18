// The bound grid: following the data control, moving it, reading rows on demand.
#include "letter_file.h"

#include "scripted_responder.h"

#include "platform/ui/data_control.h"
#include "platform/ui/grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using uitest::LetterFile;

class GridTest : public ::testing::Test
{
protected:
    explicit GridTest(int rows = 8) : file(rows)
    {
        data.setDatabase(file.db());
        data.setRecordSource(LetterFile::table());
        grid.addColumn(u"In"_s, u"chonin"_s, 30);
        grid.addColumn(u"Nơi gửi"_s, u"noigui"_s, 200);
        grid.setDataSource(&data);
        grid.resize(400, 300);
        grid.show();
        data.setValidateHandler([this](ui::DataAction action, bool) {
            log << u"validate:%1"_s.arg(static_cast<int>(action));
            return cancelMoves ? ui::ValidateResult::Cancel : ui::ValidateResult::Save;
        });
        QObject::connect(&data, &ui::DataControl::Reposition, [this] { log << u"reposition"_s; });
        QObject::connect(&grid, &ui::Grid::Click, [this] { log << u"click"_s; });
        QObject::connect(&grid, &ui::Grid::DblClick, [this] { log << u"dblclick"_s; });
        data.refresh();
        log.clear();
    }

    QPoint cellCentre(int row, int column) const { return grid.visualRect(grid.model()->index(row, column)).center(); }
    int position() const { return data.recordset().absolutePosition(); }

    test::ScriptedResponder responder;
    LetterFile file;
    ui::DataControl data;
    ui::Grid grid;
    QStringList log;
    bool cancelMoves = false;
};

// One row per record under the captions; the current row follows the data control, also while
// the grid is hidden.
TEST_F(GridTest, ShowsOneRowPerRecordAndFollowsTheDataControl)
{
    EXPECT_EQ(grid.model()->rowCount(), 8);
    EXPECT_EQ((QStringList{grid.model()->headerData(1, Qt::Horizontal).toString(), grid.tableModel()->text(6, 1),
                           grid.columnField(1)}),
              (QStringList{u"Nơi gửi"_s, LetterFile::noigui(7), u"noigui"_s}));
    EXPECT_EQ(grid.currentRow(), 0);
    data.moveLast();
    EXPECT_EQ(std::pair(grid.currentRow(), grid.columnText(1)), std::pair(7, LetterFile::noigui(8)));
    data.findFirst(u"stt = 3"_s);
    EXPECT_EQ(grid.currentRow(), 2);
    grid.hide();
    data.moveTo(6);
    EXPECT_EQ(grid.currentRow(), 6);
    grid.show();
    EXPECT_EQ(std::pair(grid.currentRow(), grid.columnText(1)), std::pair(6, LetterFile::noigui(7)));
}

// A click or an arrow key moves the data control through Validate; a cancelled move puts the
// grid back on the data control's row.
TEST_F(GridTest, ClicksAndArrowKeysMoveTheDataControlThroughValidate)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(4, 1));
    EXPECT_EQ(position(), 4);
    EXPECT_EQ(log, QStringList({u"validate:%1"_s.arg(static_cast<int>(ui::DataAction::Bookmark)), u"reposition"_s,
                                u"click"_s}));
    grid.setFocus();
    QTest::keyClick(grid.viewport(), Qt::Key_Down);
    QTest::keyClick(grid.viewport(), Qt::Key_Down);
    EXPECT_EQ(position(), 6);
    data.moveTo(1);
    cancelMoves = true;
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(5, 1));
    EXPECT_EQ(position(), 1);
    EXPECT_EQ(grid.currentRow(), 1);
}

// A double-click on the row selector moves there and raises DblClick. Enter picks in a pick list
// and Space marks in a list as a double-click does; keys not given to the grid keep their own
// meaning.
TEST_F(GridTest, DoubleClickAndTheKeysGivenForItRaiseDblClick)
{
    QHeaderView* selectors = grid.verticalHeader();
    const QPoint at(selectors->width() / 2, selectors->sectionViewportPosition(3) + selectors->sectionSize(3) / 2);
    QTest::mouseClick(selectors->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(selectors->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(selectors->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(position(), 3);
    EXPECT_EQ(log.count(u"dblclick"_s), 1);

    const struct
    {
        const char* name;
        QList<int> keys;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool dblClick;
    } cases[] = {
        {"EnterNotGiven", {}, Qt::Key_Return, Qt::NoModifier, false},
        {"Enter", {Qt::Key_Return}, Qt::Key_Return, Qt::NoModifier, true},
        {"KeypadEnter", {Qt::Key_Return}, Qt::Key_Enter, Qt::KeypadModifier, true},
        {"ShiftEnter", {Qt::Key_Return}, Qt::Key_Return, Qt::ShiftModifier, false},
        {"Space", {Qt::Key_Space}, Qt::Key_Space, Qt::NoModifier, true},
        {"SpaceNotGiven", {Qt::Key_Return}, Qt::Key_Space, Qt::NoModifier, false},
    };
    data.moveTo(2);
    for (const auto& c : cases) {
        grid.setDoubleClickKeys(c.keys);
        log.clear();
        QTest::keyClick(&grid, c.key, c.modifiers);
        EXPECT_EQ(log.contains(u"dblclick"_s), c.dblClick) << c.name;
        EXPECT_EQ(position(), 2) << c.name;
    }
}

// A row written through the data control is redrawn when the control tells; a deleted record
// shortens the grid.
TEST_F(GridTest, WrittenRowsAreRedrawnAndDeletedOnesLeave)
{
    ASSERT_EQ(grid.tableModel()->text(0, 1), LetterFile::noigui(1)); // read once
    db::Recordset rs = data.recordset();
    rs.edit();
    rs.setValue(u"noigui"_s, u"Thanh tra tỉnh"_s);
    rs.update();
    EXPECT_EQ(grid.tableModel()->text(0, 1), LetterFile::noigui(1)); // not yet told
    data.notifyDataChanged();
    EXPECT_EQ(grid.tableModel()->text(0, 1), u"Thanh tra tỉnh"_s);
    data.moveTo(2);
    ASSERT_TRUE(data.deleteRecord());
    EXPECT_EQ(grid.model()->rowCount(), 7);
    EXPECT_EQ(grid.tableModel()->text(2, 1), LetterFile::noigui(4));
}

TEST_F(GridTest, FocusLeavingTheGridRaisesLostFocus)
{
    QWidget window;
    grid.setParent(&window);
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    int lost = 0;
    QObject::connect(&grid, &ui::Grid::LostFocus, [&lost] { ++lost; });
    window.show();
    QApplication::setActiveWindow(&window);
    grid.show();
    grid.setFocus();
    other->setFocus();
    EXPECT_EQ(lost, 1);
    grid.setParent(nullptr);
}

// A year of many letters: the grid reads only the rows it shows.
class LargeGridTest : public GridTest
{
protected:
    LargeGridTest() : GridTest(20000) {}
};

TEST_F(LargeGridTest, ReadsOnlyTheBlocksOfTheRowsShown)
{
    EXPECT_EQ(grid.model()->rowCount(), 20000);
    QApplication::processEvents(); // paint the first page
    data.moveLast();
    QApplication::processEvents(); // paint the last page
    EXPECT_EQ(grid.currentRow(), 19999);
    EXPECT_EQ((QStringList{grid.tableModel()->text(19999, 1), grid.tableModel()->text(10000, 1)}),
              (QStringList{LetterFile::noigui(20000), LetterFile::noigui(10001)}));
    EXPECT_LE(grid.tableModel()->rowsFetched(), 6 * ui::RecordsetTableModel::kBlockRows);
}

} // namespace
