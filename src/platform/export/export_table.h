#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace exporting {

// What a column holds, which decides how its cells are written: Text as strings (never as
// formulas), Number as numeric cells, Date as date cells shown dd/mm/yyyy (with hh:mm when a
// value has a time of day).
enum class ColumnKind
{
    Text,
    Number,
    Date,
};

struct Column
{
    QString head; // as the list shows it
    ColumnKind kind = ColumnKind::Text;
};

// A list to be saved: the heads and kinds of its columns and its rows, one value per column
// (QString for texts, int/qlonglong/double for numbers, QDate or QDateTime for dates). A null
// or empty value is a blank cell. A value that does not fit its column's kind (a text in a
// Number column, a date before 1900) is written as text, so nothing is lost.
struct Table
{
    QList<Column> columns;
    QList<QVariantList> rows;
};

// Called as rows are read or written with the rows done so far and the rows in all; returning
// false stops the work (the target file is then left as it was).
using Progress = std::function<bool(qint64 done, qint64 total)>;

} // namespace exporting
