#include "program_functions.h"

#include "jet_functions.h"
#include "like_function.h"
#include "platform/db/db_error.h"
#include "platform/db/db_log.h"
#include "platform/db/sql_quote.h"
#include "server_connection.h"
#include "text_fold.h"

namespace db::pg {

namespace {

// Any number, the same in every program: clients installing at once take turns on it.
constexpr qint64 InstallLock = 0x53656C7661726F;

int installedVersion(ServerConnection& server)
{
    const QList<QVariantList> rows =
        server.query(QStringLiteral("select obj_description(oid, 'pg_namespace') from pg_namespace where nspname = $1"),
                     {QString::fromUtf16(FunctionSchema)});
    if (rows.isEmpty())
        return 0;
    const QString comment = rows.first().first().toString();
    const QString prefix = QStringLiteral("Selvaro functions ");
    return comment.startsWith(prefix) ? comment.mid(prefix.size()).toInt() : 1;
}

// Inside a transaction that holds InstallLock.
void install(ServerConnection& server)
{
    const QString schema = quoteIdentifier(QString::fromUtf16(FunctionSchema));
    server.exec(QStringLiteral("create schema if not exists ") + schema);
    // The installers make their functions in the current schema.
    server.exec(QStringLiteral("set local search_path to ") + schema);
    installFold(server);
    installLike(server);
    installJetFunctions(server);
    server.exec(QStringLiteral("comment on schema ") + schema + QStringLiteral(" is 'Selvaro functions ") +
                QString::number(FunctionsVersion) + u'\'');
}

void takeInstallLock(ServerConnection& server)
{
    server.exec(QStringLiteral("select pg_advisory_xact_lock($1)"), {InstallLock});
}

} // namespace

void installProgramFunctions(ServerConnection& server)
{
    server.inTransaction([&] {
        takeInstallLock(server);
        install(server);
    });
}

void installProgramFunctionsIfOlder(ServerConnection& server)
{
    if (installedVersion(server) >= FunctionsVersion)
        return;
    try {
        server.inTransaction([&] {
            // Another client may have installed them while this one waited for the lock.
            takeInstallLock(server);
            if (installedVersion(server) < FunctionsVersion)
                install(server);
        });
    } catch (const DbError& e) {
        qCWarning(lcDb) << "the program's functions on the server are older and could not be replaced:"
                        << e.description();
    }
}

} // namespace db::pg
