#pragma once

#include <QString>

namespace app {

// The message shown when a year table cannot be created; the program ends after it.
QString yearTablesFailedMessage();

// Year-table creation. Sets plansTable, scheduleTable, incomingTable and outgoingTable from workingYear, then
// makes each that its database lacks (found by the table-pattern test with the exact name) from
// its template with the table-copy routine, in this order: plansTable in schedule from kehoachmau,
// scheduleTable in schedule from lichmau, incomingTable in letters from cvdenmau, outgoingTable in letters from
// cvdimau. No rows are copied; existing tables are left as they are. The schedule and letter
// tables then get their index of marked rows (db::Database::indexRowsMarked on chonin = "X"), also
// tables of files written before it existed.
//
// At the first failure (a database not open, a template missing, the file not writable) it stops,
// shows yearTablesFailedMessage() through the messenger with mode "ok" and returns false; the
// caller then ends the program. Returns true when all four tables exist.
bool createYearTables();

} // namespace app
