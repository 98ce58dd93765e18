#include "recordset_table.h"

#include "export_error.h"

namespace exporting {
namespace {

constexpr int kProgressRows = 500;

} // namespace

QList<SourceColumn> listColumns(const QList<SourceColumn>& grid, const QList<SourceColumn>& boxes,
                                const QStringList& leaveOut)
{
    QList<SourceColumn> out;
    for (const SourceColumn& column : grid) {
        if (!leaveOut.contains(column.field, Qt::CaseInsensitive))
            out.append(column);
    }
    QStringList written = leaveOut;
    for (const SourceColumn& column : grid)
        written.append(column.field);
    for (const SourceColumn& column : boxes) {
        if (written.contains(column.field, Qt::CaseInsensitive))
            continue;
        out.append(column);
        written.append(column.field);
    }
    return out;
}

ColumnKind kindOfField(db::FieldType type)
{
    switch (type) {
    case db::FieldType::Byte:
    case db::FieldType::Integer:
    case db::FieldType::Long:
    case db::FieldType::Currency:
    case db::FieldType::Single:
    case db::FieldType::Double:
        return ColumnKind::Number;
    case db::FieldType::Date:
        return ColumnKind::Date;
    case db::FieldType::Boolean:
    case db::FieldType::Text:
    case db::FieldType::LongBinary:
    case db::FieldType::Memo:
        break;
    }
    return ColumnKind::Text;
}

Table tableFromRows(db::RowReader& rows, const QList<SourceColumn>& columns, qint64 total, const Progress& progress)
{
    Table table;
    QList<int> indexes; // field index per column, -1 for a field the rows lack
    for (const SourceColumn& column : columns) {
        Column out{column.head, ColumnKind::Text};
        const int index = rows.fieldIndex(column.field);
        if (index >= 0) {
            out.kind = kindOfField(rows.column(index).def.type);
            // The registers keep a date as its text dd/mm/yyyy beside a sort key <name>chuan.
            if (out.kind == ColumnKind::Text && rows.hasField(column.field + QStringLiteral("chuan")))
                out.kind = ColumnKind::Date;
        }
        table.columns.append(out);
        indexes.append(index);
    }
    table.rows.reserve(total);
    while (rows.next()) {
        QVariantList row;
        row.reserve(indexes.size());
        for (int index : std::as_const(indexes))
            row.append(index >= 0 ? rows.value(index) : QVariant());
        table.rows.append(row);
        if (progress && table.rows.size() % kProgressRows == 0 && !progress(table.rows.size(), total))
            throw ExportError(ExportError::Kind::Cancelled, QString());
    }
    return table;
}

} // namespace exporting
