#include "week_page.h"

#include "schedule_record.h"

#include "common/dates.h"

namespace registers {
namespace {

const char* const kStyle = R"(
body { font-family: "Liberation Serif", "Times New Roman", serif; font-size: 12pt; margin: 16px; }
table.heading td { text-align: center; vertical-align: top; }
h1 { text-align: center; font-size: 16pt; margin: 14px 0 2px 0; }
p.week { text-align: center; font-style: italic; margin: 0 0 12px 0; }
table.week { border-collapse: collapse; width: 100%; }
table.week th, table.week td { border: 1px solid #000; padding: 3px 5px; vertical-align: top; }
table.week th { background: #e8e8e8; }
tr.day td { font-weight: bold; background: #f4f4f4; }
td.time { text-align: center; white-space: nowrap; }
p.written { font-size: 9pt; color: #444; margin-top: 10px; }
@page { size: A4 landscape; margin: 12mm; }
@media print { tr { page-break-inside: avoid; } }
)";

// The text as typed, shown literally; its line breaks kept.
QString cell(const QString& s)
{
    QString t = s.trimmed();
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

// "Thứ hai, ngày 05/01/2026": the weekday stored with the item, else the one of its day.
QString dayCaption(const ScheduleItem& i)
{
    QString weekday = i.weekday.trimmed();
    if (weekday.isEmpty()) {
        const QDate day = QDate::fromString(i.dayKey, QStringLiteral("yyyyMMdd"));
        weekday = day.isValid() ? common::weekdayName(common::weekdayNumber(day)) : QString();
    }
    return weekday.isEmpty() ? QStringLiteral("Ngày ") + cell(i.day)
                             : cell(weekday) + QStringLiteral(", ngày ") + cell(i.day);
}

} // namespace

QString weekPage(const common::Week& week, const QList<ScheduleItem>& items, const WeekPageHeading& heading,
                 const QDateTime& written)
{
    const QString from = common::dateToText(week.monday);
    const QString to = common::dateToText(week.sunday);
    QString html;
    html +=
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"vi\">\n<head>\n<meta charset=\"utf-8\">\n<title>Lịch làm việc "
                       "tuần từ ") +
        from + QStringLiteral(" đến ") + to + QStringLiteral("</title>\n<style>") + QString::fromUtf8(kStyle) +
        QStringLiteral("</style>\n</head>\n<body>\n");
    html += QStringLiteral("<table class=\"heading\" width=\"100%\"><tr><td width=\"42%\">") + cell(heading.superior) +
            QStringLiteral("<br><b>") + cell(heading.organisation) +
            QStringLiteral("</b></td><td width=\"58%\"></td></tr></table>\n");
    html += QStringLiteral("<h1>LỊCH LÀM VIỆC HÀNG TUẦN</h1>\n<p class=\"week\">") + cell(weekTitle(week)) +
            QStringLiteral("</p>\n");
    html += QStringLiteral("<table class=\"week\" width=\"100%\" cellspacing=\"0\" cellpadding=\"4\" border=\"1\">\n"
                           "<thead><tr><th>Giờ</th><th>Nội dung công việc</th><th>Địa điểm</th><th>Chủ trì</th>"
                           "<th>Chuẩn bị</th><th>Thành phần</th><th>Ghi chú</th></tr></thead>\n<tbody>\n");
    QString day;
    for (const ScheduleItem& i : items) {
        if (i.dayKey != day || day.isEmpty()) {
            day = i.dayKey;
            html +=
                QStringLiteral("<tr class=\"day\"><td colspan=\"7\">") + dayCaption(i) + QStringLiteral("</td></tr>\n");
        }
        html += QStringLiteral("<tr><td class=\"time\">") + cell(i.time) + QStringLiteral("</td><td>") +
                cell(i.content) + QStringLiteral("</td><td>") + cell(i.place) + QStringLiteral("</td><td>") +
                cell(i.chair) + QStringLiteral("</td><td>") + cell(i.preparer) + QStringLiteral("</td><td>") +
                cell(i.participants) + QStringLiteral("</td><td>") + cell(i.note) + QStringLiteral("</td></tr>\n");
    }
    if (items.isEmpty())
        html += QStringLiteral("<tr><td colspan=\"7\">Không có lịch làm việc nào trong tuần này.</td></tr>\n");
    html += QStringLiteral("</tbody>\n</table>\n<p class=\"written\">Cập nhật lúc ") +
            written.toString(QStringLiteral("HH:mm")) + QStringLiteral(" ngày ") + common::dateToText(written.date()) +
            QStringLiteral("</p>\n</body>\n</html>\n");
    return html;
}

} // namespace registers
