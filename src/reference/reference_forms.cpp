#include "reference_forms.h"

#include "frmbophan.h"
#include "frmloaitien.h"
#include "frmtendonvi.h"
#include "list_form.h"

#include "app/form_commands.h"

namespace reference {
namespace {

template <typename Form> app::FormOpener opener()
{
    return [](const app::FormRequest& request, QWidget* mainWindow) {
        Form form(mainWindow);
        form.open(request);
    };
}

app::FormOpener listOpener(ListConfig (*config)())
{
    return [config](const app::FormRequest& request, QWidget* mainWindow) {
        ListForm form(config(), mainWindow);
        form.open(request);
    };
}

} // namespace

void registerReferenceForms()
{
    app::registerFormOpener(QStringLiteral("mnunapdonvi"), listOpener(&unitsConfig));
    app::registerFormOpener(QStringLiteral("mnunapnoigui"), listOpener(&unitsConfig));
    app::registerFormOpener(QStringLiteral("mnunaploaicv"), listOpener(&letterTypesConfig));
    app::registerFormOpener(QStringLiteral("mnunapchutat"), listOpener(&abbreviationsConfig));
    app::registerFormOpener(QStringLiteral("mnunapbophan"), opener<frmbophan>());
    app::registerFormOpener(QStringLiteral("mnutendonvi"), opener<frmtendonvi>());
    app::registerFormOpener(QStringLiteral("mnunguoidung"), opener<frmloaitien>());
}

} // namespace reference
