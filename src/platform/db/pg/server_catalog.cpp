#include "server_catalog.h"

#include "data_set.h"
#include "platform/db/db_error.h"
#include "server_connection.h"

namespace db::pg {

ServerCatalog::ServerCatalog(ServerConnection& server, const QString& mainSchema) : m_server(server), m_main(mainSchema)
{}

QString ServerCatalog::schemaOf(const QString& schema) const
{
    const bool main = schema.isEmpty() || schema.compare(QLatin1String("main"), Qt::CaseInsensitive) == 0;
    return main ? m_main : schema;
}

std::optional<QString> ServerCatalog::storedQuery(const QString& name) const
{
    return storedQueryIn(m_main, name);
}

std::optional<QString> ServerCatalog::storedQueryIn(const QString& schema, const QString& name) const
{
    const QList<QVariantList> rows = m_server.catalogQuery(
        QStringLiteral("select jet_sql from ") + dataset::qualified(schemaOf(schema), QStringLiteral("msys_queries")) +
            QStringLiteral(" where lower(name) = lower($1)"),
        {name});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first().first().toString();
}

QString ServerCatalog::attach(const QString& path)
{
    const QString schema = dataset::schemaFor(path);
    if (schema == m_main)
        return QStringLiteral("main");
    if (!dataset::exists(m_server, schema))
        throw DbError(errc::FileNotFound,
                      QStringLiteral("Máy chủ không có dữ liệu của tệp ") + path + QStringLiteral("."));
    return schema;
}

QStringList ServerCatalog::columns(const QString& schema, const QString& table) const
{
    QStringList names;
    const QList<QVariantList> rows = m_server.catalogQuery(
        QStringLiteral("select column_name::text from information_schema.columns where table_schema = $1 "
                       "and table_name = $2 order by ordinal_position"),
        {schemaOf(schema), table.toLower()});
    for (const QVariantList& row : rows)
        names << row.at(0).toString();
    return names;
}

} // namespace db::pg
