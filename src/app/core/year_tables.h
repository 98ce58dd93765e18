#pragma once

#include "module1.h"

#include <QList>
#include <QString>

namespace app {

// A table a register keeps per working year, made from its template in the register's data file.
struct YearTableKind
{
    QString prefix;         // "cvden": the table of 2009 is cvden2009
    QString templateTable;  // "cvdenmau"
    DataFile file;          // the data file that holds it
    bool printMarks;        // its rows carry print marks (chonin)
    QString Module1::*name; // where Module1 keeps this year's name, if it does (nullptr)
};

// The year tables of the registers, in the order they are made: plans, schedule, incoming and
// outgoing letters.
const QList<YearTableKind>& yearTableKinds();

// True when every year table of state's working year is in its data file.
// Throws the engine's error when a file cannot be read.
bool yearTablesPresent(Module1& state);

// The message shown when a year table cannot be created; the program ends after it.
QString yearTablesFailedMessage();

// Year-table creation. Sets the year tables' names of state from its workingYear, brings every open
// file holding incoming-letter tables to the letters schema (upgradeLettersSchema), then makes each that its
// database lacks (found by the table-pattern test with the exact name) from its template with the
// table-copy routine, in the order of yearTableKinds(). No rows are copied; existing tables are
// left as they are. The tables with print marks then get their index of marked rows
// (db::Database::indexRowsMarked on chonin = "X"), also tables of files written before it existed.
//
// At the first failure (a database not open, a template missing, the file not writable) it stops,
// shows yearTablesFailedMessage() through the messenger with mode "ok" and returns false; the
// caller then ends the program. Returns true when all four tables exist.
bool createYearTables(Module1& state);

} // namespace app
