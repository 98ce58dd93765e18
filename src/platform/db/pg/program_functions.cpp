#include "program_functions.h"

#include "jet_functions.h"
#include "like_function.h"
#include "platform/db/sql_quote.h"
#include "server_connection.h"
#include "text_fold.h"

namespace db::pg {

void installProgramFunctions(ServerConnection& server)
{
    const QString schema = quoteIdentifier(QString::fromUtf16(FunctionSchema));
    server.inTransaction([&] {
        server.exec(QStringLiteral("create schema if not exists ") + schema);
        // The installers make their functions in the current schema.
        server.exec(QStringLiteral("set local search_path to ") + schema);
        installFold(server);
        installLike(server);
        installJetFunctions(server);
    });
}

} // namespace db::pg
