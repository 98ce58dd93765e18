#pragma once

#include "field_def.h"
#include "recordset.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace db {

enum class OpenMode {
    ReadOnly,    // no statement or recordset may write
    SharedWrite, // read and write; other programs may have the same file open too
};

// One open data file (an SQLite file with our password verifier). A Database is a handle:
// copies refer to the same open file, and the file stays open while any copy or any recordset
// opened from it lives, or until close() is called. Jet SQL is accepted everywhere a statement
// or a criterion is taken and translated for SQLite.
class Database
{
public:
    Database();  // closed handle; every call but isOpen() raises NotOpen-like ItemNotFound

    // Opens path with a connect string ";pwd=<password>" (other ";key=value" items are ignored).
    // Raises FileNotFound when the file is missing, NotADatabase when it is not an SQLite file or
    // lacks our verifier, InvalidPassword when the password does not match, FileLocked when the
    // file is held by a writer past the busy timeout. Never opens exclusively.
    static Database open(const QString& path, const QString& connect, OpenMode mode = OpenMode::SharedWrite);

    // Creates a new, empty data file protected by password; raises if path already exists.
    static Database create(const QString& path, const QString& password);

    bool isOpen() const;
    void close();  // recordsets opened from it keep working until they are closed or destroyed
    QString path() const;
    bool isReadOnly() const;

    // Executes one Jet statement atomically: it either completes or changes nothing.
    // Raises DbError with the engine's text on any failure.
    void execute(const QString& jetSql);
    // Rows changed by the last execute().
    int recordsAffected() const;

    // Opens a recordset on a table name, a stored query name or a Jet SELECT statement.
    // A dynaset on a single table is updatable; a snapshot never is.
    Recordset openRecordset(const QString& source, RecordsetType type = RecordsetType::Dynaset);

    // Explicit transactions (the old workspace's BeginTrans/CommitTrans/Rollback). Nested calls
    // are not supported; execute() inside a transaction joins it.
    void beginTrans();
    void commitTrans();
    void rollback();

    // --- table definitions ---------------------------------------------------------------
    // The layer's own bookkeeping tables are never listed.
    void refreshTableDefs();
    QStringList tableNames() const;
    bool hasTable(const QString& name) const;  // any letter case
    TableDef tableDef(const QString& name) const;  // raises ItemNotFound
    // Creates the table with its fields and indexes; raises TableExists when the name is taken.
    void appendTableDef(const TableDef& def);
    // Changes the zero-length permission of one Text or Memo field.
    void setAllowZeroLength(const QString& table, const QString& field, bool allow);

    // --- stored queries --------------------------------------------------------------------
    // Kept as Jet text in the file and expanded where a statement names them.
    void refreshQueryDefs();
    QStringList queryNames() const;
    QString querySql(const QString& name) const;  // raises ItemNotFound
    void createQueryDef(const QString& name, const QString& jetSql);  // raises TableExists if taken
    void setQuerySql(const QString& name, const QString& jetSql);      // raises ItemNotFound

    // --- test seam -------------------------------------------------------------------------
    // Called with each Jet statement before it runs (execute() and recordset opens); a hook that
    // throws DbError makes that statement fail as if the engine had refused it.
    void setStatementHook(std::function<void(const QString& jetSql)> hook);
    // How long a statement waits for a file another program is writing before it raises
    // FileLocked (5000 ms unless changed; tests shorten it).
    void setBusyTimeout(int milliseconds);

    // Compares handles: true when both refer to the same open file.
    bool operator==(const Database& other) const { return d == other.d; }

    struct Impl;

private:
    explicit Database(std::shared_ptr<Impl> impl);
    std::shared_ptr<Impl> d;
};

// Reads the password from a connect string such as ";pwd=vorkelmadu" (key any letter case).
QString passwordFromConnect(const QString& connect);

} // namespace db
