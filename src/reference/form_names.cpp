#include "form_names.h"

#include "platform/ui/text_box.h"

#include <QLabel>

namespace reference {

void nameControlsFromLabels(QWidget* form)
{
    const auto labels = form->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        QWidget* buddy = label->buddy();
        if (!buddy)
            continue;
        const QString name = label->text().remove(QLatin1Char('&')).trimmed();
        buddy->setAccessibleName(name);
        if (auto* box = qobject_cast<ui::TextBox*>(buddy))
            box->editor()->setAccessibleName(name);
    }
}

} // namespace reference
