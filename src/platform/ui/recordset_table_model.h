#pragma once

#include "platform/db/recordset.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>

namespace ui {

// The rows of a recordset as a table for a grid, read by position through a cursor of its own
// (a clone), so the grid never moves the form's current record. Rows are read in blocks on
// demand and a bounded number of blocks is kept, so a grid over tens of thousands of rows
// reads only what is on screen. A column whose field the recordset lacks shows empty cells.
// After rows change (written, added, deleted, requeried) call reload().
class RecordsetTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Column
    {
        QString caption;
        QString field;
    };

    explicit RecordsetTableModel(QObject* parent = nullptr);

    void addColumn(const QString& caption, const QString& field);
    void clearColumns();
    const QList<Column>& columns() const { return m_columns; }

    // Shows the rows of rs (a null handle shows no rows).
    void setRecordset(const db::Recordset& rs);
    // Reads the row count again and forgets every row read so far.
    void reload();
    // Forgets the rows read so far and redraws them, keeping the row count.
    void redraw();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The text of one cell ("" outside the table).
    QString text(int row, int column) const;
    // Rows read from the recordset so far (for tests of the on-demand reading).
    int rowsFetched() const { return m_rowsFetched; }

    static constexpr int kBlockRows = 64;
    static constexpr int kMaxBlocks = 48;

private:
    const QList<QStringList>& block(int number) const;
    int countRows() const;

    QList<Column> m_columns;
    db::Recordset m_source;
    mutable db::Recordset m_cursor;
    int m_rows = 0;
    mutable QHash<int, QList<QStringList>> m_blocks;
    mutable QList<int> m_blockOrder; // oldest first
    mutable int m_rowsFetched = 0;
};

} // namespace ui
