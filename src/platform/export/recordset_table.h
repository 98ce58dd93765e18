#pragma once

#include "export_table.h"

#include "platform/db/field_def.h"
#include "platform/db/row_reader.h"

#include <QStringList>

namespace exporting {

// A column of a list as its grid shows it: the head and the field under it.
struct SourceColumn
{
    QString head;
    QString field;
};

// The columns a list writes: grid (the columns its grid shows), then the fields of boxes (the
// boxes showing the current row, in their on-screen order) not already written, in their order.
// A field of leaveOut is written under neither; fields compare without regard to case.
QList<SourceColumn> listColumns(const QList<SourceColumn>& grid, const QList<SourceColumn>& boxes,
                                const QStringList& leaveOut);

// The kind of column a field of type gives: whole and other numbers Number, dates Date,
// everything else (texts, memos, yes/no) Text.
ColumnKind kindOfField(db::FieldType type);

// The rows left in rows (read once, to the end) under columns: each column's kind from its
// field's type, and Date for a text field beside which the rows have the sort key "<field>chuan"
// (the registers keep dates as their text dd/mm/yyyy with a key yyyymmdd); a field the rows lack
// is a Text column, blank in every row. total is the number of rows expected, for progress only.
// Raises ExportError Cancelled when progress returned false, and lets db::DbError through when
// the rows cannot be read.
Table tableFromRows(db::RowReader& rows, const QList<SourceColumn>& columns, qint64 total,
                    const Progress& progress = {});

} // namespace exporting
