#include "common/clock.h"
#include "common/due_dates.h"

#include <gtest/gtest.h>

namespace {

struct DueCase
{
    const char* what;
    QDateTime now; // the program's clock
    const char* deadlineKey;
    bool handled;
    common::Due expected;
};

// Around midnight the day changes at 00:00 by the program's clock; across New Year the keys of
// two years compare as days do.
TEST(DueDates, StateFollowsTheClockAroundMidnightAndAcrossYears)
{
    using common::Due;
    const auto at = [](int y, int mo, int d, int h, int mi, int s = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
    };
    const QList<DueCase> cases = {
        // midnight
        {"deadline today, last second of the day", at(2026, 12, 7, 23, 59, 59), "20261207", false, Due::DueSoon},
        {"deadline yesterday, first second of the day", at(2026, 12, 8, 0, 0), "20261207", false, Due::Overdue},
        {"third day ahead at midnight", at(2026, 12, 7, 0, 0), "20261210", false, Due::DueSoon},
        {"fourth day ahead just before midnight", at(2026, 12, 6, 23, 59, 59), "20261210", false, Due::NotDue},
        // across years
        {"deadline 2 January seen on 30 December", at(2026, 12, 30, 9, 0), "20270102", false, Due::DueSoon},
        {"deadline 3 January seen on 30 December", at(2026, 12, 30, 9, 0), "20270103", false, Due::NotDue},
        {"deadline 31 December seen on New Year's Day", at(2027, 1, 1, 0, 0), "20261231", false, Due::Overdue},
        {"29 February within three days of 27 February", at(2028, 2, 27, 8, 0), "20280301", false, Due::DueSoon},
        // never due
        {"handled past its deadline", at(2026, 12, 8, 0, 0), "20261201", true, Due::NotDue},
        {"no deadline", at(2026, 12, 8, 0, 0), "", false, Due::NotDue},
        {"a key that is no day", at(2026, 12, 8, 0, 0), "20261332", false, Due::NotDue},
    };
    for (const DueCase& c : cases) {
        common::FixedClock clock(c.now);
        const common::Clock* previous = common::setClock(&clock);
        EXPECT_EQ(common::dueState(QString::fromLatin1(c.deadlineKey), c.handled, common::clock().today()), c.expected)
            << c.what;
        common::setClock(previous);
    }
}

} // namespace
