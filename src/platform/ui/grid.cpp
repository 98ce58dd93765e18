#include "grid.h"

#include "ui_log.h"

#include "field_value.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>

namespace ui {

Grid::Grid(QWidget* parent) : QTableView(parent), m_model(new RecordsetTableModel(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setAlternatingRowColors(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(18);
    verticalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &Grid::onCurrentChanged);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit Click();
    });
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit DblClick();
    });
    connect(verticalHeader(), &QHeaderView::sectionClicked, this, [this](int row) { chooseRow(row); });
    connect(verticalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int row) {
        chooseRow(row);
        if (m_source && m_source->hasCurrentRecord() && m_source->recordset().absolutePosition() == row)
            emit DblClick();
    });
}

void Grid::setDataSource(DataControl* source)
{
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (m_source) {
        m_connections << connect(m_source, &DataControl::recordsetReplaced, this, &Grid::reloadRows);
        m_connections << connect(m_source, &DataControl::dataChanged, this, &Grid::reloadRows);
        m_connections << connect(m_source, &DataControl::Reposition, this, &Grid::followDataControl);
    }
    reloadRows();
}

void Grid::addColumn(const QString& caption, const QString& field, int width)
{
    m_model->addColumn(caption, field);
    if (width > 0)
        setColumnWidth(m_model->columnCount() - 1, width);
    followDataControl();
}

void Grid::clearColumns()
{
    m_model->clearColumns();
}

int Grid::columns() const
{
    return m_model->columnCount();
}

QString Grid::columnField(int column) const
{
    return m_model->columns().value(column).field;
}

QString Grid::columnCaption(int column) const
{
    return m_model->columns().value(column).caption;
}

QString Grid::columnText(int column) const
{
    if (!m_source || !m_source->hasCurrentRecord() || column < 0 || column >= m_model->columnCount())
        return QString();
    try {
        return displayText(m_source->recordset().value(columnField(column)));
    } catch (const db::DbError& e) {
        qCDebug(lcUi) << objectName() << "column" << column << "read as empty:" << e.description();
        return QString();
    }
}

int Grid::currentRow() const
{
    const QModelIndex current = selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int Grid::contentsWidth() const
{
    const QFontMetrics header(horizontalHeader()->font());
    const QFontMetrics cells(font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 12;
    int width = verticalHeader()->width() + 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int column = 0; column < m_model->columnCount(); ++column) {
        int widest = header.horizontalAdvance(columnCaption(column));
        for (int row = 0; row < m_model->rowCount(); ++row)
            widest = qMax(widest, cells.horizontalAdvance(m_model->index(row, column).data().toString()));
        width += widest + padding;
    }
    return width;
}

void Grid::refresh()
{
    reloadRows();
}

void Grid::reloadRows()
{
    m_following = true;
    m_model->setRecordset(m_source ? m_source->recordset() : db::Recordset());
    m_following = false;
    followDataControl();
}

void Grid::followDataControl()
{
    int row = -1;
    if (m_source && m_source->hasRecordset()) {
        try {
            const db::Recordset rs = m_source->recordset();
            if (rs.editMode() != db::EditMode::AddNew)
                row = rs.absolutePosition();
        } catch (const db::DbError& e) {
            qCDebug(lcUi) << objectName() << "no row to follow:" << e.description();
            row = -1;
        }
    }
    m_following = true;
    if (row >= 0 && row < m_model->rowCount()) {
        const int column = qMax(0, currentIndex().column());
        const QModelIndex index = m_model->index(row, column);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    } else {
        selectionModel()->clear();
    }
    m_following = false;
}

void Grid::chooseRow(int row)
{
    if (!m_source || row < 0 || row >= m_model->rowCount())
        return;
    if (m_source->hasCurrentRecord() && m_source->recordset().absolutePosition() == row)
        return;
    if (!m_source->moveTo(row))
        followDataControl(); // cancelled or failed: show the data control's row again
}

void Grid::onCurrentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (m_following || !current.isValid())
        return;
    if (previous.isValid() && previous.row() == current.row())
        return;
    chooseRow(current.row());
}

void Grid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        emit GotFocus();
}

void Grid::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key() == Qt::Key_Enter ? Qt::Key_Return : event->key();
    // The keypad's Enter comes with the keypad modifier: it counts as Enter.
    if (m_doubleClickKeys.contains(key) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (m_source && m_source->hasCurrentRecord())
            emit DblClick();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void Grid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        emit LostFocus();
}

} // namespace ui
