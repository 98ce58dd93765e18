#pragma once

// What makes a letters register reachable: its three forms in the registry and its frame on the
// main window (entry on the year table, list of the year, search with the year's value lists).
// The incoming and outgoing registers differ only in names.

#include "registers/form_registry.h"
#include "registers/register_session.h"

#include <QString>

namespace app {
struct Module1;
}

namespace registers {

struct LetterRegister
{
    Register which = Register::Incoming;
    QString frameTitle;                            // "Công văn đến"
    QString entryForm, listForm, searchForm;       // "frmcvden", "frmgridcvden", "frmtracuucvden"
    QString entryButton, listButton, searchButton; // "cmdnapcvden", "Cmdxemcvden", "cmdtracuucvden"
    QString entryCaption, listCaption, searchCaption;
    QString app::Module1::*yearTable = nullptr; // &Module1::incomingTable
    FormFactory makeEntry, makeList, makeSearch;
};

// Adds the forms (and the print-by-date dialog) and the register's frame with its openers.
void registerLetterRegister(const LetterRegister& r);

} // namespace registers
