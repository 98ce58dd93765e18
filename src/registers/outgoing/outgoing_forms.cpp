#include "outgoing_forms.h"

#include "frmcvdi.h"
#include "frmgridcvdi.h"
#include "frmtracuucvdi.h"

#include "registers/form_registry.h"
#include "registers/letters/frmincv.h"

#include "app/form_commands.h"
#include "app/module1.h"

namespace registers {

void registerOutgoingForms()
{
    registerDatePrintDialog();
    addForm(QStringLiteral("frmcvdi"), [] { return new frmcvdi; });
    addForm(QStringLiteral("frmgridcvdi"), [] { return new frmgridcvdi; });
    addForm(QStringLiteral("frmtracuucvdi"), [] { return new frmtracuucvdi; });

    app::registerFormOpener(QStringLiteral("cmdnapcvdi"), [](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        form<frmcvdi>(QStringLiteral("frmcvdi"))->open(app::module1().bangcvdi);
    });
    // The main window has set trangthai to "xembangcv" and cleared the marks of the year.
    app::registerFormOpener(QStringLiteral("cmdxemcvdi"), [](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        const QString table = app::module1().bangcvdi;
        form<frmgridcvdi>(QStringLiteral("frmgridcvdi"))->open(table, table, false);
    });
    app::registerFormOpener(QStringLiteral("cmdtracuucvdi"), [](const app::FormRequest& request, QWidget* main) {
        setMainWindow(main);
        form<frmtracuucvdi>(QStringLiteral("frmtracuucvdi"))->openWithValueLists(request.lookups);
    });
}

} // namespace registers
