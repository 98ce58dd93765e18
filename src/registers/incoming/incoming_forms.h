#pragma once

namespace registers {

// Makes the incoming register's forms known (and the print-by-date dialog) and adds the
// register (its frame of buttons cmdnapcvden, Cmdxemcvden and cmdtracuucvden) to the main window.
void registerIncomingForms();

} // namespace registers
