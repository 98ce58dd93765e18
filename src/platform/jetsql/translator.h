#pragma once

#include "catalog.h"
#include "syntax_error.h"

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
namespace jetsql {

// A plain statement list: run in order, all in one transaction.
struct Statements
{
    QStringList sql;
};

// The index a CREATE INDEX statement asks for.
struct IndexSpec
{
    QString name;
    QStringList fields;
    bool unique = false;
    bool primary = false; // a primary index is also unique
};

// CREATE [UNIQUE] INDEX name ON table (fields) [WITH PRIMARY]
struct CreateIndex
{
    QString schema; // "main" or an attached schema
    QString table;
    IndexSpec index;
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
    QString selectSql; // the SELECT alone, whose columns the new table gets
};

// DROP TABLE name (also removes the layer's definitions kept for it).
struct DropTable
{
    QString schema;
    QString table;
};

using Translation = std::variant<Statements, CreateIndex, SelectInto, DropTable>;

// Translates one Jet statement. Raises SyntaxError for text it cannot parse.
Translation translateStatement(const QString& jetSql, Catalog& catalog);

// Translates a Jet criterion (the text of a WHERE clause, as given to FindFirst) into an SQLite
// expression. Raises SyntaxError for text it cannot parse.
QString translateCriterion(const QString& jetCriterion, Catalog& catalog);

// Installs on a connection what translated SQL relies on: the NOCASE collation replaced by a
// fold covering every Vietnamese letter, like() with 2 and 3 arguments using the Jet wildcards
// (* ? # [..] [!..]) with the same fold, and the functions left, right, mid, len, trim, ltrim,
// rtrim, ucase, lcase, iif, nz, val, cstr, format that Jet statements may call.
void registerFunctions(sqlite3* connection);

} // namespace jetsql
