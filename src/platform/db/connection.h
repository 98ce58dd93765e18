#pragma once

#include "platform/jetsql/translator.h"

#include <QHash>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

struct sqlite3;

namespace db {

class Statement;

// One SQLite connection of the layer, shared by a Database handle and the recordsets opened from
// it (the connection closes when the last of them lets go). It is also the Catalog the Jet
// translator asks about stored queries, external files and columns.
//
// Every connection sets extended result codes and a busy timeout (a writer that holds the file
// makes us wait that long before FileLocked), keeps SQLite's rollback journal, and has the Jet
// functions and the Vietnamese NOCASE installed right after opening.
// Told when the transaction it watches ends (RowSource: keys appended or killed inside a
// transaction are undone when it rolls back).
class TransactionWatcher
{
public:
    virtual ~TransactionWatcher() = default;
    // transaction: the serial of the transaction that ended (Connection::transactionSerial()).
    virtual void transactionEnded(quint64 transaction, bool committed) = 0;
};

class Connection : public jetsql::Catalog
{
public:
    static constexpr int DefaultBusyTimeoutMs = 5000;

    // Opens a data file of ours. readOnly opens SQLITE_OPEN_READONLY; otherwise read-write (a file
    // the operating system will not let us write opens all the same, and writes then raise
    // ReadOnlyFile). Raises FileNotFound, NotADatabase (not SQLite, or no verifier),
    // InvalidPassword, FileLocked (held past the busy timeout).
    static std::shared_ptr<Connection> open(const QString& path, const QString& password, bool readOnly);
    // Creates a new file with the layer's tables and a verifier of password. Raises DatabaseExists
    // when something is already at path.
    static std::shared_ptr<Connection> create(const QString& path, const QString& password);
    // A private in-memory database with the Jet functions (used to hold snapshots).
    static std::shared_ptr<Connection> openScratch();

    ~Connection() override;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return m_db; }
    const QString& path() const { return m_path; }
    // True when opened read-only or when the file cannot be written.
    bool isReadOnly() const;
    bool openedReadOnly() const { return m_readOnly; }
    void setBusyTimeout(int milliseconds);

    // Runs statement text (one or more statements), returns rows changed.
    int exec(const QString& sql);
    // Runs one statement that this connection runs again and again (BEGIN IMMEDIATE, COMMIT, a
    // write's savepoint), kept prepared after its first run.
    void execKept(const QString& sql);

    // --- what a cursor needs to know whether its rows may have changed -------------------------
    // The data version of schema's file ("main" or an attached file: PRAGMA data_version), which
    // moves when another connection or program commits to it. Asked of the file once per user
    // action: within one event of the program's event loop (currentEventPass) a version read
    // before is given again unless a connection of this process committed since; outside an event
    // loop the file is asked every time, except inside this connection's own transaction, which
    // holds the main file's write lock (no other connection can commit to it until it ends).
    // Raises engineError when schema is not attached.
    qint64 dataVersion(const QString& schema);

    // Bumped by every rollback of this connection: a whole transaction (ROLLBACK, one SQLite
    // ends by itself after an error, closing with a transaction open) or a failed write's
    // savepoint (WriteScope).
    quint64 rollbackGeneration() const { return m_rollbacks; }
    // True while a transaction is open (an explicit one, or a WriteScope's own).
    bool inTransaction() const;
    // Serial of the transaction open now (or of the last one); each BEGIN takes the next.
    quint64 transactionSerial() const { return m_transactionSerial; }
    // Tells watcher when the open transaction ends; a watcher gone by then is skipped.
    void watchTransaction(const std::weak_ptr<TransactionWatcher>& watcher);

    // --- explicit transaction (beginTrans and friends) ----------------------------------------
    bool inExplicitTransaction() const;
    void beginExplicit();
    void commitExplicit();
    void rollbackExplicit();

    // --- Catalog -----------------------------------------------------------------------------
    std::optional<QString> storedQuery(const QString& name) const override;
    // Stored query of an attached file (schema from attach()) or of "main".
    std::optional<QString> storedQueryIn(const QString& schema, const QString& name) const override;
    // Verifies the file like open() does (same password), attaches it and returns its schema
    // ("ext1", "ext2", ...). The file of this connection itself gives "main". At most eight files
    // stay attached between transactions; the one used least recently by a statement is detached
    // to make room. Inside a transaction no attached file can be detached (SQLite keeps them
    // locked), so up to SQLite's limit of ten stay attached until it ends; an eleventh file
    // inside one transaction raises SQLite's error and the transaction goes on.
    QString attach(const QString& path) override;
    QStringList columns(const QString& schema, const QString& table) const override;

    // Starts a new statement for the attach bookkeeping: files attached from now on are in use.
    void beginStatement() { ++m_statementSerial; }

    // --- test seam ---------------------------------------------------------------------------
    // Sees each Jet statement (execute, recordset opens and requeries) and each write of a
    // recordset (the SQLite INSERT, UPDATE or DELETE it runs) before it runs.
    void setStatementHook(std::function<void(const QString&)> hook) { m_hook = std::move(hook); }
    void runStatementHook(const QString& jetSql) const;

    // Savepoint depth of WriteScope (internal).
    int m_scopeDepth = 0;

    // Internal: the transaction bookkeeping of WriteScope and the explicit transaction.
    void transactionBegun() { ++m_transactionSerial; }
    void savepointRolledBack() { ++m_rollbacks; }
    void transactionEnded(bool committed);

private:
    Connection() = default;
    static sqlite3* openHandle(const QString& path, int flags);
    void setUp();
    void setCacheSize();
    static QString canonicalPath(const QString& path);

    struct Attached
    {
        QString schema;
        quint64 lastUse = 0;
    };

    static void onRollback(void* connection);
    static int onCommit(void* connection);

    struct Version
    {
        std::unique_ptr<Statement> read;
        qint64 value = 0;
        quint64 pass = 0;        // the event it was read in (0: none)
        quint64 commits = 0;     // commitSerial() when it was read
        quint64 transaction = 0; // the transaction of this connection it was read in (0: none)
    };
    std::map<QString, Version> m_versions;                // by schema
    std::map<QString, std::unique_ptr<Statement>> m_kept; // execKept's statements
    void trimAttached(int keep);

    sqlite3* m_db = nullptr;
    quint64 m_rollbacks = 0;
    quint64 m_transactionSerial = 0;
    std::vector<std::weak_ptr<TransactionWatcher>> m_watchers;
    QString m_path;
    QString m_password;
    bool m_readOnly = false;
    bool m_explicit = false;
    QHash<QString, Attached> m_attached; // canonical path -> schema
    int m_attachCounter = 0;
    quint64 m_statementSerial = 1;
    std::function<void(const QString&)> m_hook;
};

// A write on a connection: BEGIN IMMEDIATE (so that a writer elsewhere makes us wait up to the
// busy timeout at the start, instead of failing half-way), or a savepoint when a transaction is
// already open (an explicit one from beginTrans). The destructor rolls back unless commit() ran,
// so a failing step leaves nothing half-written. On a connection opened read-only it raises
// NotUpdatable before anything runs.
//
// A write of one statement (Extent::OneStatement: a recordset's insert, update or delete) takes
// no savepoint inside an open transaction: SQLite undoes a failing statement by itself and the
// transaction goes on, as the savepoint would have had it.
class WriteScope
{
public:
    enum class Extent
    {
        Statements,  // one or more statements, undone together
        OneStatement // a single statement
    };
    explicit WriteScope(Connection& connection, Extent extent = Extent::Statements);
    ~WriteScope();
    WriteScope(const WriteScope&) = delete;
    WriteScope& operator=(const WriteScope&) = delete;
    void commit();

private:
    Connection& m_conn;
    QString m_savepoint;   // empty: our own BEGIN IMMEDIATE, or nothing (joined)
    bool m_joined = false; // one statement inside the open transaction: nothing to begin or end
    bool m_done = false;
};

} // namespace db
