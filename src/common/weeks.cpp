#include "weeks.h"

#include "dates.h"

namespace common {

Week weekOf(const QDate& day)
{
    if (!day.isValid())
        return {};
    // Offset back to Monday by the weekday counted from Sunday = 1: Sunday 6, Monday 0, ...
    static const int offsets[] = {0, 6, 0, 1, 2, 3, 4, 5};
    const int offset = offsets[weekdayNumber(day)];
    return {day.addDays(-offset), day.addDays(6 - offset)};
}

Week stepWeek(const QDate& day, int weeks)
{
    if (!day.isValid())
        return {};
    return weekOf(day.addDays(7LL * weeks));
}

Week weekOfMonth(int month, int year)
{
    if (month < 1 || month > 12)
        return {};
    return weekOf(QDate(year, month, 1));
}

QList<int> yearsOf(const Week& week)
{
    if (!week.monday.isValid())
        return {};
    if (week.monday.year() == week.sunday.year())
        return {week.monday.year()};
    return {week.monday.year(), week.sunday.year()};
}

} // namespace common
