#pragma once

#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QString>

namespace app {

// The connect string every data file is opened with.
inline const QString kConnect = QStringLiteral(";pwd=vorkelmadu");

// The data files the program keeps open. Each has one connection per process, a database of
// Module1: forms, data controls and procedures all work through it, so their writes join one
// another's transactions instead of waiting for them.
enum class DataFile
{
    None,
    Letters,           // lettersPath, letters
    Schedule,          // schedulePath, schedule
    Reference,         // referencePath, reference (abbreviations, in the program's data folder)
    LettersReference,  // lettersReferencePath, lettersReference
    ScheduleReference, // scheduleReferencePath, scheduleReference
    Scratch,           // scratchPath, scratch
};

// The shared state of the program (the old module Module1's globals): data-file paths, open
// databases, the working year and its table names, the reference recordsets, the login and the
// values forms hand over. Reached through module1() only by start-up, the data-file commands and
// the register openers; they hand it (or one value) to the others. Paths use the platform's separator.
struct Module1
{
    // Folders and data files.
    QString programFolder;                    // program folder (no trailing separator)
    QString templatePath;                     // <program>/data/vemogoc.mdb (template; never written)
    QString lettersPath;                      // letters file in use
    QString schedulePath;                     // plans-and-schedule file in use
    QString referencePath;                    // <program>/data/vemotk.MDB (abbreviations)
    QString lettersReferencePath;             // vemotk.mdb beside the letters file
    QString scheduleReferencePath;            // vemotk.mdb beside the schedule file
    QString scratchPath;                      // <program>/data/vemotemp.MDB (scratch)
    QString backupPath = QStringLiteral(" "); // backup file; a single space when none
    bool templateDamaged = false;             // the template failed its structure check
    // Read-only run: the data files (or their folders) cannot be written. Set by start-up; every
    // command that writes refuses while it is set (refuseWhenReadOnly() in read_only_mode.h).
    bool readOnly = false;
    QString serverConnection; // the server the letters, schedule and reference lists are on; empty: the files

    db::Database letters, schedule, reference, lettersReference, scheduleReference, scratch;

    // Working year and its table names ("cvden" + year, ...).
    QString workingYear;
    QString incomingTable, outgoingTable, plansTable, scheduleTable;

    // Reference recordsets, open until the program ends (snapshots ordered by matt).
    db::Recordset abbreviations, units, correspondents, letterTypes;

    // Login.
    QString userFullName; // full name of the logged-in user
    QString userRights;   // rights string: "QT", "LĐ", "QT - LĐ" or "CB"

    // Sets the year-table names kept here from workingYear (year_tables.cpp, yearTableKinds()).
    void setYearTables();

    // The open database of a data file (a closed handle for None: every call on it but isOpen()
    // raises), and the path it was opened from ("" for None).
    db::Database& database(DataFile file);
    QString path(DataFile file) const;
};

// The program's one instance (see above). Tests call resetModule1() between cases.
Module1& module1();
void resetModule1();

} // namespace app
