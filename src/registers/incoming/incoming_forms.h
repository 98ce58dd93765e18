#pragma once

namespace registers {

// Makes the incoming register's forms known (and the print-by-date dialog) and registers the
// openers of the main window's buttons cmdnapcvden, Cmdxemcvden and cmdtracuucvden.
void registerIncomingForms();

} // namespace registers
