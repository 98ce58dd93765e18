#pragma once

class QWidget;

namespace reference {

// Gives every control a label names (its buddy) the label's caption, without "&", as its
// accessible name; a text box's inner editor, which holds the focus, gets it too.
void nameControlsFromLabels(QWidget* form);

} // namespace reference
