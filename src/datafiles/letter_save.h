#pragma once

#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <functional>

namespace datafiles {

// Writes the letters row being added or edited through rs (a dynaset on a letters year table of
// db, in addNew or edit mode) with the columns replication relies on:
//  - a new row gets kieuupdate = 1 and idcu = its own id. The id is assigned when the row is
//    written, so the row is written and then given its idcu, both inside one transaction of db.
//    When either write fails the error is raised again, nothing stays written and rs is back in
//    addNew mode with the values that were typed, so the user can correct and save again;
//  - an edited row gets idcu = its id and kieuupdate = 2, except that a row still flagged 1 (added
//    and not replicated yet) keeps 1, so the next replication inserts it with its latest values.
// Afterwards the saved row is the current row of rs. Every save path of the letter entry forms
// ("&Ghi đĩa" and the pending row saved by "&Nạp mới") goes through here; callers leave kieuupdate
// and idcu alone. With rs in neither mode it raises DbError(UpdateWithoutEdit) as update() does;
// db must not be inside a transaction of its own.
//
// rs must have been opened from db itself (the one connection of the program to the letters file):
// a recordset of another connection to the same file could not join db's transaction and would
// wait for it until the file counted as locked. Such a call is refused at once, before anything is
// written, with std::invalid_argument naming the file; rs keeps its mode and values.
//
// beforeAdd, when given, runs for a new row inside the transaction, before the row is written, so
// that what it reads (the register numbers already taken) cannot change before the write: the
// entry forms give a new letter the next free number there. It may change values of rs and may
// throw db::DbError, which undoes the save as any other failure does.
void saveLetter(db::Database& db, db::Recordset& rs, const std::function<void(db::Recordset& rs)>& beforeAdd = {});

} // namespace datafiles
