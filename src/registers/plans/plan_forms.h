#pragma once

namespace registers {

// Makes the work-plan forms known to the registry and adds the register (its frame of buttons
// cmdnapkh, cmdxemkh and cmdtracuukh) to the main window.
void registerPlanForms();

} // namespace registers
