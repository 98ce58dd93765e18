// Weeks of the schedule: Monday to Sunday, across the end of a year, stepping and the week of a
// month's first day.
#include "common/weeks.h"

#include <gtest/gtest.h>

namespace {

struct WeekCase
{
    const char* what;
    common::Week week;
    QDate monday;
    QDate sunday;
};

TEST(WeekTest, RunsFromMondayToSunday)
{
    const WeekCase cases[] = {
        {"Sunday covers the six days before it", common::weekOf(QDate(2009, 6, 14)), QDate(2009, 6, 8),
         QDate(2009, 6, 14)},
        {"Monday starts its week", common::weekOf(QDate(2009, 6, 15)), QDate(2009, 6, 15), QDate(2009, 6, 21)},
        {"Saturday", common::weekOf(QDate(2009, 6, 20)), QDate(2009, 6, 15), QDate(2009, 6, 21)},
        {"week across the year's end", common::weekOf(QDate(2010, 1, 1)), QDate(2009, 12, 28), QDate(2010, 1, 3)},
        {"back from the first week of January", common::stepWeek(QDate(2026, 1, 5), -1), QDate(2025, 12, 29),
         QDate(2026, 1, 4)},
        {"two weeks back into December", common::stepWeek(QDate(2026, 1, 5), -2), QDate(2025, 12, 22),
         QDate(2025, 12, 28)},
        {"forward over the year's end", common::stepWeek(QDate(2025, 12, 24), 1), QDate(2025, 12, 29),
         QDate(2026, 1, 4)},
        {"March 2005 starts in February", common::weekOfMonth(3, 2005), QDate(2005, 2, 28), QDate(2005, 3, 6)},
        {"a month beginning on a Monday", common::weekOfMonth(6, 2026), QDate(2026, 6, 1), QDate(2026, 6, 7)},
        {"January's week begins in the year before", common::weekOfMonth(1, 2026), QDate(2025, 12, 29),
         QDate(2026, 1, 4)},
        {"invalid day", common::weekOf(QDate()), QDate(), QDate()},
        {"month 13", common::weekOfMonth(13, 2026), QDate(), QDate()},
    };
    for (const WeekCase& c : cases) {
        EXPECT_EQ(std::pair(c.week.monday, c.week.sunday), std::pair(c.monday, c.sunday)) << c.what;
    }
}

TEST(WeekYearsTest, AWeekAcrossTheYearsEndTouchesBothYears)
{
    EXPECT_EQ(common::yearsOf(common::weekOf(QDate(2026, 1, 1))), (QList<int>{2025, 2026}));
    EXPECT_EQ(common::yearsOf(common::weekOf(QDate(2026, 3, 1))), (QList<int>{2026}));
    EXPECT_TRUE(common::yearsOf(common::weekOf(QDate())).isEmpty());
}

} // namespace
