#pragma once

class QWidget;

namespace app {

// Places window (at its size hint when it has not been sized yet) in the middle of over, or of
// the screen's available area when over is nullptr or hidden.
void centreWindow(QWidget* window, const QWidget* over = nullptr);

// Shrinks window (frame included) to the available area of its screen when larger, and moves it
// so that the whole frame lies inside that area.
void keepWithinScreen(QWidget* window);

} // namespace app
