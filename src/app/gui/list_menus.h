#pragma once

#include "form_commands.h"

#include <QString>

class QWidget;

namespace app {

// The main window's menu commands that open the reference-list forms: mnutendonvi,
// mnunapdonvi, mnunapbophan, mnunapnoigui, mnunguoidung, mnunapchutat, mnunaploaicv.
//
// state: the program state (its login, and the rights check's login). Rights: the units and
// departments lists need an administrator, a user whose lower-cased userRights begins with "q"; anyone else is told
// kNeedAdministrator and nothing opens. The users list first runs the rights check confirmRights("mk"): an empty result
// opens nothing; rights beginning with "q" open every user, anyone else only his own row, titled "Đổi mật khẩu".
//
// The form is shown modal; the units and users lists hide mainWindow
// while open. Afterwards the reference recordsets are reopened so the entry forms see the
// changes. A list whose form is not part of this build shows kNotAvailable.
void runListMenu(Module1& state, const QString& menu, QWidget* mainWindow);

// The request a list menu hands to its form. For mnunguoidung, rights is the result of the rights
// check, and without administrator rights only the row of state's logged-in user is asked for.
FormRequest listMenuRequest(const Module1& state, const QString& menu, const QString& rights = QString());

} // namespace app
