#pragma once

#include <QLoggingCategory>

namespace ui {

// The bound-control toolkit's log ("selvaro.ui"): errors a control handles itself (a cell shown
// empty, a list filled in part) are recorded here, never dropped.
Q_DECLARE_LOGGING_CATEGORY(lcUi)

} // namespace ui
