#include "dates.h"

#include "clock.h"

#include <QSet>

namespace common {
namespace {

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'-' || c == u'.';
}

bool allDigits(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

struct DateParts
{
    QString day;
    QString month;
    QString year;
};

// Reads the text from its last character back to its first: the first separator met ends the
// year, every later one ends the month (replacing an earlier month); what is left is the day.
DateParts splitDate(const QString& text)
{
    DateParts parts;
    QString group;
    bool yearDone = false;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar c = text.at(i);
        if (!isSeparator(c)) {
            group.prepend(c);
            continue;
        }
        if (!yearDone) {
            parts.year = group;
            yearDone = true;
        } else {
            parts.month = group;
        }
        group.clear();
    }
    parts.day = group;
    return parts;
}

QString padOne(const QString& s)
{
    return s.size() == 1 ? QLatin1Char('0') + s : s;
}

// The sliding window for a two-digit year around the clock's year.
QString completeYear(const QString& twoDigits)
{
    const int now = clock().today().year();
    int year = (now / 100) * 100 + twoDigits.toInt();
    if (year > now && year - now > 20)
        year -= 100;
    else if (year <= now && now - year > 80)
        year += 100;
    return QString::number(year);
}

// Reads "dd/mm/yyyy" with the checks of parseDate(); invalid QDate when they fail.
QDate readDisplayDate(const QString& text)
{
    if (text.size() != 10 || text.at(2) != u'/' || text.at(5) != u'/')
        return {};
    const QString day = text.mid(0, 2), month = text.mid(3, 2), year = text.mid(6, 4);
    if (!allDigits(day) || !allDigits(month) || !allDigits(year))
        return {};
    const int y = year.toInt();
    if (y < 1000)
        return {};
    return QDate(y, month.toInt(), day.toInt()); // invalid for month 13, 31/04, 29/02/2009 ...
}

const QStringList kEnglishMonths = {
    QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
    QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
    QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec"),
};

} // namespace

QStringList monthTable(const QLocale& locale)
{
    QStringList names;
    QSet<QString> seen;
    for (int month = 1; month <= 12; ++month) {
        const QString name = locale.monthName(month, QLocale::ShortFormat).left(3);
        if (name.isEmpty() || name.contains(u'/') || seen.contains(name))
            return kEnglishMonths;
        seen.insert(name);
        names << name;
    }
    return names;
}

QString monthName(int month)
{
    static const QStringList table = monthTable(QLocale::system());
    return month >= 1 && month <= 12 ? table.at(month - 1) : QString();
}

QString parseDate(const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.size() < 4)
        return {};
    const DateParts parts = splitDate(text);
    QString year = parts.year.trimmed();
    if (year.size() == 2 && allDigits(year))
        year = completeYear(year);
    const QString composed =
        padOne(parts.day.trimmed()) + QLatin1Char('/') + padOne(parts.month.trimmed()) + QLatin1Char('/') + year;
    return readDisplayDate(composed).isValid() ? composed : QString();
}

QString normaliseDate(const QString& text)
{
    if (text.size() < 4)
        return {};
    const DateParts parts = splitDate(text);
    const QString year = parts.year.size() == 2 ? QStringLiteral("19") + parts.year : parts.year;
    return year + padOne(parts.month) + padOne(parts.day);
}

QString monthNameDate(const QString& displayDate)
{
    const QString month = displayDate.mid(3, 2);
    const int number = allDigits(month) ? month.toInt() : 0;
    if (number < 1 || number > 12)
        return {};
    return displayDate.mid(0, 2) + QLatin1Char('/') + monthName(number) + QLatin1Char('/') + displayDate.mid(6, 4);
}

QString dateToText(const QDate& date)
{
    if (!date.isValid() || date.year() < 1000 || date.year() > 9999)
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year());
}

QDate dateFromDisplay(const QString& displayDate)
{
    return readDisplayDate(displayDate);
}

int weekdayNumber(const QDate& date)
{
    return date.isValid() ? date.dayOfWeek() % 7 + 1 : 0;
}

QString weekdayName(int n)
{
    switch (n) {
    case 1:
        return QStringLiteral("Chủ nhật");
    case 2:
        return QStringLiteral("Thứ hai");
    case 3:
        return QStringLiteral("Thứ ba");
    case 4:
        return QStringLiteral("Thứ tư");
    case 5:
        return QStringLiteral("Thứ năm");
    case 6:
        return QStringLiteral("Thứ sáu");
    case 7:
        return QStringLiteral("Thứ bảy");
    default:
        return {};
    }
}

} // namespace common
