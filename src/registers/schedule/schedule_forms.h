#pragma once

namespace registers {

// Makes the schedule forms known to the registry and adds the register (its frame of buttons
// cmdnaplich, Cmdxemlich and cmdtracuulich) to the main window.
void registerScheduleForms();

} // namespace registers
