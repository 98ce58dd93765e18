#pragma once

class QRect;
class QWidget;

namespace ui {

// The position a window of frame rectangle `frame` takes to lie within `area` (a screen's
// available area): moved as little as possible; a window larger than the area keeps its top-left
// corner, title bar included, inside it.
QRect placedWithin(const QRect& frame, const QRect& area);

// Moves a top-level window, frame and title bar included, into the available area of its screen.
void keepOnScreen(QWidget* window);

} // namespace ui
