#pragma once

#include <QLoggingCategory>

namespace registers {

// The log of the register forms ("selvaro.registers"): errors dropped in favour of the first
// failure (a clean-up failing after it) are written here.
Q_DECLARE_LOGGING_CATEGORY(lcRegisters)

} // namespace registers
