#pragma once

#include <QLoggingCategory>

namespace datafiles {

// The log of the data-file procedures ("selvaro.datafiles"): replication, saving letters, file
// copies. Errors these procedures handle are written here.
Q_DECLARE_LOGGING_CATEGORY(lcDatafiles)

} // namespace datafiles
