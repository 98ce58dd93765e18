#include "due_dates.h"

namespace common {
namespace {

QString key(const QDate& day)
{
    return day.toString(QStringLiteral("yyyyMMdd"));
}

} // namespace

DueLimits dueLimits(const QDate& today)
{
    return {key(today), key(today.addDays(kDueSoonDays))};
}

Due dueState(const QString& deadlineKey, bool handled, const QDate& today)
{
    const QString k = deadlineKey.trimmed();
    if (handled || k.size() != 8 || !QDate::fromString(k, QStringLiteral("yyyyMMdd")).isValid())
        return Due::NotDue;
    const DueLimits limits = dueLimits(today);
    if (k < limits.overdueBefore)
        return Due::Overdue;
    return k <= limits.soonLast ? Due::DueSoon : Due::NotDue;
}

QString dueText(Due due)
{
    switch (due) {
    case Due::Overdue:
        return QStringLiteral("Quá hạn");
    case Due::DueSoon:
        return QStringLiteral("Sắp đến hạn");
    case Due::NotDue:
        break;
    }
    return QString();
}

} // namespace common
