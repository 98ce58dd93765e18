#include "recordset_table_model.h"

#include "ui_log.h"

#include "field_value.h"

#include "platform/db/db_error.h"

namespace ui {

RecordsetTableModel::RecordsetTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordsetTableModel::addColumn(const QString& caption, const QString& field)
{
    beginResetModel();
    m_columns.append({caption, field});
    m_blocks.clear();
    m_blockOrder.clear();
    endResetModel();
}

void RecordsetTableModel::clearColumns()
{
    beginResetModel();
    m_columns.clear();
    m_blocks.clear();
    m_blockOrder.clear();
    endResetModel();
}

void RecordsetTableModel::setRecordset(const db::Recordset& rs)
{
    m_source = rs;
    reload();
}

int RecordsetTableModel::countRows() const
{
    if (m_cursor.isNull())
        return 0;
    try {
        return m_cursor.recordCount();
    } catch (const db::DbError& e) {
        qCWarning(lcUi) << "grid rows not counted:" << e.description();
        return 0;
    }
}

void RecordsetTableModel::reload()
{
    beginResetModel();
    m_blocks.clear();
    m_blockOrder.clear();
    m_cursor = db::Recordset();
    if (!m_source.isNull()) {
        try {
            m_cursor = m_source.clone();
        } catch (const db::DbError& e) {
            qCWarning(lcUi) << "grid source not readable:" << e.description();
            m_cursor = db::Recordset();
        }
    }
    m_rows = countRows();
    endResetModel();
}

void RecordsetTableModel::redraw()
{
    m_blocks.clear();
    m_blockOrder.clear();
    if (m_rows > 0 && !m_columns.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows - 1, static_cast<int>(m_columns.size()) - 1));
}

int RecordsetTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int RecordsetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

const QList<QStringList>& RecordsetTableModel::block(int number) const
{
    auto found = m_blocks.constFind(number);
    if (found != m_blocks.constEnd())
        return *found;

    QList<QStringList> rows;
    const int first = number * kBlockRows;
    const int last = qMin(first + kBlockRows, m_rows);
    try {
        m_cursor.setAbsolutePosition(first);
        for (int r = first; r < last; ++r) {
            QStringList cells;
            cells.reserve(m_columns.size());
            for (const Column& column : m_columns) {
                QString cell;
                try {
                    cell = displayText(m_cursor.value(column.field));
                } catch (const db::DbError& e) {
                    // unknown field or a row deleted meanwhile: an empty cell
                    qCDebug(lcUi) << "grid cell" << r << column.field << "shown empty:" << e.description();
                }
                cells.append(cell);
            }
            rows.append(cells);
            ++m_rowsFetched;
            m_cursor.moveNext();
            if (m_cursor.eof())
                break;
        }
    } catch (const db::DbError& e) {
        // fewer rows than counted (deleted by another program): the rest show empty
        qCDebug(lcUi) << "grid rows from" << first << "shown empty:" << e.description();
    }
    if (m_blocks.size() >= kMaxBlocks && !m_blockOrder.isEmpty())
        m_blocks.remove(m_blockOrder.takeFirst());
    m_blockOrder.append(number);
    return *m_blocks.insert(number, rows);
}

QString RecordsetTableModel::text(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns.size())
        return QString();
    const QList<QStringList>& rows = block(row / kBlockRows);
    const int offset = row % kBlockRows;
    if (offset >= rows.size())
        return QString();
    return rows.at(offset).value(column);
}

QVariant RecordsetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    return text(index.row(), index.column());
}

QVariant RecordsetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section < m_columns.size() ? m_columns.at(section).caption : QString();
    return QVariant();
}

} // namespace ui
