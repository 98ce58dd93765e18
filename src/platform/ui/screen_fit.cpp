#include "screen_fit.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

namespace ui {

QRect placedWithin(const QRect& frame, const QRect& area)
{
    QRect placed = frame;
    if (placed.right() > area.right())
        placed.moveRight(area.right());
    if (placed.bottom() > area.bottom())
        placed.moveBottom(area.bottom());
    if (placed.left() < area.left())
        placed.moveLeft(area.left());
    if (placed.top() < area.top())
        placed.moveTop(area.top());
    return placed;
}

void keepOnScreen(QWidget* window)
{
    if (!window || !window->isWindow())
        return;
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect frame = window->frameGeometry();
    const QRect placed = placedWithin(frame, screen->availableGeometry());
    if (placed.topLeft() != frame.topLeft())
        window->move(window->pos() + (placed.topLeft() - frame.topLeft()));
}

} // namespace ui
