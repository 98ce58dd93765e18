#pragma once

#include <QLoggingCategory>

namespace db {

// The database layer's log ("selvaro.db"): errors the layer handles itself without raising them
// (a clean-up that failed after the first error, a definition read as plain columns) are
// recorded here, never dropped.
Q_DECLARE_LOGGING_CATEGORY(lcDb)

} // namespace db
