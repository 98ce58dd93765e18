#include "recordset_table.h"

#include "export_error.h"

#include "platform/db/db_error.h"

namespace exporting {
namespace {

constexpr int kProgressRows = 500;

int fieldIndex(const db::Recordset& rs, const QString& field)
{
    for (int i = 0; i < rs.fieldCount(); ++i) {
        if (rs.fieldName(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

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

Table tableFromRecordset(const db::Recordset& rs, const QList<SourceColumn>& columns, const Progress& progress)
{
    Table table;
    QList<int> indexes; // field index per column, -1 for a field the recordset lacks
    for (const SourceColumn& column : columns) {
        Column out{column.head, ColumnKind::Text};
        int index = -1;
        if (rs.hasField(column.field)) {
            index = fieldIndex(rs, column.field);
            try {
                out.kind = kindOfField(rs.fieldDef(column.field).type);
                // The registers keep a date as its text dd/mm/yyyy beside a sort key <name>chuan.
                if (out.kind == ColumnKind::Text && rs.hasField(column.field + QStringLiteral("chuan")))
                    out.kind = ColumnKind::Date;
            } catch (const db::DbError&) {
                // a computed column carries no definition: its values are written as text
            }
        }
        table.columns.append(out);
        indexes.append(index);
    }
    db::Recordset cursor = rs.clone();
    const qint64 total = cursor.recordCount();
    table.rows.reserve(total);
    cursor.moveFirst();
    while (!cursor.eof()) {
        QVariantList row;
        row.reserve(indexes.size());
        for (int index : std::as_const(indexes))
            row.append(index >= 0 ? cursor.value(index) : QVariant());
        table.rows.append(row);
        cursor.moveNext();
        if (progress && table.rows.size() % kProgressRows == 0 && !progress(table.rows.size(), total))
            throw ExportError(ExportError::Kind::Cancelled, QString());
    }
    return table;
}

} // namespace exporting
