#pragma once

// What the schedule forms do with the schedule tables (lich + year), kept free of widgets: the
// time's sort key, the statements of the sorted list and of a week, and which year tables a week
// reads.

#include "common/weeks.h"
#include "platform/db/database.h"
#include "registers/register_print.h"

#include <QString>
#include <QStringList>

namespace registers {

// The sort key giochuan of a time typed as gio: a one-character hour before the first lower-case
// "h" gets a leading "0" ("9h" -> "09h", "8h30" -> "08h30"); a time without "h", beginning with
// it, with a longer hour or an upper-case "H" is kept as typed ("14h", "8:30", "h30", "9H").
QString timeKey(const QString& gio);

// The schedule of a year table in the lists' order: by day, then by time.
QString scheduleListSource(const QString& table);

// The year tables a week is read from: the working year's table (the one the entry form shows),
// then the table of each year the week touches when the file holds it. A week across 31
// December thus shows the days of both years.
QStringList weekTables(db::Database& db, const QString& workingTable, const common::Week& week);

// The rows of week in tables, by day then time. One table gives the plain statement the main
// window also builds; several are joined with UNION ALL and each row carries its table's name in
// the column "bang", so that a row's id is looked for only in its own table.
QString weekSource(const QStringList& tables, const common::Week& week);

// The fills of the print table inlich with the week's rows of tables (one a table; from several
// tables the print table numbers the rows itself, since two years may hold the same id).
QList<registers::PrintFill> weekPrintFills(const QStringList& tables, const common::Week& week);

// "(Từ dd/mm/yyyy đến dd/mm/yyyy)": the title of a printed week.
QString weekTitle(const common::Week& week);

} // namespace registers
