#include "incoming_forms.h"

#include "frmcvden.h"
#include "frmgridcvden.h"
#include "frmtracuucvden.h"

#include "registers/form_registry.h"
#include "registers/letters/frmincv.h"

#include "app/form_commands.h"
#include "app/module1.h"

namespace registers {

void registerIncomingForms()
{
    registerDatePrintDialog();
    addForm(QStringLiteral("frmcvden"), [] { return new frmcvden; });
    addForm(QStringLiteral("frmgridcvden"), [] { return new frmgridcvden; });
    addForm(QStringLiteral("frmtracuucvden"), [] { return new frmtracuucvden; });

    app::registerFormOpener(QStringLiteral("cmdnapcvden"), [](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        form<frmcvden>(QStringLiteral("frmcvden"))->open(app::module1().bangcvden);
    });
    // The main window has set trangthai to "xembangcv" and cleared the marks of the year.
    app::registerFormOpener(QStringLiteral("Cmdxemcvden"), [](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        const QString table = app::module1().bangcvden;
        form<frmgridcvden>(QStringLiteral("frmgridcvden"))->open(table, table, false);
    });
    app::registerFormOpener(QStringLiteral("cmdtracuucvden"), [](const app::FormRequest& request, QWidget* main) {
        setMainWindow(main);
        form<frmtracuucvden>(QStringLiteral("frmtracuucvden"))->openWithValueLists(request.lookups);
    });
}

} // namespace registers
