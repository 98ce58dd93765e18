#pragma once

#include "bound_control.h"
#include "data_control.h"

#include <QComboBox>
#include <QPointer>

namespace ui {

// Where a click on a drop-down list landed (the area argument of its Click event).
namespace area {
constexpr int Button = 0; // the drop-down button
constexpr int Edit = 1;   // the text part
constexpr int List = 2;   // an item of the list part
} // namespace area

// A drop-down list filled from a second data control (DBCombo): each row of the row source
// gives an item showing its list field; the bound column's value of the chosen row is
// boundText(). The list may itself be bound to a field of a form's data control: it then shows
// the row whose bound column equals the field (or the field's text when no bound column is set,
// or no row matches) and writing stores boundText() (or the text).
//
// Contracts:
// - The items are re-read whenever the row source opens a new recordset or writes rows.
// - Click(area::List) is raised when the user picks an item (mouse or keyboard); text() and
//   boundText() are already the picked row's then. Click(area::Button) when the list is opened,
//   Click(area::Edit) on a click into the text part.
// - By default the text part accepts typing (a text that matches no item has an empty
//   boundText()); setEditable(false) allows only the items.
// - A row-source field the recordset lacks gives items with empty texts.
class DataCombo : public QComboBox, public BoundControl
{
    Q_OBJECT

public:
    explicit DataCombo(QWidget* parent = nullptr);

    void setRowSource(DataControl* source);
    DataControl* rowSource() const { return m_rowSource; }
    void setListField(const QString& field);
    QString listField() const { return m_listField; }
    void setBoundColumn(const QString& field);
    QString boundColumn() const { return m_boundColumn; }

    QString text() const;
    // Shows text; boundText() becomes the bound value of the first item with that text (letter
    // case ignored for every Vietnamese letter: "hà nội" finds "Hà Nội"), or "".
    void setText(const QString& text);
    QString boundText() const { return m_boundText; }
    // Shows the first item whose bound value is value (boundText becomes value even without one).
    void setBoundText(const QString& value);

    // Reads the items from the row source again.
    void reloadItems();

    void showFieldValue(const QVariant& value) override;
    QVariant fieldValue() const override;
    QWidget* asWidget() override { return this; }

    void showPopup() override;

signals:
    void Click(int area);
    void Change();
    void GotFocus();
    void LostFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onActivated(int index);
    void onTextEdited();
    // The first item whose text equals text, letter case ignored; -1 when none.
    int indexOfText(const QString& text) const;

    QPointer<DataControl> m_rowSource;
    QList<QMetaObject::Connection> m_connections;
    QString m_listField;
    QString m_boundColumn;
    QString m_boundText;
    bool m_filling = false;
};

} // namespace ui
