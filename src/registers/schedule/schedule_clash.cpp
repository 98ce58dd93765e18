#include "schedule_clash.h"

#include "common/time_of_day.h"

#include <cstdlib>

namespace registers {
namespace {

constexpr int kClashSeconds = 2 * 60 * 60;

QString folded(const QString& s)
{
    return s.simplified().toCaseFolded();
}

} // namespace

std::optional<ScheduleClash> findClash(const ScheduleItem& item, const QList<ScheduleItem>& others)
{
    const std::optional<QTime> time = common::readTime(item.time);
    if (!time || item.dayKey.trimmed().isEmpty())
        return std::nullopt;
    const QString person = folded(item.chair);
    const QString place = folded(item.place);
    if (person.isEmpty() && place.isEmpty())
        return std::nullopt;
    for (const ScheduleItem& o : others) {
        if (o.dayKey != item.dayKey ||
            (item.id > 0 && o.id == item.id && o.table.compare(item.table, Qt::CaseInsensitive) == 0))
            continue;
        const std::optional<QTime> t = common::readTime(o.time);
        if (!t || std::abs(t->secsTo(*time)) >= kClashSeconds)
            continue;
        ScheduleClash c{o, !person.isEmpty() && folded(o.chair) == person,
                        !place.isEmpty() && folded(o.place) == place};
        if (c.samePerson || c.samePlace)
            return c;
    }
    return std::nullopt;
}

QString clashQuestion(const ScheduleClash& clash)
{
    const ScheduleItem& o = clash.other;
    QString who;
    if (clash.samePerson && clash.samePlace)
        who = QStringLiteral("Người chủ trì ") + o.chair.simplified() + QStringLiteral(" và địa điểm ") +
              o.place.simplified();
    else if (clash.samePerson)
        who = QStringLiteral("Người chủ trì ") + o.chair.simplified();
    else
        who = QStringLiteral("Địa điểm ") + o.place.simplified();
    QString text = who + QStringLiteral(" đã có lịch \"") + o.content.simplified() + QStringLiteral("\" lúc ") +
                   o.time.trimmed() + QStringLiteral(" ngày ") + o.day.trimmed();
    if (!clash.samePlace && !o.place.trimmed().isEmpty())
        text += QStringLiteral(" tại ") + o.place.simplified();
    return text + QStringLiteral(".") + QChar(13) + QStringLiteral("Vẫn ghi ?");
}

} // namespace registers
