#pragma once

#include "replication_outcome.h"
#include "replication_sql.h"

#include <functional>

namespace app {
struct Module1;
}

namespace datafiles {

// Backup replication when the letters are on a server: the backup is a data file of this machine,
// read when the server cannot be reached. The rows of `table` flagged since the last run (all of
// them when the backup lacks the table, or there is no backup yet: it is then made from the
// template) are written into the backup's table, each as the row whose idcu is the letter's idcu:
// added when there is none, overwritten otherwise; the flags of the rows written are then
// cleared on the server. The backup's writes are one transaction, committed before the server's
// flags are cleared in another: a run that fails in between leaves the flags set, and the next
// run writes the same rows again over themselves. showNotice is called once there is something
// to copy; step names the step in progress. Raises what fails.
ReplicationOutcome mirrorFromServer(app::Module1& m, const QString& table, const LetterRegister& reg,
                                    const std::function<void()>& showNotice, QString& step);

} // namespace datafiles
