#pragma once

// What makes a letters register reachable: its three forms in the registry and the openers of
// the main window's three buttons (entry on the year table, list of the year, search with the
// main window's value lists). The incoming and outgoing registers differ only in names.

#include "registers/form_registry.h"
#include "registers/register_session.h"

#include <QString>

namespace app {
struct Module1;
}

namespace registers {

struct LetterRegister
{
    QString entryForm, listForm, searchForm;       // "frmcvden", "frmgridcvden", "frmtracuucvden"
    QString entryButton, listButton, searchButton; // "cmdnapcvden", "Cmdxemcvden", "cmdtracuucvden"
    QString app::Module1::*yearTable = nullptr;    // &Module1::incomingTable
    FormFactory makeEntry, makeList, makeSearch;
    Register which = Register::Incoming;
};

// Adds the forms (and the print-by-date dialog) and registers the three openers.
void registerLetterRegister(const LetterRegister& r);

} // namespace registers
