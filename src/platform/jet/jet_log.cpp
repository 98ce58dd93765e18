#include "jet_log.h"

namespace jet {

Q_LOGGING_CATEGORY(lcJet, "selvaro.jet", QtWarningMsg)

} // namespace jet
