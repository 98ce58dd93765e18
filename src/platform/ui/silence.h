#pragma once

class QObject;

namespace ui {

// Stops every object under form from signalling. A form's destructor calls it first: hiding the
// window on its way out moves the focus, and a box would report leaving to a form whose own part
// is already gone. (QObject::destroyed is still sent.)
void silenceControls(QObject* form);

} // namespace ui
