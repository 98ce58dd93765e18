#include "clock.h"

namespace common {
namespace {

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

SystemClock g_system;
const Clock* g_current = nullptr;

} // namespace

const Clock& clock()
{
    return g_current ? *g_current : g_system;
}

const Clock* setClock(const Clock* c)
{
    const Clock* previous = g_current;
    g_current = c;
    return previous;
}

} // namespace common
