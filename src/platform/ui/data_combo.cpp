#include "data_combo.h"

#include "field_value.h"

#include "platform/db/db_error.h"
#include "platform/jetsql/fold.h"
#include "ui_log.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace ui {

DataCombo::DataCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(12);
    if (lineEdit())
        lineEdit()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, &DataCombo::onActivated);
    connect(this, &QComboBox::currentTextChanged, this, [this] {
        if (m_filling)
            return;
        markChanged();
        emit Change();
    });
    connect(this, &QComboBox::editTextChanged, this, [this] {
        if (!m_filling)
            onTextEdited();
    });
}

void DataCombo::setRowSource(DataControl* source)
{
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_rowSource = source;
    if (m_rowSource) {
        m_connections << connect(m_rowSource, &DataControl::recordsetReplaced, this, &DataCombo::reloadItems);
        m_connections << connect(m_rowSource, &DataControl::dataChanged, this, &DataCombo::reloadItems);
    }
    reloadItems();
}

void DataCombo::setListField(const QString& field)
{
    m_listField = field;
    reloadItems();
}

void DataCombo::setBoundColumn(const QString& field)
{
    m_boundColumn = field;
    reloadItems();
}

void DataCombo::reloadItems()
{
    const QString shown = text();
    m_filling = true;
    clear();
    if (m_rowSource && m_rowSource->hasRecordset() && !m_listField.isEmpty()) {
        try {
            db::Recordset rows = m_rowSource->recordset().clone();
            if (rows.recordCount() > 0) {
                rows.moveFirst();
                while (!rows.eof()) {
                    QString item;
                    QString bound;
                    try {
                        item = displayText(rows.value(m_listField));
                        if (!m_boundColumn.isEmpty())
                            bound = displayText(rows.value(m_boundColumn));
                    } catch (const db::DbError& e) {
                        // a field the row source lacks: an empty item
                        qCDebug(lcUi) << objectName() << "item left empty:" << e.description();
                    }
                    addItem(item, bound);
                    rows.moveNext();
                }
            }
        } catch (const db::DbError& e) {
            // the row source failed while read: the items read so far stay
            qCWarning(lcUi) << objectName() << "list filled in part:" << e.description();
        }
    }
    setCurrentIndex(-1);
    if (isEditable())
        setEditText(shown);
    m_filling = false;
}

QString DataCombo::text() const
{
    return currentText();
}

int DataCombo::indexOfText(const QString& text) const
{
    // Letter case is ignored for every Vietnamese letter, as in every comparison of the program.
    for (int i = 0; i < count(); ++i) {
        if (jetsql::compareFolded(itemText(i), text) == 0)
            return i;
    }
    return -1;
}

void DataCombo::setText(const QString& text)
{
    const int index = indexOfText(text);
    if (isEditable()) {
        setCurrentIndex(index);
        setEditText(text);
    } else {
        setCurrentIndex(index);
    }
    m_boundText = index >= 0 ? itemData(index).toString() : QString();
}

void DataCombo::setBoundText(const QString& value)
{
    const int index = m_boundColumn.isEmpty() ? -1 : findData(value);
    setCurrentIndex(index);
    if (index < 0 && isEditable())
        setEditText(QString());
    m_boundText = value;
}

void DataCombo::onActivated(int index)
{
    if (index < 0)
        return;
    m_boundText = itemData(index).toString();
    if (isEditable())
        setEditText(itemText(index));
    emit Click(area::List);
}

void DataCombo::onTextEdited()
{
    const int index = indexOfText(currentText());
    m_boundText = index >= 0 ? itemData(index).toString() : QString();
}

void DataCombo::showFieldValue(const QVariant& value)
{
    const QString shown = displayText(value);
    if (!m_boundColumn.isEmpty() && findData(shown) >= 0)
        setBoundText(shown);
    else
        setText(shown);
}

QVariant DataCombo::fieldValue() const
{
    if (!m_boundColumn.isEmpty())
        return m_boundText;
    return text();
}

void DataCombo::showPopup()
{
    emit Click(area::Button);
    QComboBox::showPopup();
}

void DataCombo::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        emit GotFocus();
}

void DataCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        emit LostFocus();
}

bool DataCombo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress)
        emit Click(area::Edit);
    return QComboBox::eventFilter(watched, event);
}

} // namespace ui
