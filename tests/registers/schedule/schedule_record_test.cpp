// The schedule's derived time key and the search's condition, without windows.
#include "registers/schedule/frmtracuulich.h"
#include "registers/schedule/schedule_record.h"
#include "ui_frmtracuulich.h"

#include <gtest/gtest.h>

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
    ui.txtid->setText(QStringLiteral("3-7"));
    ui.mgio->setText(QStringLiteral("8h"));
    ui.mngay1->setText(QStringLiteral("01/01/2026"));
    ui.mndung->setText(QStringLiteral("Họp 'A'"));
    ui.mghichu->setText(QStringLiteral("!hoãn"));
    const auto condition = [&ui] { return registers::criteriaCondition(registers::scheduleSearchConfig(ui)); };
    const registers::CriteriaCondition c = condition();
    EXPECT_EQ(c.refusedBox, nullptr);
    EXPECT_EQ(c.condition, QStringLiteral("([id] between 3 and 7) and (([gio] Like '*8h*')) and [ngaychuan]  >= "
                                          "'20260101' and (([ndung] Like '*Họp ''A''*')) and "
                                          "(([ghichu] Not Like '*hoãn*'))"));
    EXPECT_EQ(registers::scheduleSearchStatement(QStringLiteral("lich2025"), c.condition),
              QStringLiteral("SELECT * FROM lich2025 WHERE ") + c.condition + QStringLiteral(" order by [ngaychuan]"));
    EXPECT_EQ(registers::scheduleSearchStatement(QStringLiteral("lich2025"), QString()),
              QStringLiteral("select * from [lich2025] order by [ngaychuan]"));

    ui.mthanhphan->setText(QStringLiteral("a+"));
    EXPECT_EQ(condition().refusedBox, ui.mthanhphan);
    ui.txtid->setText(QStringLiteral("=5"));
    EXPECT_EQ(condition().refusedBox, ui.txtid);
}

} // namespace
