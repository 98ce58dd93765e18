#pragma once

#include <QString>

namespace sys {

// The name the current user logged on to the machine with (the login name, not the full name).
// Falls back to the USER and LOGNAME variables when the user database has no entry; "" when
// nothing is known.
QString logonName();

} // namespace sys
