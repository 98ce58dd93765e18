// The published week's two files: the calendar read back by libical (times, all-day events,
// escaping, stable UIDs) and the web page's text (what was typed shown as typed).
#include "registers/schedule/week_calendar.h"
#include "registers/schedule/week_page.h"

#include <QRegularExpression>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <libical/ical.h>

namespace {

using registers::ScheduleItem;

ScheduleItem item(const char* table, long long id, const char* day, const char* time, const char* content)
{
    ScheduleItem i;
    i.table = QString::fromLatin1(table);
    i.id = id;
    i.day = QString::fromLatin1(day);
    i.dayKey = QDate::fromString(i.day, QStringLiteral("dd/MM/yyyy")).toString(QStringLiteral("yyyyMMdd"));
    i.time = QString::fromUtf8(time);
    i.content = QString::fromUtf8(content);
    return i;
}

QList<ScheduleItem> week()
{
    ScheduleItem tricky = item("lich2025", 7, "31/12/2025", "8h30", "Họp \"tổng kết\", năm; 2025\r\nphần hai");
    tricky.place = QStringLiteral("Phòng 1, tầng 2; nhà A\\B");
    tricky.participants = QStringLiteral("Lãnh đạo; các phòng, ban");
    tricky.preparer = QStringLiteral("Văn phòng");
    tricky.note = QStringLiteral("Dòng một\rDòng hai");
    return {tricky, item("lich2026", 7, "01/01/2026", "Cả ngày", "Nghỉ Tết Dương lịch"),
            item("lich2026", 8, "02/01/2026", "14h", "Tiếp khách <b>đậm</b> & co")};
}

struct Event
{
    QString uid, summary, location, description;
    icaltimetype start, end;
};

QList<Event> readBack(const QByteArray& ics)
{
    QList<Event> events;
    icalcomponent* cal = icalparser_parse_string(ics.constData());
    EXPECT_NE(cal, nullptr);
    if (!cal)
        return events;
    for (icalcomponent* e = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        auto text = [](const char* s) { return s ? QString::fromUtf8(s) : QString(); };
        events << Event{text(icalcomponent_get_uid(e)),      text(icalcomponent_get_summary(e)),
                        text(icalcomponent_get_location(e)), text(icalcomponent_get_description(e)),
                        icalcomponent_get_dtstart(e),        icalcomponent_get_dtend(e)};
    }
    icalcomponent_free(cal);
    return events;
}

TEST(WeekFilesTest, TheCalendarReadsBackWithItsTimesTextsAndStableUids)
{
    const QDateTime stamp(QDate(2026, 1, 2), QTime(9, 0), Qt::UTC);
    const QByteArray ics = registers::weekCalendar(week(), QStringLiteral("Lịch tuần"), stamp);
    // RFC 5545: lines end in CR LF and are folded at 75 octets; the texts are escaped.
    for (const QByteArray& line : ics.split('\n'))
        EXPECT_LE(line.size(), 76) << line.constData();
    EXPECT_TRUE(ics.contains("\r\n"));
    EXPECT_TRUE(ics.contains("Phòng 1\\, tầng 2\\; nhà A\\\\B")) << ics.constData();

    const QList<Event> events = readBack(ics);
    ASSERT_EQ(events.size(), 3);
    const Event& a = events[0];
    EXPECT_EQ(a.uid, QStringLiteral("lich2025-7@selvaro"));
    EXPECT_EQ(a.summary, QStringLiteral("Họp \"tổng kết\", năm; 2025\nphần hai"));
    EXPECT_EQ(a.location, QStringLiteral("Phòng 1, tầng 2; nhà A\\B"));
    EXPECT_EQ(a.description, QStringLiteral("Nội dung: Họp \"tổng kết\", năm; 2025\nphần hai\nThành phần: Lãnh đạo; "
                                            "các phòng, ban\nChuẩn bị: Văn phòng\nGhi chú: Dòng một\nDòng hai"));
    EXPECT_FALSE(a.start.is_date);
    EXPECT_EQ(QString::fromLatin1(icaltime_as_ical_string(a.start)), QStringLiteral("20251231T083000"));
    EXPECT_EQ(QString::fromLatin1(icaltime_as_ical_string(a.end)), QStringLiteral("20251231T093000"));
    EXPECT_EQ(events[1].uid, QStringLiteral("lich2026-7@selvaro")); // the same id in the next year's table
    EXPECT_TRUE(events[1].start.is_date);                           // a time that cannot be read: all day
    EXPECT_EQ(QString::fromLatin1(icaltime_as_ical_string(events[1].start)), QStringLiteral("20260101"));
    EXPECT_EQ(QString::fromLatin1(icaltime_as_ical_string(events[1].end)), QStringLiteral("20260102"));
    EXPECT_EQ(events[2].start.hour, 14);

    // Exported again later: the same UIDs, so a calendar updates its events.
    const QList<Event> again = readBack(registers::weekCalendar(week(), QString(), stamp.addSecs(3600)));
    ASSERT_EQ(again.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(again[i].uid, events[i].uid);
}

TEST(WeekFilesTest, ThePageShowsWhatWasTypedAsText)
{
    const common::Week w{QDate(2025, 12, 29), QDate(2026, 1, 4)};
    const QString html = registers::weekPage(w, week(), {QStringLiteral("UBND HUYỆN A"), QStringLiteral("VĂN PHÒNG")},
                                             QDateTime(QDate(2026, 1, 2), QTime(9, 5)));
    EXPECT_FALSE(html.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>đậm")));
    QTextDocument page;
    page.setHtml(html);
    const QString text = page.toPlainText().simplified();
    for (const char* shown :
         {"UBND HUYỆN A VĂN PHÒNG LỊCH LÀM VIỆC HÀNG TUẦN (Từ 29/12/2025 đến 04/01/2026)", "Tiếp khách <b>đậm</b> & co",
          "Họp \"tổng kết\", năm; 2025 phần hai", "Cập nhật lúc 09:05 ngày 02/01/2026"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
    // Each day under its own row, in order.
    const qsizetype first = text.indexOf(QStringLiteral("Thứ tư, ngày 31/12/2025"));
    const qsizetype second = text.indexOf(QStringLiteral("Thứ năm, ngày 01/01/2026"));
    EXPECT_TRUE(first >= 0 && first < second && second < text.indexOf(QStringLiteral("Thứ sáu, ngày 02/01/2026")))
        << text.toStdString();
}

} // namespace
