#pragma once

namespace registers {

// Makes the work-plan forms known to the registry and the main window's buttons.
void registerPlanForms();

} // namespace registers
