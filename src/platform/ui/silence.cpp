#include "silence.h"

#include <QObject>

namespace ui {

void silenceControls(QObject* form)
{
    for (QObject* child : form->findChildren<QObject*>())
        child->blockSignals(true);
}

} // namespace ui
