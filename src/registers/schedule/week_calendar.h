#pragma once

// A week of the schedule as an iCalendar file (RFC 5545), written with libical. Widget-free.
//
// One VEVENT per item. An item whose time can be read (common::readTime) starts at its day and time,
// in the local time of whoever opens the file (a "floating" time, as a wall calendar has), and
// lasts kEventMinutes; any other item is an all-day event on its day. SUMMARY is the content
// (ndung), LOCATION the place (diadiem), DESCRIPTION the content, participants, person chairing,
// person preparing and note, one labelled line each. The UID is made of the item's year table and
// id ("lich2026-17@selvaro"), so a calendar that reads the file again updates the events it has
// instead of adding them twice. Texts are escaped as RFC 5545 requires by libical (backslash,
// semicolon, comma, line break); line breaks typed as CR or CR LF become one line break.

#include "schedule_item.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace registers {

// How long an item with a time lasts in the calendar.
constexpr int kEventMinutes = 60;

// The UID of item: "<year table>-<id>@selvaro", the table in lower case.
QString eventUid(const ScheduleItem& item);

// The calendar of items, named name (X-WR-CALNAME), stamped stamp (DTSTAMP, in UTC). Items
// without a readable day (ngaychuan) are left out.
QByteArray weekCalendar(const QList<ScheduleItem>& items, const QString& name, const QDateTime& stamp);

} // namespace registers
