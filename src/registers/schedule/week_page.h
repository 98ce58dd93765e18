#pragma once

// A week of the schedule as a web page: one self-contained HTML file (its style inside, no
// scripts, no other files), laid out as the printed week (brlichtuan.rpt): the organisation's
// names, the title and the week, then the items by day and time under a row for each day.
// Printable from a browser (landscape A4). Every text of the register is escaped, so what was
// typed is shown as typed. Widget-free.

#include "schedule_item.h"

#include "common/weeks.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace registers {

struct WeekPageHeading
{
    QString superior;     // tencaptren
    QString organisation; // tendonvi
};

// The page of week holding items (in their order), written at written (shown at its foot).
QString weekPage(const common::Week& week, const QList<ScheduleItem>& items, const WeekPageHeading& heading,
                 const QDateTime& written);

} // namespace registers
