#include "reference_forms.h"

#include "departments_form.h"
#include "organisation_name_form.h"
#include "reference_list_form.h"
#include "users_form.h"

#include "app/gui/form_commands.h"

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
        ReferenceListForm form(config(), mainWindow);
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
    app::registerFormOpener(QStringLiteral("mnunapbophan"), opener<DepartmentsForm>());
    app::registerFormOpener(QStringLiteral("mnutendonvi"), opener<OrganisationNameForm>());
    app::registerFormOpener(QStringLiteral("mnunguoidung"), opener<UsersForm>());
}

} // namespace reference
