#include "table_versions.h"

#include "platform/db/db_error.h"
#include "platform/db/sql_quote.h"
#include "server_connection.h"
#include "server_names.h"

namespace db::pg::versions {

namespace {

QString bumpFunction(const QString& schema)
{
    return quoteIdentifier(schema) + QStringLiteral(".msys_bump_version()");
}

} // namespace

void install(ServerConnection& server, const QString& schema)
{
    const QString table = dataset::qualified(schema, QStringLiteral("msys_versions"));
    server.exec(QStringLiteral("create table ") + table +
                QStringLiteral(" (tbl text primary key, version bigint not null default 0)"));
    server.exec(QStringLiteral("create function ") + bumpFunction(schema) +
                QStringLiteral(" returns trigger language plpgsql as $bump$ begin update ") + table +
                QStringLiteral(" set version = version + 1 where tbl = TG_TABLE_NAME; return null; end $bump$"));
}

void watch(ServerConnection& server, const QString& schema, const QString& table)
{
    server.exec(QStringLiteral("insert into ") + dataset::qualified(schema, QStringLiteral("msys_versions")) +
                    QStringLiteral(" (tbl) values ($1)"),
                {table.toLower()});
    server.exec(QStringLiteral("create trigger msys_version after insert or update or delete or truncate on ") +
                dataset::qualified(schema, table) + QStringLiteral(" for each statement execute function ") +
                bumpFunction(schema));
}

qint64 of(ServerConnection& server, const QString& schema, const QString& table, bool hold)
{
    const QList<QVariantList> rows = server.query(
        QStringLiteral("select version from ") + dataset::qualified(schema, QStringLiteral("msys_versions")) +
            QStringLiteral(" where tbl = $1") + (hold ? QStringLiteral(" for update") : QString()),
        {table.toLower()});
    if (rows.isEmpty())
        throw DbError(errc::TableNotFound, QStringLiteral("No version is kept for table ") + table);
    return rows.first().first().toLongLong();
}

} // namespace db::pg::versions
