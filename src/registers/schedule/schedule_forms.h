#pragma once

namespace registers {

// Makes the schedule forms known to the registry and the main window's three schedule buttons.
void registerScheduleForms();

} // namespace registers
