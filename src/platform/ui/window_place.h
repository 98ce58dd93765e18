#pragma once

#include <QRect>

class QWidget;

namespace ui {

// Keeps a top-level window where it stood when it is hidden and shown again.
//
// Qt hands a hidden window back to the window system at its client rectangle; but a window last
// placed with QWidget::move() (its frame's corner, as centring does, and as QDialog does each
// time it shows a dialog that was not moved) is passed as a frame position, so under a window
// manager the window crept down by its title bar each time it came back, and a dialog was centred
// again wherever the user had put it. The keeper records the client rectangle when the window is
// hidden and, when it is shown again from the same place, gives it back as client geometry.
// A window placed anew while hidden (moved to another place) is shown where it was placed.
//
// Installs the keeper on window (a top-level widget); it lives as long as the window.
void keepPlaceWhenShownAgain(QWidget* window);

// The rule itself: where a window shown again belongs. hiddenAt is the client rectangle recorded
// when it was hidden (invalid: never hidden), now its client rectangle as it is about to be shown.
// Returns the client rectangle to give it (hiddenAt's corner, now's size) when it has not been
// placed anew since, or an invalid rectangle to leave it as it is.
QRect placeOnShowAgain(const QRect& hiddenAt, const QRect& now);

} // namespace ui
