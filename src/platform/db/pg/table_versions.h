#pragma once

#include <QString>

namespace db::pg {

class ServerConnection;

// What a cursor asks to know whether rows it read may have changed, on a server: a number per
// table that every statement writing to the table raises inside its own transaction. Other
// clients see the new number when that transaction commits, and never if it rolls back; the
// client that wrote sees it at once. So a number read again and found equal means no commit
// touched the table since (a rollback of one's own transaction must be told apart by the cursor,
// as on SQLite). Writers of one table wait for each other at the number's row until they end,
// which the server's numbering of letters needs anyway.
namespace versions {

// Makes the bookkeeping table msys_versions and the trigger function of a data set, in the
// caller's transaction.
void install(ServerConnection& server, const QString& schema);
// Numbers the writes of a table of the data set (from 0), in the caller's transaction.
void watch(ServerConnection& server, const QString& schema, const QString& table);
// The table's number as this connection sees it now. Raises DbError(TableNotFound) for a table
// not watched. hold (inside a transaction): the number is locked until the transaction ends, so
// no other client's write to the table completes before then.
qint64 of(ServerConnection& server, const QString& schema, const QString& table, bool hold = false);

} // namespace versions

} // namespace db::pg
