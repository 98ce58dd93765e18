#pragma once

#include <QString>

class QWidget;

namespace ui {

// Gives every control that a label names (its buddy) the label's caption, without "&", as its
// accessible name; a text box's inner editor gets it too, since it is what holds the focus.
void nameControlsFromLabels(QWidget* form);
// Sets the accessible name of a control (and of a text box's editor) from a caption.
void setAccessibleCaption(QWidget* control, const QString& caption);

} // namespace ui
