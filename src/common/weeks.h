#pragma once

#include <QDate>
#include <QList>

// Weeks of the weekly work schedule: Monday to Sunday. A Sunday belongs to the week that began on
// the Monday before it. Plain date arithmetic, so a week may run across the end of a year.
namespace common {

struct Week
{
    QDate monday;
    QDate sunday;
};

// The week that holds day; both dates invalid for an invalid day.
Week weekOf(const QDate& day);

// The week `weeks` weeks after (negative: before) the week that holds day.
Week stepWeek(const QDate& day, int weeks);

// The week that holds the first day of month (1..12) of year; it may begin in the month before.
// Both dates invalid for a month outside 1..12 or an invalid year.
Week weekOfMonth(int month, int year);

// The years a week touches, Monday's first: one year, or two for a week across 31 December.
QList<int> yearsOf(const Week& week);

} // namespace common
