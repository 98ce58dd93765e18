#pragma once

namespace registers {

// Makes the outgoing register's forms known (and the print-by-date dialog) and registers the
// openers of the main window's buttons cmdnapcvdi, cmdxemcvdi and cmdtracuucvdi.
void registerOutgoingForms();

} // namespace registers
