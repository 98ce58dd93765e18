#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

// Dates as the registers keep them. A typed date is day-month-year text; it is stored as the
// display text "dd/mm/yyyy" and, in a companion column whose name ends in "chuan", as the
// normalised text "yyyymmdd", which sorts and compares correctly as plain text. Nothing here
// depends on the machine's short-date order, and nothing shows a message.
namespace common {

// --- month table ---------------------------------------------------------------------------

// The month table for a locale: entry k-1 is the first three characters of the locale's
// abbreviated name of month k. When those twelve are not all distinct and non-empty, or one
// holds a "/" (the Vietnamese locale's names all begin "thg"), the fixed English abbreviations
// "Jan" ... "Dec" are used instead, so the table can always be read back.
QStringList monthTable(const QLocale& locale);

// The program's month table `monthName`: entry `month` (1..12) of monthTable(QLocale::system()),
// built on first use; "" for any other month number.
QString monthName(int month);

// --- the five date procedures ----------------------------------------------------------------

// Date parsing (the date check): turns typed text into "dd/mm/yyyy", or "" when it is not a date.
// - The text is trimmed; fewer than 4 characters give "".
// - "/", "-" and "." separate the parts; with more than two separators the month is the second
//   group from the left and the day the first; each part is trimmed.
// - A two-digit year is completed with the century of the clock's year (common::clock()), then
//   moved a century back when that lands more than 20 years after the clock's year, or a century
//   on when it lands more than 80 years before it: with the clock in 2009, 95 -> 1995,
//   29 -> 2029, 30 -> 1930, 05 -> 2005.
// - One-digit day and month get a leading "0".
// - Valid means: day and month two digits, month 01..12, the day exists in that month of that
//   year (29/02 only in leap years), the year exactly four digits from 1000 to 9999.
QString parseDate(const QString& typed);

// Date normalisation: "yyyymmdd" assembled from the parts of a date text (normally a display
// date), "" when the text has fewer than 4 characters. Parts are not trimmed or checked; a
// one-digit day or month gets "0", a two-digit year gets "19" (no window: callers pass texts
// date parsing has completed). "05/03/2009" -> "20090305"; a text without separators comes back
// unchanged.
QString normaliseDate(const QString& text);

// Month-name date: "dd/" + monthName(month) + "/yyyy" from a display date (characters 1-2,
// 4-5 and 7-10), or "" when characters 4-5 are not "01" to "12".
QString monthNameDate(const QString& displayDate);

// Date-to-text: "dd/mm/yyyy" of a date value; "" for an invalid date or a year outside
// 1000..9999.
QString dateToText(const QDate& date);

// The date a display date "dd/mm/yyyy" names, or an invalid QDate when parseDate() would refuse
// it (used to find the weekday of a typed day).
QDate dateFromDisplay(const QString& displayDate);

// --- weekdays ----------------------------------------------------------------------------------

// Weekday number counted from Sunday = 1 to Saturday = 7; 0 for an invalid date.
int weekdayNumber(const QDate& date);

// Vietnamese name of weekday n (1 "Chủ nhật", 2 "Thứ hai", ..., 7 "Thứ bảy"); "" for any other n.
QString weekdayName(int n);

} // namespace common
