#pragma once

#include <QLoggingCategory>

namespace report {

// The report engine's log ("selvaro.report"): errors it handles itself are recorded here.
Q_DECLARE_LOGGING_CATEGORY(lcReport)

} // namespace report
