#include "write_lock.h"

#include "server_connection.h"
#include "server_names.h"

namespace db::pg {

void lockForWriting(ServerConnection& server, const QString& schema, const QString& table)
{
    // SHARE ROW EXCLUSIVE conflicts with itself and with every write, not with reads.
    server.exec(QStringLiteral("lock table ") + dataset::qualified(schema, table) +
                QStringLiteral(" in share row exclusive mode"));
}

} // namespace db::pg
