// The schedule's derived time key and the search's condition, without windows.
#include "registers/schedule/frmtracuulich.h"
#include "registers/schedule/schedule_record.h"
#include "ui_frmtracuulich.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(TimeKeyTest, OneDigitHourGetsItsZero)
{
    const struct
    {
        const char* what;
        const char* gio;
        const char* giochuan;
    } cases[] = {{"one-digit hour", "9h", "09h"},
                 {"with minutes", "8h30", "08h30"},
                 {"blanks around the parts", " 8 h 30 ", "08h 30"},
                 {"two-digit hour kept as typed", "14h", "14h"},
                 {"no h kept as typed", "8:30", "8:30"},
                 {"beginning with h", "h30", "h30"},
                 {"upper-case H not recognised", "9H", "9H"},
                 {"empty", "", ""},
                 {"text before the hour", "Sáng 9h", "Sáng 9h"}};
    for (const auto& c : cases)
        EXPECT_EQ(registers::timeKey(QString::fromUtf8(c.gio)), QString::fromUtf8(c.giochuan)) << c.what;
}

TEST(ScheduleConditionTest, BoxesJoinInTheirOrderAndARefusedBoxIsNamed)
{
    QWidget form;
    Ui::frmtracuulich ui;
    ui.setupUi(&form);
    ui.txtid->setText(u"3-7"_s);
    ui.mgio->setText(u"8h"_s);
    ui.mngay1->setText(u"01/01/2026"_s);
    ui.mndung->setText(u"Họp 'A'"_s);
    ui.mghichu->setText(u"!hoãn"_s);
    const auto condition = [&ui] { return registers::criteriaCondition(registers::scheduleSearchConfig(ui)); };
    const registers::CriteriaCondition c = condition();
    EXPECT_EQ(c.refusedBox, nullptr);
    EXPECT_EQ(c.condition, u"([id] between 3 and 7) and (([gio] Like '*8h*')) and [ngaychuan]  >= "
                           "'20260101' and (([ndung] Like '*Họp ''A''*')) and "
                           "(([ghichu] Not Like '*hoãn*'))"_s);
    EXPECT_EQ(registers::scheduleSearchStatement(u"lich2025"_s, c.condition),
              u"SELECT * FROM lich2025 WHERE "_s + c.condition + u" order by [ngaychuan]"_s);
    EXPECT_EQ(registers::scheduleSearchStatement(u"lich2025"_s, QString()),
              u"select * from [lich2025] order by [ngaychuan]"_s);

    ui.mthanhphan->setText(u"a+"_s);
    EXPECT_EQ(condition().refusedBox, ui.mthanhphan);
    ui.txtid->setText(u"=5"_s);
    EXPECT_EQ(condition().refusedBox, ui.txtid);
}

} // namespace
