#include "connection.h"

#include "db_log.h"
#include "event_pass.h"
#include "password_verifier.h"
#include "schema_store.h"
#include "sql_quote.h"
#include "statement.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <sqlite3.h>

namespace db {

namespace {

// Commits of every connection of this process: a data version kept within one event is asked
// again after any of them (another Database on the same file, a file attached elsewhere).
std::atomic<quint64> commitSerial{0};

DbError notOurs(const QString& path)
{
    return DbError(errc::NotADatabase, QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

// Reads the verifier of `schema` on db and checks password against it.
void verifyPassword(sqlite3* db, const QString& schema, const QString& path, const QString& password)
{
    PasswordVerifier v;
    try {
        Statement read(db, QStringLiteral("SELECT key, value FROM ") + quoteIdentifier(schema) +
                               QStringLiteral(".msys_info"));
        while (read.step()) {
            const QString key = read.text(0);
            if (key == QLatin1String("salt"))
                v.salt = QByteArray::fromHex(read.text(1).toLatin1());
            else if (key == QLatin1String("verifier"))
                v.verifier = QByteArray::fromHex(read.text(1).toLatin1());
        }
    } catch (const DbError& e) {
        // A file without our table, or not an SQLite file at all, is not a data file of ours;
        // a busy file stays busy.
        if (e.number() == errc::FileLocked)
            throw;
        throw notOurs(path);
    }
    if (v.salt.isEmpty() || v.verifier.isEmpty())
        throw notOurs(path);
    if (!v.matches(password))
        throw DbError(errc::InvalidPassword, QStringLiteral("Not a valid password."));
}

} // namespace

sqlite3* Connection::openHandle(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const DbError error = engineError(db, rc, QString());
        sqlite3_close_v2(db);
        throw DbError(error.number(), error.description() + QStringLiteral(" (%1)").arg(path));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, DefaultBusyTimeoutMs);
    return db;
}

void Connection::setUp()
{
    jetsql::registerFunctions(m_db);
    sqlite3_rollback_hook(m_db, &Connection::onRollback, this);
    sqlite3_commit_hook(m_db, &Connection::onCommit, nullptr);
}

void Connection::setCacheSize()
{
    // Room for a year's table of 100,000 letters (about 40 MB) in SQLite's own page cache; the
    // cache grows only as pages are read. No memory-mapped I/O: data files may live in a network
    // folder, where a mapped file that fails to read stops the program.
    exec(QStringLiteral("PRAGMA cache_size = -65536"));
}

int Connection::onCommit(void*)
{
    ++commitSerial;
    return 0; // go on with the commit
}

qint64 Connection::dataVersion(const QString& schema)
{
    const quint64 pass = currentEventPass();
    Version& v = m_versions[schema];
    const quint64 commits = commitSerial.load();
    // Inside our own transaction (always BEGIN IMMEDIATE, which holds the main file's write lock)
    // no other connection can commit to the main file: what is read first in it, under the lock,
    // holds until it ends. (A save compares its row with the file's version read so.)
    const quint64 transaction = inTransaction() && schema == QLatin1String("main") ? m_transactionSerial : 0;
    if (transaction != 0 && v.transaction == transaction)
        return v.value;
    if (transaction == 0 && pass != 0 && v.pass == pass && v.commits == commits)
        return v.value;
    try {
        if (!v.read)
            v.read = std::make_unique<Statement>(m_db, QStringLiteral("PRAGMA ") + quoteIdentifier(schema) +
                                                           QStringLiteral(".data_version"));
        if (v.read->step())
            v.value = v.read->int64(0);
        v.read->reset();
    } catch (...) {
        m_versions.erase(schema);
        throw;
    }
    v.pass = pass;
    v.commits = commits;
    v.transaction = transaction;
    return v.value;
}

void Connection::onRollback(void* connection)
{
    // Called by SQLite for every rollback of a whole transaction, also one it makes by itself.
    static_cast<Connection*>(connection)->transactionEnded(false);
}

bool Connection::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

void Connection::watchTransaction(const std::weak_ptr<TransactionWatcher>& watcher)
{
    m_watchers.push_back(watcher);
}

void Connection::transactionEnded(bool committed)
{
    if (!committed)
        ++m_rollbacks;
    std::vector<std::weak_ptr<TransactionWatcher>> watchers;
    watchers.swap(m_watchers);
    for (const auto& w : watchers) {
        if (const std::shared_ptr<TransactionWatcher> watcher = w.lock())
            watcher->transactionEnded(m_transactionSerial, committed);
    }
}

std::shared_ptr<Connection> Connection::open(const QString& path, const QString& password, bool readOnly)
{
    if (!QFileInfo(path).isFile())
        throw DbError(errc::FileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
    std::shared_ptr<Connection> c(new Connection);
    // A file marked read-only is opened for reading even where the operating system would let
    // this user write it (an administrator, root): the mark is honoured as on the old platform,
    // and writes raise ReadOnlyFile with SQLite's text.
    const bool marked =
        !(QFile::permissions(path) & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
    c->m_db = openHandle(path, readOnly || marked ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    c->m_path = path;
    c->m_password = password;
    c->m_readOnly = readOnly;
    c->setUp();
    verifyPassword(c->m_db, QStringLiteral("main"), path, password);
    c->setCacheSize();
    return c;
}

std::shared_ptr<Connection> Connection::create(const QString& path, const QString& password)
{
    if (QFileInfo::exists(path))
        throw DbError(errc::DatabaseExists, QStringLiteral("Database '%1' already exists.").arg(path));
    std::shared_ptr<Connection> c(new Connection);
    c->m_db = openHandle(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    c->m_path = path;
    c->m_password = password;
    c->setUp();
    c->setCacheSize();
    const PasswordVerifier v = PasswordVerifier::make(password);
    WriteScope scope(*c);
    SchemaStore::initialise(c->m_db, QStringLiteral("main"));
    Statement put(c->m_db, QStringLiteral("INSERT OR REPLACE INTO main.msys_info (key, value) VALUES (?1, ?2)"));
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("format"), QStringLiteral("selvaro 1")},
        {QStringLiteral("salt"), QString::fromLatin1(v.salt.toHex())},
        {QStringLiteral("verifier"), QString::fromLatin1(v.verifier.toHex())},
    };
    for (const auto& row : rows) {
        put.bindText(1, row.first);
        put.bindText(2, row.second);
        put.run();
    }
    scope.commit();
    return c;
}

std::shared_ptr<Connection> Connection::openScratch()
{
    std::shared_ptr<Connection> c(new Connection);
    c->m_db = openHandle(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    c->setUp();
    return c;
}

Connection::~Connection()
{
    m_versions.clear(); // finalized before the connection closes
    m_kept.clear();
    if (m_db) {
        sqlite3_rollback_hook(m_db, nullptr, nullptr);
        sqlite3_commit_hook(m_db, nullptr, nullptr);
        if (!sqlite3_get_autocommit(m_db) && sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
            qCWarning(lcDb) << "rolling back on close:" << sqlite3_errmsg(m_db);
        sqlite3_close_v2(m_db);
    }
}

bool Connection::isReadOnly() const
{
    return m_readOnly || sqlite3_db_readonly(m_db, "main") == 1;
}

void Connection::setBusyTimeout(int milliseconds)
{
    sqlite3_busy_timeout(m_db, milliseconds);
}

int Connection::exec(const QString& sql)
{
    return runScript(m_db, sql);
}

void Connection::execKept(const QString& sql)
{
    std::unique_ptr<Statement>& kept = m_kept[sql];
    if (!kept) {
        try {
            kept = std::make_unique<Statement>(m_db, sql);
        } catch (...) {
            m_kept.erase(sql);
            throw;
        }
    }
    kept->run();
}

bool Connection::inExplicitTransaction() const
{
    // SQLite ends a transaction by itself after some errors (a full disk, for one).
    return m_explicit && !sqlite3_get_autocommit(m_db);
}

void Connection::beginExplicit()
{
    if (inExplicitTransaction())
        throw DbError(errc::TransactionState,
                      QStringLiteral("A transaction is already open; nested transactions are not supported."));
    execKept(QStringLiteral("BEGIN IMMEDIATE"));
    transactionBegun();
    m_explicit = true;
}

void Connection::commitExplicit()
{
    if (!inExplicitTransaction()) {
        m_explicit = false;
        throw DbError(errc::TransactionState, QStringLiteral("Commit without a transaction."));
    }
    execKept(QStringLiteral("COMMIT")); // busy: raises, the transaction stays open
    m_explicit = false;
    transactionEnded(true);
}

void Connection::rollbackExplicit()
{
    if (!inExplicitTransaction()) {
        m_explicit = false;
        throw DbError(errc::TransactionState, QStringLiteral("Rollback without a transaction."));
    }
    m_explicit = false;
    exec(QStringLiteral("ROLLBACK"));
}

std::optional<QString> Connection::storedQuery(const QString& name) const
{
    return storedQueryIn(QStringLiteral("main"), name);
}

std::optional<QString> Connection::storedQueryIn(const QString& schema, const QString& name) const
{
    if (!SchemaStore::hasTable(m_db, schema, QStringLiteral("msys_queries")))
        return std::nullopt;
    Statement find(m_db, QStringLiteral("SELECT sql FROM ") + quoteIdentifier(schema) +
                             QStringLiteral(".msys_queries WHERE key = ?1"));
    find.bindText(1, name.toLower());
    if (!find.step())
        return std::nullopt;
    const QString sql = find.text(0);
    find.reset();
    return sql;
}

QString Connection::canonicalPath(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QString Connection::attach(const QString& path)
{
    const QString key = canonicalPath(path);
    if (!m_path.isEmpty() && key == canonicalPath(m_path))
        return QStringLiteral("main");
    auto found = m_attached.find(key);
    if (found != m_attached.end()) {
        found->lastUse = m_statementSerial;
        return found->schema;
    }
    // Verify the file the way open() does before it joins this connection.
    {
        std::shared_ptr<Connection> probe = open(path, m_password, true);
    }
    // SQLite allows ten attached files; keep room by detaching the least recently used one that
    // the statement being translated does not use. Inside a transaction nothing can be detached:
    // the files stay until it ends, up to SQLite's limit.
    if (!inTransaction())
        trimAttached(7);
    const QString schema = QStringLiteral("ext") + QString::number(++m_attachCounter);
    Statement attachStmt(m_db, QStringLiteral("ATTACH DATABASE ?1 AS ") + quoteIdentifier(schema));
    attachStmt.bindText(1, path);
    attachStmt.run();
    m_attached.insert(key, Attached{schema, m_statementSerial});
    return schema;
}

void Connection::trimAttached(int keep)
{
    while (int(m_attached.size()) > keep) {
        auto oldest = m_attached.end();
        for (auto it = m_attached.begin(); it != m_attached.end(); ++it) {
            if (it->lastUse < m_statementSerial && (oldest == m_attached.end() || it->lastUse < oldest->lastUse))
                oldest = it;
        }
        if (oldest == m_attached.end())
            return;
        m_versions.erase(oldest->schema);
        exec(QStringLiteral("DETACH DATABASE ") + quoteIdentifier(oldest->schema));
        m_attached.erase(oldest);
    }
}

QStringList Connection::columns(const QString& schema, const QString& table) const
{
    QStringList names;
    Statement info(m_db, QStringLiteral("SELECT name FROM pragma_table_info(?1, ?2)"));
    info.bindText(1, table);
    info.bindText(2, schema);
    while (info.step())
        names << info.text(0);
    return names;
}

void Connection::runStatementHook(const QString& jetSql) const
{
    if (m_hook)
        m_hook(jetSql);
}

WriteScope::WriteScope(Connection& connection, Extent extent) : m_conn(connection)
{
    if (m_conn.openedReadOnly())
        throw DbError(errc::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    if (sqlite3_get_autocommit(m_conn.handle())) {
        m_conn.execKept(QStringLiteral("BEGIN IMMEDIATE"));
        m_conn.transactionBegun();
    } else if (extent == Extent::OneStatement) {
        m_joined = true;
    } else {
        m_savepoint = QStringLiteral("msys_write") + QString::number(++m_conn.m_scopeDepth);
        try {
            m_conn.execKept(QStringLiteral("SAVEPOINT ") + m_savepoint);
        } catch (...) {
            --m_conn.m_scopeDepth;
            throw;
        }
    }
}

WriteScope::~WriteScope()
{
    if (m_done || m_joined)
        return;
    sqlite3* db = m_conn.handle();
    if (m_savepoint.isEmpty()) {
        if (!sqlite3_get_autocommit(db) && sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
            qCWarning(lcDb) << "rolling back a failed write:" << sqlite3_errmsg(db);
    } else {
        --m_conn.m_scopeDepth;
        if (!sqlite3_get_autocommit(db)) {
            const QByteArray sql =
                (QStringLiteral("ROLLBACK TO ") + m_savepoint + QStringLiteral("; RELEASE ") + m_savepoint).toUtf8();
            if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
                qCWarning(lcDb) << "rolling back a failed write:" << sqlite3_errmsg(db);
            m_conn.savepointRolledBack();
        }
    }
}

void WriteScope::commit()
{
    if (m_joined) {
        m_done = true;
        return;
    }
    if (m_savepoint.isEmpty()) {
        m_conn.execKept(QStringLiteral("COMMIT"));
        m_conn.transactionEnded(true);
    } else {
        m_conn.execKept(QStringLiteral("RELEASE ") + m_savepoint);
        --m_conn.m_scopeDepth;
    }
    m_done = true;
}

} // namespace db
