#pragma once

namespace datafiles {

// What a replication run did.
enum class ReplicationOutcome
{
    Skipped,         // no backup file chosen, or the backup is the letters file itself
    WholeFileCopied, // the backup file did not exist: the letters file was copied there
    NothingFlagged,  // no row of the table was added or changed since the last run
    RowsCopied,      // added rows inserted into the backup's table, changed rows updated there
    TableCopied,     // the backup lacked the table: the whole table was copied there
    Failed,          // an error; the message has been shown
};

} // namespace datafiles
