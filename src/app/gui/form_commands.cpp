#include "form_commands.h"

#include <QHash>

namespace app {
namespace {

QHash<QString, FormOpener>& openers()
{
    static QHash<QString, FormOpener> table;
    return table;
}

} // namespace

void registerFormOpener(const QString& command, FormOpener opener)
{
    openers().insert(command.toLower(), std::move(opener));
}

void unregisterFormOpeners()
{
    openers().clear();
}

bool hasFormOpener(const QString& command)
{
    return openers().contains(command.toLower());
}

bool openForm(const FormRequest& request, QWidget* mainWindow)
{
    const auto it = openers().constFind(request.command.toLower());
    if (it == openers().constEnd() || !*it)
        return false;
    (*it)(request, mainWindow);
    return true;
}

} // namespace app
