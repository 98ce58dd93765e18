#include "label_names.h"

#include "text_box.h"

#include <QLabel>

namespace ui {

void setAccessibleCaption(QWidget* control, const QString& caption)
{
    QString name = caption;
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    control->setAccessibleName(name);
    if (auto* box = qobject_cast<TextBox*>(control))
        box->editor()->setAccessibleName(name);
}

void nameControlsFromLabels(QWidget* form)
{
    const auto labels = form->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (QWidget* buddy = label->buddy())
            setAccessibleCaption(buddy, label->text());
    }
}

} // namespace ui
