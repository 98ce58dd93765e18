#pragma once

// The opener of a register's main-window button: its form (made on first use) joins a new visit
// of the register, begun at the button on the request's data file and the working year's table,
// and is then shown by the register's own step.

#include "register_session.h"
#include "registers/form_registry.h"

#include "app/core/module1.h"
#include "app/gui/form_commands.h"

#include <functional>

namespace registers {

template <typename Form>
app::FormOpener openerOf(Register which, Start start, const QString& formName, QString app::Module1::*yearTable,
                         std::function<void(Form& form, const app::FormRequest& request)> show)
{
    return [=](const app::FormRequest& request, QWidget* mainWindow) {
        setMainWindow(mainWindow);
        Form* f = form<Form>(formName);
        f->setSession(std::make_shared<RegisterSession>(which, start, request.database(), app::module1().*yearTable));
        show(*f, request);
    };
}

} // namespace registers
