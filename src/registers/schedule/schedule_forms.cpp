#include "schedule_forms.h"

#include "frmGridlich.h"
#include "frmgridtuan.h"
#include "frmlich.h"
#include "frmtracuulich.h"

#include "registers/form_registry.h"

#include "app/form_commands.h"
#include "app/module1.h"
#include "common/dates.h"

#include <stdexcept>

namespace registers {

void registerScheduleForms()
{
    addForm(QStringLiteral("frmlich"), [] { return new frmlich; });
    addForm(QStringLiteral("frmGridlich"), [] { return new frmGridlich; });
    addForm(QStringLiteral("frmgridtuan"), [] { return new frmgridtuan; });
    addForm(QStringLiteral("frmtracuulich"), [] { return new frmtracuulich; });
    app::registerFormOpener(QStringLiteral("cmdnaplich"), [](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        form<frmlich>(QStringLiteral("frmlich"))->open(app::module1().banglich);
    });
    // The main window has set trangthai to "xemlichtuan" and put the current week's Monday first
    // among the boxes.
    app::registerFormOpener(QStringLiteral("Cmdxemlich"), [](const app::FormRequest& request, QWidget* main) {
        setMainWindow(main);
        // Rows that cannot be read were told by the view; the main window then stays as it is.
        if (!form<frmgridtuan>(QStringLiteral("frmgridtuan"))
                 ->openWeek(common::dateFromDisplay(request.boxes.value(0))))
            throw std::runtime_error("the week view could not read its rows");
    });
    // The main window has set trangthai to "tracuulich".
    app::registerFormOpener(QStringLiteral("cmdtracuulich"), [](const app::FormRequest&, QWidget* main) {
        setMainWindow(main);
        form<frmtracuulich>(QStringLiteral("frmtracuulich"))->open();
    });
}

} // namespace registers
