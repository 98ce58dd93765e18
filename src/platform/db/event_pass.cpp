#include "event_pass.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QPointer>
#include <QThread>

namespace db {

namespace {

// Counts the actions of the application's thread: an application-wide event filter sees every
// event delivered to an object of that thread; the events that begin an action (input from the
// window system, a timer, a queued call) each start a pass, while the events sent while one is
// handled (paints, focus changes, a box's text set by the form) belong to it. The dispatcher's
// wakes count too, so an event a later filter swallows still ends the pass when the loop goes
// round.
class EventCounter : public QObject
{
public:
    explicit EventCounter(QCoreApplication* app) : QObject(app)
    {
        app->installEventFilter(this);
        if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(app->thread())) {
            connect(dispatcher, &QAbstractEventDispatcher::awake, this, &EventCounter::next);
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &EventCounter::next);
        }
    }

    quint64 serial() const { return m_serial; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (event->spontaneous() || type == QEvent::Timer || type == QEvent::MetaCall)
            next();
        return QObject::eventFilter(watched, event);
    }

private:
    void next() { ++m_serial; }

    quint64 m_serial = 1;
};

} // namespace

quint64 currentEventPass()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread() || app->thread()->loopLevel() == 0)
        return 0;
    static QPointer<EventCounter> counter; // owned by the application, gone with it
    if (!counter)
        counter = new EventCounter(app);
    return counter->serial();
}

} // namespace db
