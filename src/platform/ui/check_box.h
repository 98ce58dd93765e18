#pragma once

#include "bound_control.h"
#include "data_control.h" // bind() takes the data control

#include <QCheckBox>

namespace ui {

// A check box bound to a yes/no field (Checkdaxuly). A null field shows unchecked; writing
// stores yes or no. Every change of the state, clicked or set by code, sets the changed flag.
class CheckBox : public QCheckBox, public BoundControl
{
    Q_OBJECT

public:
    explicit CheckBox(const QString& caption = QString(), QWidget* parent = nullptr);
    // For forms laid out in Designer (the caption comes from the layout).
    explicit CheckBox(QWidget* parent) : CheckBox(QString(), parent) {}

    void showFieldValue(const QVariant& value) override;
    QVariant fieldValue() const override;
    QWidget* asWidget() override { return this; }

signals:
    // A click by the user (not a change made by code).
    void Click();
};

} // namespace ui
