#include "module1.h"

namespace app {
namespace {
Module1* g_module1 = new Module1;  // lives for the whole program
} // namespace

void Module1::setYearTables()
{
    bangkehoach = QStringLiteral("kehoach") + namlamviec;
    banglich = QStringLiteral("lich") + namlamviec;
    bangcvden = QStringLiteral("cvden") + namlamviec;
    bangcvdi = QStringLiteral("cvdi") + namlamviec;
}

Module1& module1()
{
    return *g_module1;
}

void resetModule1()
{
    *g_module1 = Module1{};
}

} // namespace app
