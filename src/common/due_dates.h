#pragma once

#include <QDate>
#include <QString>

// When an incoming letter is due, from its handling deadline and the day it is today.
namespace common {

// A letter falls due "soon" from its deadline's day back to this many days before it.
inline constexpr int kDueSoonDays = 3;

enum class Due
{
    NotDue,  // handled, no deadline, or the deadline more than kDueSoonDays away
    DueSoon, // the deadline is today or within kDueSoonDays days
    Overdue, // the deadline was an earlier day than today
};

// The deadline keys ("yyyymmdd") that bound the due letters on today: a key before overdueBefore
// is overdue, a key from overdueBefore up to soonLast is due soon.
struct DueLimits
{
    QString overdueBefore; // today
    QString soonLast;      // today + kDueSoonDays
};
DueLimits dueLimits(const QDate& today);

// deadlineKey is the "yyyymmdd" key of the deadline ("" or not eight digits: no deadline);
// a handled letter is never due. today comes from the program's clock (common::clock().today()),
// so a deadline of the 5th is due soon until midnight and overdue from 00:00 on the 6th.
Due dueState(const QString& deadlineKey, bool handled, const QDate& today);

// The state as the due list and its printout write it: "Quá hạn", "Sắp đến hạn", "".
QString dueText(Due due);

} // namespace common
