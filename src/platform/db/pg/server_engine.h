#pragma once

#include "platform/db/database.h"

#include <QString>

namespace db::pg {

// Opens the data set named dataSet (a data file's name: "vemocv" for vemocv.mdb, any letter
// case) on the server `connection` names (libpq's conventions, server_connection.h) as a
// Database: the same calls as on a data file, with the same contracts (database.h), run by the
// server. Differences a caller may meet:
// - a dynaset over one table with a counter is updatable; any other source (also a table without
//   a counter) is read from a copy, as a snapshot;
// - other clients' commits are seen at the next move, as on a file, through the table's number
//   (table_versions.h); setBusyTimeout sets how long a statement waits for a lock;
// - a statement that fails inside beginTrans() undoes only itself (it runs in a savepoint);
// - a lost connection raises ServerUnreachable; a transaction open at that moment is gone, and
//   every statement says so until rollback().
// Raises DbError: what ServerConnection::open raises, and FileNotFound when the server holds no
// such data set.
Database openDataSet(const QString& connection, const QString& dataSet);

} // namespace db::pg
