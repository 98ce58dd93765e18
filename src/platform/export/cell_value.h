#pragma once

#include "export_table.h"

#include <QDateTime>

namespace exporting {

// One value of a list as a cell: what the writers put in the file.
struct Cell
{
    enum class Type
    {
        Blank,
        Text,
        Number,
        Date,     // a day
        DateTime, // a day and a time of day
    };
    Type type = Type::Blank;
    QString text;      // Text; also the shown text of the other types (dd/mm/yyyy, 12, 3.5)
    double number = 0; // Number
    QDate date;        // Date, DateTime
    QTime time{0, 0};  // DateTime
};

// The cell value of a column of kind gives: null and "" are Blank; a number in a Number column
// is a Number; a date of 1900-9999 in a Date column is a Date (a DateTime when it has a time of
// day), and so is a text dd/mm/yyyy there; anything else is Text as the lists show it (dates
// dd/mm/yyyy, yes/no "True"/"False").
Cell cellOf(const QVariant& value, ColumnKind kind);

} // namespace exporting
