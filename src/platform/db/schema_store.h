#pragma once

#include "field_def.h"

#include <QString>
#include <QStringList>
#include <optional>

struct sqlite3;

namespace db {

// Table and index definitions of a data file. SQLite keeps the columns; what it cannot say about
// them (the old engine's type numbers, sizes, attributes, zero-length permission, required flag,
// index names as the program knows them and the primary flag) the layer keeps in its own tables
// of the same file, which tableNames() never lists:
//
//   msys_info     key/value: format, password salt and verifier
//   msys_fields   one row per field of a table created by the layer
//   msys_indexes  one row per index (physical SQLite index name beside the program's name)
//   msys_queries  stored queries, as Jet text
//
// Keys in these tables are the lower-cased names (compared in binary), so that a standard sqlite3
// tool, which knows nothing of our Vietnamese NOCASE, reads and checks the file without trouble.
//
// Column declarations: Text is VARCHAR(size) and Memo LONGTEXT, both COLLATE NOCASE (our
// connections replace NOCASE with the Vietnamese fold); Long with AutoIncrField is the table's
// INTEGER PRIMARY KEY AUTOINCREMENT (the engine assigns it, values are never reused). Indexes
// over text columns are built COLLATE BINARY so that their order does not depend on which NOCASE
// the connection has; a unique index over text therefore tells "An" from "an".
//
// Size, zero-length permission and required flag are enforced on every write (statements and
// recordsets alike) by BEFORE INSERT/UPDATE triggers named msys_check_*, which raise the old
// engine's numbers (FieldTooSmall, ZeroLengthNotAllowed, NullNotAllowed).
//
// Tables without bookkeeping rows (made by a plain CREATE TABLE statement) are described from
// their declared column types. All functions take the schema ("main" or an attached "extN") and
// leave transactions to the caller.
namespace SchemaStore {

// Creates the layer's tables when missing.
void initialise(sqlite3* db, const QString& schema);

// True when `name` (exact) is a table of schema.
bool hasTable(sqlite3* db, const QString& schema, const QString& name);
// The table's name as stored, matched in any letter case; nullopt when there is none.
std::optional<QString> actualTableName(sqlite3* db, const QString& schema, const QString& name);
// User tables of schema, in creation order (without sqlite_* and msys_*).
QStringList tableNames(sqlite3* db, const QString& schema);

// Raises ItemNotFound when there is no such table.
TableDef readTableDef(sqlite3* db, const QString& schema, const QString& table);
// Field definition implied by an SQLite declared type ("VARCHAR(50)", "INTEGER", ...).
FieldDef fieldFromDeclaredType(const QString& name, const QString& declaredType);

// Raises TableExists, NoFields, DuplicateField, InvalidFieldDefinition.
void createTable(sqlite3* db, const QString& schema, const TableDef& def);
// Adds field at the end of the table's columns (Null in every row) with its bookkeeping and the
// write checks rebuilt. Raises ItemNotFound (table), DuplicateField, InvalidFieldDefinition (a
// counter: SQLite cannot add one to a table).
void addField(sqlite3* db, const QString& schema, const QString& table, const FieldDef& field);
// Raises ItemNotFound (table or field), IndexExists, PrimaryKeyExists, DuplicateKey.
void createIndex(sqlite3* db, const QString& schema, const QString& table, const IndexDef& index);
// Raises TableNotFound.
void dropTable(sqlite3* db, const QString& schema, const QString& table);
// Raises ItemNotFound, InvalidFieldDefinition (not Text or Memo).
void setAllowZeroLength(sqlite3* db, const QString& schema, const QString& table, const QString& field, bool allow);

} // namespace SchemaStore

} // namespace db
