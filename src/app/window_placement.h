#pragma once

class QWidget;

namespace app {

// Places window (at its size hint when it has not been sized yet) in the middle of over, or of
// the screen's available area when over is nullptr or hidden.
void centreWindow(QWidget* window, const QWidget* over = nullptr);

} // namespace app
