#pragma once

#include "data_control.h"
#include "recordset_table_model.h"

#include <QPointer>
#include <QTableView>

namespace ui {

// A grid bound to a data control (DBGrid): one row per record, columns bound to fields with
// captions, a row selector at the left of each row.
//
// Contracts:
// - The grid follows the data control: after every Reposition its current row is the data
//   control's current record (none when the recordset is empty).
// - Choosing a row (click, arrow keys, row selector) moves the data control there through its
//   moveTo(), so Validate and Reposition are raised; when Validate cancels, the grid returns to
//   the data control's row.
// - Click is raised after a click on a cell has moved the data control; DblClick after a
//   double-click on a cell or a row selector (the data control is then on that row).
// - Rows are re-read when the data control opens a new recordset or writes through its own
//   methods; after writing through recordset() directly call refresh().
// - LostFocus is raised when the focus leaves the grid for another control of the program.
class Grid : public QTableView
{
    Q_OBJECT

public:
    explicit Grid(QWidget* parent = nullptr);

    void setDataSource(DataControl* source);
    DataControl* dataSource() const { return m_source; }

    // Adds a column showing field under caption; width in pixels (-1: the default width).
    void addColumn(const QString& caption, const QString& field, int width = -1);
    void clearColumns();
    int columns() const;
    QString columnField(int column) const;
    QString columnCaption(int column) const;
    // The current record's value of a column, as shown ("" with no current record).
    QString columnText(int column) const;
    // The row the grid shows as current (zero-based), -1 for none.
    int currentRow() const;

    // Keys that act on the current row as a double-click does (DblClick is raised when there is
    // a current record): Enter in a pick list, Space in a list whose rows are marked. None unless
    // given; Qt::Key_Return stands for both Enter keys.
    void setDoubleClickKeys(const QList<int>& keys) { m_doubleClickKeys = keys; }

    // The width the columns need to show every row's text and their captions in full, with the
    // row selector, the frame and room for a vertical scroll bar.
    int contentsWidth() const;

    // Re-reads the rows and their count (DBGrid.Refresh).
    void refresh();
    RecordsetTableModel* tableModel() const { return m_model; }

signals:
    void Click();
    void DblClick();
    void GotFocus();
    void LostFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void reloadRows();
    void followDataControl();
    void onCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void chooseRow(int row);

    QPointer<DataControl> m_source;
    RecordsetTableModel* m_model;
    QList<QMetaObject::Connection> m_connections;
    bool m_following = false;
    QList<int> m_doubleClickKeys;
};

} // namespace ui
