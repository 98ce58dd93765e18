#include "plan_forms.h"

#include "frmcongviec.h"

#include "registers/form_registry.h"

#include "app/form_commands.h"
#include "app/module1.h"

namespace registers {

void registerPlanForms()
{
    addForm(QStringLiteral("frmcongviec"), [] { return new frmcongviec; });
    app::registerFormOpener(QStringLiteral("cmdnapkh"), [](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        form<frmcongviec>(QStringLiteral("frmcongviec"))->open(app::module1().bangkehoach);
    });
}

} // namespace registers
