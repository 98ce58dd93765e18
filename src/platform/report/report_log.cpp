#include "report_log.h"

namespace report {

Q_LOGGING_CATEGORY(lcReport, "selvaro.report")

} // namespace report
