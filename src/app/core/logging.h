#pragma once

#include <QLoggingCategory>

namespace app {

// The log of the application layer ("selvaro.app"): errors a procedure handles or turns into a
// result are written here, so none goes unrecorded.
Q_DECLARE_LOGGING_CATEGORY(lcApp)

} // namespace app
