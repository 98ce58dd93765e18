#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace jetsql {

// The engine translated text is written for.
enum class Dialect
{
    SQLite,
    PostgreSQL,
};

// What the translator may ask about the database a statement runs on.
class Catalog
{
public:
    virtual ~Catalog() = default;
    // The engine the database runs on, which decides the text the translator writes.
    virtual Dialect dialect() const { return Dialect::SQLite; }
    // Jet text of the stored query `name` (any letter case) of this database, or nullopt.
    virtual std::optional<QString> storedQuery(const QString& name) const = 0;
    // The same for the database reached as `schema` ("main" or a name attach() gave): a statement
    // such as "Select * from qrdata1 IN '<path>'" names a stored query of another file. The
    // default answers for "main" only; a Catalog that can read the stored queries of attached
    // files overrides it.
    virtual std::optional<QString> storedQueryIn(const QString& schema, const QString& name) const
    {
        if (schema.compare(QLatin1String("main"), Qt::CaseInsensitive) == 0)
            return storedQuery(name);
        return std::nullopt;
    }
    // Makes the data file at `path` reachable from this connection (opened with this database's
    // password) and returns the schema name that qualifies its tables. The same path (compared
    // as the platform compares file names) always gives the same schema. Raises its own error when the
    // file cannot be opened.
    virtual QString attach(const QString& path) = 0;
    // Column names, in order, of `table` in `schema` ("main" or a name attach() gave), any
    // letter case; empty when there is no such table.
    virtual QStringList columns(const QString& schema, const QString& table) const = 0;
};

} // namespace jetsql
