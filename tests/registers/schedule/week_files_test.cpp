// The published week's two files: the calendar read back by libical (times, all-day events,
// escaping, stable UIDs) and the web page's text (what was typed shown as typed).
#include "registers/schedule/week_calendar.h"
#include "registers/schedule/week_page.h"

#include <QTextDocument>
#include <gtest/gtest.h>
#include <libical/ical.h>

using namespace Qt::StringLiterals;

namespace {

using registers::ScheduleItem;

ScheduleItem item(const char* table, long long id, const char* day, const char* time, const char* content)
{
    ScheduleItem i;
    i.table = QString::fromLatin1(table);
    i.id = id;
    i.day = QString::fromLatin1(day);
    i.dayKey = QDate::fromString(i.day, u"dd/MM/yyyy"_s).toString(u"yyyyMMdd"_s);
    i.time = QString::fromUtf8(time);
    i.content = QString::fromUtf8(content);
    return i;
}

QList<ScheduleItem> week()
{
    ScheduleItem tricky = item("lich2025", 7, "31/12/2025", "8h30", "Họp \"tổng kết\", năm; 2025\r\nphần hai");
    tricky.place = u"Phòng 1, tầng 2; nhà A\\B"_s;
    tricky.participants = u"Lãnh đạo; các phòng, ban"_s;
    tricky.preparer = u"Văn phòng"_s;
    tricky.note = u"Dòng một\rDòng hai"_s;
    return {tricky, item("lich2026", 7, "01/01/2026", "Cả ngày", "Nghỉ Tết Dương lịch"),
            item("lich2026", 8, "02/01/2026", "14h", "Tiếp khách <b>đậm</b> & co")};
}

// Each VEVENT as libical reads it back: "uid|start|end|summary|location|description".
QStringList readBack(const QByteArray& ics)
{
    QStringList events;
    icalcomponent* cal = icalparser_parse_string(ics.constData());
    for (icalcomponent* e = cal ? icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT) : nullptr; e;
         e = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT))
        events << QStringList{QString::fromUtf8(icalcomponent_get_uid(e)),
                              QString::fromUtf8(icaltime_as_ical_string(icalcomponent_get_dtstart(e))),
                              QString::fromUtf8(icaltime_as_ical_string(icalcomponent_get_dtend(e))),
                              QString::fromUtf8(icalcomponent_get_summary(e)),
                              QString::fromUtf8(icalcomponent_get_location(e)),
                              QString::fromUtf8(icalcomponent_get_description(e))}
                      .join(u'|');
    if (cal)
        icalcomponent_free(cal);
    return events;
}

TEST(WeekFilesTest, TheCalendarReadsBackWithItsTimesTextsAndStableUids)
{
    const QDateTime stamp(QDate(2026, 1, 2), QTime(9, 0), Qt::UTC);
    const QByteArray ics = registers::weekCalendar(week(), u"Lịch tuần"_s, stamp);
    // RFC 5545: lines end in CR LF and are folded at 75 octets; the texts are escaped.
    for (const QByteArray& line : ics.split('\n'))
        EXPECT_LE(line.size(), 76) << line.constData();
    EXPECT_TRUE(ics.contains("\r\n"));
    EXPECT_TRUE(ics.contains("Phòng 1\\, tầng 2\\; nhà A\\\\B")) << ics.constData();
    const QStringList events = readBack(ics);
    EXPECT_EQ(events, (QStringList{u"lich2025-7@selvaro|20251231T083000|20251231T093000|Họp \"tổng kết\", năm; "
                                   "2025\nphần hai|Phòng 1, tầng 2; nhà A\\B|Nội dung: Họp \"tổng kết\", "
                                   "năm; 2025\nphần hai\nThành phần: Lãnh đạo; các phòng, ban\nChuẩn bị: Văn "
                                   "phòng\nGhi chú: Dòng một\nDòng hai"_s,
                                   // The same id in the next year's table; a time that cannot be read: all day.
                                   u"lich2026-7@selvaro|20260101|20260102|Nghỉ Tết Dương lịch||Nội dung: Nghỉ "
                                   "Tết Dương lịch"_s,
                                   u"lich2026-8@selvaro|20260102T140000|20260102T150000|Tiếp khách <b>đậm</b> & "
                                   "co||Nội dung: Tiếp khách <b>đậm</b> & co"_s}));
    // Exported again later: the same UIDs (and all else), so a calendar updates its events.
    EXPECT_EQ(readBack(registers::weekCalendar(week(), QString(), stamp.addSecs(3600))), events);
}

TEST(WeekFilesTest, ThePageShowsWhatWasTypedAsText)
{
    const common::Week w{QDate(2025, 12, 29), QDate(2026, 1, 4)};
    const QString html =
        registers::weekPage(w, week(), {u"UBND HUYỆN A"_s, u"VĂN PHÒNG"_s}, QDateTime(QDate(2026, 1, 2), QTime(9, 5)));
    EXPECT_FALSE(html.contains(u"<script"_s, Qt::CaseInsensitive));
    EXPECT_FALSE(html.contains(u"<b>đậm"_s));
    QTextDocument page;
    page.setHtml(html);
    const QString text = page.toPlainText().simplified();
    qsizetype at = 0; // each shown after the one before: the days in order, each item under its day
    for (const char* shown :
         {"UBND HUYỆN A VĂN PHÒNG LỊCH LÀM VIỆC HÀNG TUẦN (Từ 29/12/2025 đến 04/01/2026)", "Thứ tư, ngày 31/12/2025",
          "Họp \"tổng kết\", năm; 2025 phần hai", "Thứ năm, ngày 01/01/2026", "Thứ sáu, ngày 02/01/2026",
          "Tiếp khách <b>đậm</b> & co", "Cập nhật lúc 09:05 ngày 02/01/2026"}) {
        at = text.indexOf(QString::fromUtf8(shown), at);
        EXPECT_GE(at, 0) << shown << "\n" << text.toStdString();
    }
}

} // namespace
