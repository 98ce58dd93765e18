#pragma once

// The opener of a register's main-window button: its form (made on first use) joins a new visit
// of the register, begun at the button on the request's data file and the working year's table,
// and is then shown by the register's own step. Here, and only here, a visit takes what its forms
// read of the program (ProgramContext) from the program's state.

#include "register_session.h"
#include "registers/form_registry.h"

#include "app/gui/form_commands.h"

#include <functional>

namespace app {
struct Module1;
}

namespace registers {

// What the forms of a visit read of the program, as it stands now.
ProgramContext contextFromProgram();

// A visit of register which begun at start, on the register's open data file and yearTable (the
// working year's table when empty), with the program's context as it stands. What a form used
// without an opener (tests) makes for itself.
SessionPtr programSession(Register which, Start start, const QString& yearTable = QString());

// The visit an opener begins: on the request's data file and the working year's table yearTable.
SessionPtr openingSession(Register which, Start start, const app::FormRequest& request,
                          QString app::Module1::*yearTable);

template <typename Form>
app::FormOpener openerOf(Register which, Start start, const QString& formName, QString app::Module1::*yearTable,
                         std::function<void(Form& form, const app::FormRequest& request)> show)
{
    return [=](const app::FormRequest& request, QWidget* mainWindow) {
        setMainWindow(mainWindow);
        Form* f = form<Form>(formName);
        f->setSession(openingSession(which, start, request, yearTable));
        show(*f, request);
    };
}

} // namespace registers
