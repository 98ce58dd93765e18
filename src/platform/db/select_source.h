#pragma once

// What a recordset source (a table name, a stored query name or a Jet SELECT) comes to in SQLite:
// the statement to run and the description of its columns. Shared by the recordsets' row source
// and the forward-only row reader, so that both read the same rows under the same column types.

#include "field_def.h"

#include <QHash>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Connection;

// A column of a source's result.
struct SourceColumn
{
    QString name;       // as the recordset shows it
    FieldDef def;       // the base table's definition when it is one of its columns
    QString baseColumn; // the column written by edits; empty: computed or not updatable
    bool typed = true;  // false: a computed value, read as SQLite stores it
};

struct SourceSelect
{
    QString table; // the table a bare name (or "[name]") names, as stored; "" for a query or SELECT
    QString sql;   // the SQLite SELECT: of the whole table, of the stored query, or translated
};

// Resolves source on conn's main file: a table name (msys_ tables are not sources), then a stored
// query, else a Jet SELECT. Raises TableNotFound for a bare name that is neither, SyntaxError for
// a text that is not one SELECT.
SourceSelect resolveSource(Connection& conn, const QString& source);

// Describes column i of stmt prepared on db: the definition of its origin column when it comes
// straight from a table (definitions read once per table into defs), else from its declared type
// (typed false when it has none).
SourceColumn describeColumn(sqlite3* db, sqlite3_stmt* stmt, int i, QHash<QString, TableDef>& defs);

} // namespace db
