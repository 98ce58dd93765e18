#include "window_place.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace ui {
namespace {

class PlaceKeeper : public QObject
{
public:
    explicit PlaceKeeper(QWidget* window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window || event->spontaneous())
            return false;
        if (event->type() == QEvent::Hide && m_window->windowState() == Qt::WindowNoState) {
            m_hiddenAt = m_window->geometry();
        } else if (event->type() == QEvent::Show) {
            // Given as client geometry: the window system puts the client area back, and QDialog
            // (the window counts as placed) does not centre it again.
            const QRect place = placeOnShowAgain(m_hiddenAt, m_window->geometry());
            if (place.isValid())
                m_window->setGeometry(place);
        }
        return false;
    }

private:
    QWidget* m_window;
    QRect m_hiddenAt;
};

} // namespace

void keepPlaceWhenShownAgain(QWidget* window)
{
    if (window)
        window->installEventFilter(new PlaceKeeper(window));
}

QRect placeOnShowAgain(const QRect& hiddenAt, const QRect& now)
{
    if (!hiddenAt.isValid() || now.topLeft() != hiddenAt.topLeft())
        return QRect();
    return QRect(hiddenAt.topLeft(), now.size());
}

} // namespace ui
