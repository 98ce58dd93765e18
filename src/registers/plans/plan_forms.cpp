#include "plan_forms.h"

#include "frmcongviec.h"
#include "frmgridcongviec.h"
#include "frmtracuukh.h"
#include "frmtxt.h"

#include "registers/form_registry.h"

#include "app/form_commands.h"
#include "app/module1.h"

namespace registers {

void registerPlanForms()
{
    addForm(QStringLiteral("frmcongviec"), [] { return new frmcongviec; });
    addForm(QStringLiteral("frmgridcongviec"), [] { return new frmgridcongviec; });
    addForm(QStringLiteral("frmtracuukh"), [] { return new frmtracuukh; });
    addForm(QStringLiteral("frmtxt"), [] { return new frmtxt; });
    app::registerFormOpener(QStringLiteral("cmdnapkh"), [](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        form<frmcongviec>(QStringLiteral("frmcongviec"))->open(app::module1().bangkehoach);
    });
    // The main window has set trangthai to "xemgridkehoach".
    app::registerFormOpener(QStringLiteral("cmdxemkh"), [](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        const QString table = app::module1().bangkehoach;
        form<frmgridcongviec>(QStringLiteral("frmgridcongviec"))->openList(table, planListSource(table));
    });
    // The main window has set trangthai to "tracuukehoach".
    app::registerFormOpener(QStringLiteral("cmdtracuukh"), [](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        form<frmtracuukh>(QStringLiteral("frmtracuukh"))->open();
    });
}

} // namespace registers
