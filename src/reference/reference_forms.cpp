#include "reference_forms.h"

#include "departments_form.h"
#include "organisation_name_form.h"
#include "reference_list_form.h"
#include "users_form.h"

#include "app/core/login_check.h"
#include "app/core/module1.h"
#include "app/gui/form_commands.h"

namespace reference {
namespace {

template <typename Form> app::FormOpener opener()
{
    return [](const app::FormRequest& request, QWidget* mainWindow) {
        Form form(mainWindow);
        form.openFor(request);
    };
}

app::FormOpener listOpener(ListConfig (*config)())
{
    return [config](const app::FormRequest& request, QWidget* mainWindow) {
        ReferenceListForm form(config(), mainWindow);
        form.openFor(request);
    };
}

// The users form works for the logged-in user the program has; what it changes of him (his own
// name, or no users left) the program takes over.
void openUsersForm(const app::FormRequest& request, QWidget* mainWindow)
{
    const app::Module1& m = app::module1();
    UsersForm form(mainWindow);
    QObject::connect(&form, &UsersForm::loggedInUserRenamed, &form,
                     [](const QString& fullName) { app::module1().userFullName = fullName; });
    QObject::connect(&form, &UsersForm::closingWithoutUsers, &form, [] {
        app::Module1& program = app::module1();
        program.userFullName = app::LoginCheck::kUnknownUser;
        program.userRights = QStringLiteral("QT");
    });
    form.openFor(request, {m.userFullName, request.confirmedRights});
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
    app::registerFormOpener(QStringLiteral("mnunguoidung"), &openUsersForm);
}

} // namespace reference
