#pragma once

#include "report_file.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class Database;
}

namespace report {

// One row of a report's table, as printed: one text per column of the report.
struct ReportRow
{
    QStringList cells;
    bool startsGroup = false; // the first row of a group (reports with group = ...)
    QString groupCaption;     // the group row printed above it; set on every row of the group
};

// Name every cell and group template may use besides the source's columns: the row's number,
// counted from 1 in printing order.
inline constexpr char16_t rowNumberName[] = u"row_number";

// Reads the rows of file's data source from database, in the file's order (or the source's own
// order when the file names none), and turns each into its cell texts:
// - a column naming a field prints its value: text as stored, numbers in digits, a yes/no field
//   as "x" for yes and nothing for no, a Null as nothing;
// - a template column renders its template with the row's fields (yes/no fields as true/false,
//   empty texts counting as false) and {{row_number}}.
// Column names are matched without regard to letter case. An empty source gives no rows.
// Raises ReportError: DataSource when database is not open or the source is not one of its
// tables or stored queries (the message carries the engine's reason); UnknownColumn, naming the
// report file, its line, the column and the source, when a column, an order or group column or a
// name used in a cell or group template is not a column of the source.
QList<ReportRow> loadReportRows(const ReportFile& file, db::Database& database);

} // namespace report
