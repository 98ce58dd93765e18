#include "check_box.h"

#include "field_value.h"

namespace ui {

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::toggled, this, [this] { markChanged(); });
    connect(this, &QCheckBox::clicked, this, [this] { emit Click(); });
}

void CheckBox::showFieldValue(const QVariant& value)
{
    setChecked(isYes(value));
}

QVariant CheckBox::fieldValue() const
{
    return isChecked();
}

} // namespace ui
