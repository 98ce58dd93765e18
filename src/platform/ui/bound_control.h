#pragma once

#include "binding_source.h"

#include <QString>
#include <QVariant>
#include <optional>

class QWidget;

namespace ui {

// A control that shows one field of its data control's current record (text box, check box,
// drop-down list). The data control fills it on every record move and copies its value into the
// record when the record is written.
//
// Changed flag: set by every change of the control's value, whether typed or set by code;
// cleared by the data control right after it fills the control from the record, and by the form
// (setDataChanged(false)). An unbound control keeps it set until the form clears it.
class BoundControl
{
public:
    BoundControl() = default;
    virtual ~BoundControl();
    BoundControl(const BoundControl&) = delete;
    BoundControl& operator=(const BoundControl&) = delete;

    // Binds the control to a data control (nullptr unbinds). When the data control already has
    // a recordset the control shows the current record at once.
    void setDataSource(BindingSource* source);
    BindingSource* dataSource() const { return m_source; }
    // The field shown; an unknown name raises the data control's Error event once per recordset.
    void setDataField(const QString& field);
    QString dataField() const { return m_field; }
    // Binds in one call.
    void bind(BindingSource* source, const QString& field);

    bool dataChanged() const { return m_changed; }
    void setDataChanged(bool changed) { m_changed = changed; }

    // Shows a field's value (null for no current record); the caller clears the flag afterwards.
    virtual void showFieldValue(const QVariant& value) = 0;
    // The value to store: a QString for text controls, a bool for a check box.
    virtual QVariant fieldValue() const = 0;
    // The control as a widget (for its name in messages).
    virtual QWidget* asWidget() = 0;

protected:
    void markChanged() { m_changed = true; }

private:
    friend class DataControl;
    BindingSource* m_source = nullptr; // cleared by the data control when it goes
    QString m_field;
    bool m_changed = false;
    // The field's value as the control was filled with it: a save writes the control's value
    // only while the row still holds this one (another user's change is never overwritten
    // unseen).
    std::optional<QVariant> m_shown;
};

} // namespace ui
