#include "week_calendar.h"

#include "common/time_of_day.h"

#include <libical/ical.h>

#include <memory>

namespace registers {
namespace {

struct ComponentFree
{
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// The text as RFC 5545 lets it stand before escaping: one line break for CR LF or CR, no other
// control characters (a tab stays).
QByteArray utf8(const QString& s)
{
    QString t = s;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.removeIf([](QChar c) { return c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t'); });
    return t.trimmed().toUtf8();
}

icaltimetype dateOf(const QDate& d)
{
    icaltimetype t = icaltime_null_date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    return t;
}

icaltimetype localTime(const QDate& d, const QTime& time)
{
    icaltimetype t = icaltime_null_time();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    t.hour = time.hour();
    t.minute = time.minute();
    return t;
}

QString description(const ScheduleItem& i)
{
    const std::pair<const char*, const QString*> lines[] = {{"Nội dung: ", &i.content},
                                                            {"Thành phần: ", &i.participants},
                                                            {"Chủ trì: ", &i.chair},
                                                            {"Chuẩn bị: ", &i.preparer},
                                                            {"Ghi chú: ", &i.note}};
    QStringList parts;
    for (const auto& [label, value] : lines) {
        if (!value->trimmed().isEmpty())
            parts << QString::fromUtf8(label) + value->trimmed();
    }
    return parts.join(QLatin1Char('\n'));
}

void addText(icalcomponent* event, icalproperty* (*make)(const char*), const QString& value)
{
    const QByteArray text = utf8(value);
    if (!text.isEmpty())
        icalcomponent_add_property(event, make(text.constData()));
}

icalcomponent* eventOf(const ScheduleItem& i, const QDate& day, const icaltimetype& stamp)
{
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(eventUid(i).toUtf8().constData()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    if (const std::optional<QTime> time = common::readTime(i.time)) {
        const icaltimetype start = localTime(day, *time);
        icalcomponent_add_property(event, icalproperty_new_dtstart(start));
        icalcomponent_add_property(
            event, icalproperty_new_dtend(icaltime_add(start, icaldurationtype_from_int(kEventMinutes * 60))));
    } else {
        icalcomponent_add_property(event, icalproperty_new_dtstart(dateOf(day)));
        icalcomponent_add_property(event, icalproperty_new_dtend(dateOf(day.addDays(1))));
    }
    addText(event, icalproperty_new_summary, i.content);
    addText(event, icalproperty_new_location, i.place);
    addText(event, icalproperty_new_description, description(i));
    return event;
}

} // namespace

QString eventUid(const ScheduleItem& item)
{
    return item.table.toLower() + QLatin1Char('-') + QString::number(item.id) + QStringLiteral("@selvaro");
}

QByteArray weekCalendar(const QList<ScheduleItem>& items, const QString& name, const QDateTime& stamp)
{
    Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent* cal = calendar.get();
    icalcomponent_add_property(cal, icalproperty_new_prodid("-//Selvaro//Lich lam viec tuan//VI"));
    icalcomponent_add_property(cal, icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal, icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(cal, icalproperty_new_method(ICAL_METHOD_PUBLISH));
    const QByteArray calName = utf8(name);
    if (!calName.isEmpty()) {
        icalproperty* x = icalproperty_new_x(calName.constData());
        icalproperty_set_x_name(x, "X-WR-CALNAME");
        icalcomponent_add_property(cal, x);
    }
    const icaltimetype stampUtc =
        icaltime_from_timet_with_zone(stamp.toSecsSinceEpoch(), 0, icaltimezone_get_utc_timezone());
    for (const ScheduleItem& i : items) {
        const QDate day = QDate::fromString(i.dayKey.trimmed(), QStringLiteral("yyyyMMdd"));
        if (day.isValid())
            icalcomponent_add_component(cal, eventOf(i, day, stampUtc));
    }
    char* text = icalcomponent_as_ical_string_r(cal);
    QByteArray result(text);
    icalmemory_free_buffer(text);
    return result;
}

} // namespace registers
