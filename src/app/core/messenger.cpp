#include "messenger.h"

#include <cstdio>

namespace app {
namespace {

class StderrMessenger : public Messenger
{
public:
    QString show(const QString& thongbao, const QString& kieuthongbao) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(thongbao));
        const QString mode = kieuthongbao.toLower();
        if (mode == QLatin1String("yesno"))
            return QStringLiteral("no");
        if (mode == QLatin1String("ok"))
            return QStringLiteral("ok");
        return QString();
    }
    void closeNotice() override {}
};

StderrMessenger g_fallback;
Messenger* g_current = nullptr;

} // namespace

Messenger& messenger()
{
    return g_current ? *g_current : g_fallback;
}

Messenger* setMessenger(Messenger* m)
{
    Messenger* previous = g_current;
    g_current = m;
    return previous;
}

} // namespace app

namespace app {

QString showMessage(const QString& text, const QString& mode)
{
    return messenger().show(text, mode);
}

void tell(const QString& text)
{
    showMessage(text, QStringLiteral("ok"));
}

bool ask(const QString& text)
{
    return showMessage(text, QStringLiteral("yesno")) != QLatin1String("no");
}

} // namespace app
