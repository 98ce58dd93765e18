#pragma once

#include "replication_outcome.h"
#include "replication_sql.h"

#include <QString>

namespace datafiles {

// The notice shown while rows are copied, and the start of the message after a failure.
QString backupNotice(); // "Máy tính đang backup dữ liệu !..."
QString backupFailedMessage(const QString& step);

// Backup replication, run when an entry form of a letters register closes: the year table `table`
// of that register (reg: the columns mirrored and the stored query reaching the backup) in
// letters (lettersPath), mirrored into backupPath.
// The caller shows the hourglass around the call.
//
//  - Nothing happens when the trimmed backupPath is empty or backupPath names the letters file
//    itself (the same text, or another path to the same file).
//  - When backupPath does not exist, the whole letters file is copied there and the change flags
//    of every letters table in it are cleared, so the next run does not insert the rows again.
//  - With no row flagged (kieuupdate > 0) nothing else happens: the backup is not opened.
//  - Otherwise the notice is shown (kind "tbao") until the end. When the backup holds the table,
//    the two stored queries "Qrbangcvden" and "Qrbangcvdi" of letters are made to reach the
//    backup's tables; rows flagged 1 are inserted there (keeping idcu, new id) and rows flagged 2
//    update the backup row with the same idcu; all flags are then 0. These four statements run in
//    one transaction, so a failure in any of them leaves every flag and the backup as they were
//    and the rows are tried again at the next run. When the backup lacks the table it is copied
//    whole (all rows, all flags as they are) and the flags are cleared in the same transaction;
//    the copy then gets its primary index "idprimarykey" on id and its text and memo fields
//    accept "".
//    A backup table missing that index or that permission is repaired at the next run.
//  - A read-only backup file, one that is not a database of ours or has another password, an
//    unreachable folder, or any engine error ends the run with the notice closed and the message
//    backupFailedMessage(step) shown with kind "ok"; step is the text of the step that failed ("" before the
//    backup is opened). No flag is cleared for a row that was not copied.
ReplicationOutcome replicate(const QString& table, const LetterRegister& reg);

} // namespace datafiles
