#include "logging.h"

namespace app {

Q_LOGGING_CATEGORY(lcApp, "selvaro.app")

} // namespace app
