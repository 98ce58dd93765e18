#pragma once

#include "platform/jetsql/catalog.h"

namespace db::pg {

class ServerConnection;

// What the Jet translator asks about a database, answered by a server: the data set a statement
// runs in is its "main" (the connection's search_path names it first), a data file named with
// IN '<path>' is the data set of that file, stored queries come from msys_queries and columns
// from the server's own catalog.
class ServerCatalog : public jetsql::Catalog
{
public:
    ServerCatalog(ServerConnection& server, const QString& mainSchema);

    jetsql::Dialect dialect() const override { return jetsql::Dialect::PostgreSQL; }
    std::optional<QString> storedQuery(const QString& name) const override;
    std::optional<QString> storedQueryIn(const QString& schema, const QString& name) const override;
    // Raises DbError(FileNotFound) when the server holds no data set for the file.
    QString attach(const QString& path) override;
    QStringList columns(const QString& schema, const QString& table) const override;

private:
    QString schemaOf(const QString& schema) const;

    ServerConnection& m_server;
    QString m_main;
};

} // namespace db::pg
