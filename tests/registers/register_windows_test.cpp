// Every window of the registers fits a 1024x768 screen and keeps the old names of the controls Tab
// reaches.
#include "all_registers_fixture.h"

#include "registers/schedule/frmgridtuan.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>

namespace {

using registers_test::AllRegistersTest;

const char* const kWindows[] = {"frmcvden",      "frmgridcvden", "frmtracuucvden", "frmcvdi",         "frmgridcvdi",
                                "frmtracuucvdi", "frmincv",      "frmcongviec",    "frmgridcongviec", "frmtracuukh",
                                "frmtxt",        "frmlich",      "frmGridlich",    "frmgridtuan",     "frmtracuulich"};

// Room a window manager takes around a window: a title bar and borders.
constexpr int kTitleBar = 32;
constexpr int kBorder = 4;

TEST_F(AllRegistersTest, EveryWindowFitsA1024By768ScreenAndNamesTheControlsTabReaches)
{
    for (const char* name : kWindows) {
        ui::FormBase* w = registers::form(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_LE(w->width() + 2 * kBorder, 1024) << name;
        EXPECT_LE(w->height() + kTitleBar + 2 * kBorder, 768) << name;
        // Every control Tab reaches keeps its old name (the screen reader check names it by it).
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!(c->focusPolicy() & Qt::TabFocus) || c->focusProxy())
                continue;
            // A text box's editor speaks for the box.
            QWidget* named = qobject_cast<ui::TextBox*>(c->parentWidget()) ? c->parentWidget() : c;
            if (qobject_cast<QAbstractButton*>(named) || qobject_cast<ui::TextBox*>(named) ||
                qobject_cast<QComboBox*>(named)) {
                EXPECT_FALSE(named->objectName().isEmpty()) << name;
            }
        }
    }
    // The week view shows every column whole, the last ones ("Chủ trì", "Ghi chú") included.
    auto* week = registers::form<registers::WeekViewForm>(u"frmgridtuan"_s);
    ASSERT_TRUE(week->openWeek(QDate(2026, 1, 5)));
    QHeaderView* header = week->DBGrid1->horizontalHeader();
    EXPECT_LE(header->length(), week->DBGrid1->viewport()->width());
    for (int column = 0; column < header->count(); ++column)
        EXPECT_GE(header->sectionSize(column),
                  header->fontMetrics().horizontalAdvance(week->DBGrid1->columnCaption(column)))
            << week->DBGrid1->columnCaption(column).toStdString();
}

} // namespace
