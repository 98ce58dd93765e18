// Every window of the registers fits a 1024x768 screen, and a screen reader hears what each shows.
#include "all_registers_fixture.h"

#include "../support/accessibility_check.h"

#include "registers/entry_form.h"
#include "registers/plans/frmtracuukh.h"
#include "registers/schedule/frmgridtuan.h"

#include <QHeaderView>

namespace {

using registers_test::AllRegistersTest;

const char* const kWindows[] = {"frmcvden",      "frmgridcvden", "frmtracuucvden", "frmcvdi",         "frmgridcvdi",
                                "frmtracuucvdi", "frmincv",      "frmcongviec",    "frmgridcongviec", "frmtracuukh",
                                "frmtxt",        "frmlich",      "frmGridlich",    "frmgridtuan",     "frmtracuulich"};

// Room a window manager takes around a window: a title bar and borders.
constexpr int kTitleBar = 32;
constexpr int kBorder = 4;

TEST_F(AllRegistersTest, EveryWindowFitsA1024By768Screen)
{
    for (const char* name : kWindows) {
        ui::FormBase* w = registers::form(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_LE(w->width() + 2 * kBorder, 1024) << name;
        EXPECT_LE(w->height() + kTitleBar + 2 * kBorder, 768) << name;
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

// A label whose text the program changes is heard as it reads now; a list keeps its own name once
// an item is picked in it.
TEST_F(AllRegistersTest, ScreenReadersHearWhatTheWindowsShowNow)
{
    // The entry forms, viewing and adding, are heard in registers/entry_forms_test.cpp.
    app::Module1& m = app::module1();
    test::insertRow(m.schedule, m.plansTable, {{"Tendonvi", "Văn phòng"}, {"bophan", "Tổng hợp"}, {"ndungtt", "Họp"}});
    auto* search = openBy<registers::PlansSearchForm>("cmdtracuukh", app::DataFile::Schedule, "frmtracuukh");
    auto* departments = search->control<QComboBox>(u"DBCombobophan"_s);
    departments->setCurrentIndex(departments->findText(u"Tổng hợp"_s));
    ASSERT_EQ(departments->currentText(), u"Tổng hợp"_s);
    EXPECT_TRUE(test::isAccessible(search));
}

} // namespace
