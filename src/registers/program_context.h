#pragma once

// What the forms of a register visit read of the program: who is working, the working year,
// whether the run may only read, the program folder, and the open files and reference lists they
// use besides the register's own data file. The opener of a visit fills it once, when the visit
// begins (contextFromProgram(), register_opener.h); the forms never read the program's state
// themselves. The databases and recordsets are handles shared with the program: they stay valid
// for the visit (the data files are changed only from the main window, between visits), and a
// form keeps none of them beyond its visit.

#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QString>

namespace registers {

struct ProgramContext
{
    QString userFullName; // the logged-in user, stamped on what he saves
    QString userRights;   // "QT", "LĐ", "QT - LĐ" or "CB"
    QString workingYear;
    bool readOnly = false; // a read-only run: the data files cannot be written
    QString programFolder; // no trailing separator; its data folder holds the report files

    db::Database scratch;           // the scratch file: the print tables
    db::Database lettersReference;  // the reference file beside the letters file (letter types, correspondents)
    db::Database scheduleReference; // the reference file beside the schedule file (units, departments)

    // The reference lists boxes complete from (snapshots ordered by matt).
    db::Recordset abbreviations, units, correspondents, letterTypes;
};

} // namespace registers
