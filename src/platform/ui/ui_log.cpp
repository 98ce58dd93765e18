#include "ui_log.h"

namespace ui {

Q_LOGGING_CATEGORY(lcUi, "selvaro.ui")

} // namespace ui
