#pragma once

#include "field_def.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

struct sqlite3;

// Translation of the program's Jet SQL into SQLite SQL. The translator is a text-to-text
// function; what it needs to know about the database (stored queries, external files, table
// columns) it asks a Catalog, which the Database implements. Statements that change table
// structure come back as requests the Database carries out with its own table-definition
// machinery, so that field and index definitions stay consistent.
namespace db::jet {

// What the translator may ask about the database a statement runs on.
class Catalog
{
public:
    virtual ~Catalog() = default;
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
    // as the platform compares file names) always gives the same schema. Raises DbError when the
    // file cannot be opened.
    virtual QString attach(const QString& path) = 0;
    // Column names, in order, of `table` in `schema` ("main" or a name attach() gave), any
    // letter case; empty when there is no such table.
    virtual QStringList columns(const QString& schema, const QString& table) const = 0;
};

// A plain statement list: run in order, all in one transaction.
struct Statements
{
    QStringList sql;
};

// CREATE [UNIQUE] INDEX name ON table (fields) [WITH PRIMARY]
struct CreateIndex
{
    QString schema; // "main" or an attached schema
    QString table;
    IndexDef index;
};

// SELECT ... INTO target [IN 'path'] FROM ...: the target table is created with the columns of
// the result (copying the field definitions of `structureFrom` when the select list is
// `source.*` or `*` over one table, without its indexes, as the old engine did), then filled by
// `insertSql`, an "INSERT INTO <schema>.<target> SELECT ..." statement.
struct SelectInto
{
    QString schema;
    QString table;
    std::optional<QString> structureFromSchema;
    std::optional<QString> structureFrom;
    QString insertSql;
};

// DROP TABLE name (also removes the layer's definitions kept for it).
struct DropTable
{
    QString schema;
    QString table;
};

using Translation = std::variant<Statements, CreateIndex, SelectInto, DropTable>;

// Translates one Jet statement. Raises DbError(errc::SyntaxError, ...) for text it cannot parse.
Translation translateStatement(const QString& jetSql, Catalog& catalog);

// Translates a Jet criterion (the text of a WHERE clause, as given to FindFirst) into an SQLite
// expression. Raises DbError(errc::SyntaxError, ...) for text it cannot parse.
QString translateCriterion(const QString& jetCriterion, Catalog& catalog);

// Installs on a connection what translated SQL relies on: the NOCASE collation replaced by a
// fold covering every Vietnamese letter, like() with 2 and 3 arguments using the Jet wildcards
// (* ? # [..] [!..]) with the same fold, and the functions left, right, mid, len, trim, ltrim,
// rtrim, ucase, lcase, iif, nz, val, cstr, format that Jet statements may call.
void registerFunctions(sqlite3* connection);

} // namespace db::jet
