#include "registers_log.h"

namespace registers {

Q_LOGGING_CATEGORY(lcRegisters, "selvaro.registers")

} // namespace registers
