#pragma once

namespace registers {

// Makes the outgoing register's forms known (and the print-by-date dialog) and adds the
// register (its frame of buttons cmdnapcvdi, cmdxemcvdi and cmdtracuucvdi) to the main window.
void registerOutgoingForms();

} // namespace registers
