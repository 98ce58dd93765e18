#include "server_engine.h"

#include "data_set.h"
#include "field_values.h"
#include "program_functions.h"
#include "server_connection.h"
#include "server_data_set.h"
#include "server_names.h"
#include "server_rows.h"
#include "text_fold.h"

#include "platform/db/connection.h"
#include "platform/db/database_engine.h"
#include "platform/db/db_error.h"
#include "platform/db/db_log.h"
#include "platform/db/event_pass.h"
#include "platform/db/row_source.h"
#include "platform/db/snapshot_rows.h"
#include "platform/db/sql_quote.h"
#include "platform/db/statement.h"

namespace db::pg {

namespace {

// What a data set's engine and the rows opened from it share: the connection, the data set and
// the explicit transaction.
struct Session
{
    std::unique_ptr<ServerConnection> server;
    std::unique_ptr<ServerDataSet> data;
    bool inTransaction = false;
    quint64 transactionSerial = 0;
    std::vector<std::weak_ptr<TransactionWatcher>> watchers;
    std::vector<std::weak_ptr<RowSource>> unreadKeys; // keysets whose open left keys unread
    std::function<void(const QString&)> hook;
    quint64 writes = 0; // writes through this connection: rows read before may differ after one

    void runHook(const QString& sql) const
    {
        if (hook)
            hook(sql);
    }

    // Inside beginTrans() a write runs in a savepoint, so that a failing one undoes only itself
    // and the transaction goes on (on a server a failed statement spoils the whole transaction).
    template <class Work> auto write(const Work& work, bool ownTransaction = false)
    {
        ++writes;
        if (!inTransaction && !ownTransaction)
            return work();
        decltype(work()) result{};
        server->inTransaction([&] { result = work(); });
        return result;
    }

    void ended(bool committed)
    {
        inTransaction = false;
        const auto watching = std::move(watchers);
        watchers.clear();
        for (const std::weak_ptr<TransactionWatcher>& w : watching) {
            if (const auto watcher = w.lock())
                watcher->transactionEnded(transactionSerial, committed);
        }
    }
};

std::shared_ptr<RowSource> openRows(const std::shared_ptr<Session>& session, const QString& source, RecordsetType type);

class ServerRowStore : public RowStore
{
public:
    ServerRowStore(std::shared_ptr<Session> session, std::unique_ptr<ServerRows> rows)
        : m_session(std::move(session)), m_rows(std::move(rows))
    {}

    bool fetch(qint64 key, QVector<QVariant>& values) override { return m_rows->fetch(key, values); }
    bool readsInBatches() const override { return true; }
    bool markExactly(const QString& base, const QString& mark, const std::vector<qint64>& keys,
                     const Stamp& since) override
    {
        // This connection's writes and rollbacks since the keys were read are known here; another
        // client's write is seen under the lock of the table's number.
        if (since.changes != qint64(m_session->writes) || since.rollbacks != m_session->server->rollbacks())
            return false;
        m_session->runHook(QStringLiteral("UPDATE"));
        return m_session->write([&] { return m_rows->markExactly(base, mark, keys, since.dataVersion); }, true);
    }
    void fetchMany(const std::vector<qint64>& keys, const FoundRow& found) override { m_rows->fetchMany(keys, found); }
    std::vector<qint64> keysBetween(qint64 after, qint64 before) override { return m_rows->keysBetween(after, before); }
    void find(const QString& jetCriterion, const std::function<void(qint64, const ReadFound&)>& found) override
    {
        // The values come with the find: a loop of finds lands on each hit without asking again.
        m_rows->forEachMatching(jetCriterion, [&](qint64 key, const QVector<QVariant>& values) {
            found(key, [&values](QVector<QVariant>& into) { into = values; });
        });
    }
    qint64 insertRow(const QVector<QVariant>& values, const QVector<bool>& dirty) override
    {
        m_session->runHook(QStringLiteral("INSERT"));
        return m_session->write([&] { return m_rows->insertRow(values, dirty); });
    }
    // Another client may commit while this one's transaction is open: the row is always read
    // again, FOR UPDATE, to check it.
    StoredRow updateRow(qint64 key, const QVector<QVariant>& values, const QVector<bool>& dirty,
                        const QVector<QVariant>& expected, const ReadRow*) override
    {
        m_session->runHook(QStringLiteral("UPDATE"));
        m_session->write(
            [&] {
                m_rows->updateRow(key, values, dirty, expected);
                return 0;
            },
            !expected.isEmpty()); // the check and the write in one transaction
        return std::nullopt;
    }
    void deleteRow(qint64 key) override
    {
        m_session->runHook(QStringLiteral("DELETE"));
        m_session->write([&] {
            m_rows->deleteRow(key);
            return 0;
        });
    }
    // The table's number is asked of the server once per user action (one event of the event
    // loop), as a file's data version is: another client's commit is seen at the next action, and
    // this connection's own writes and rollbacks move the stamp at once.
    Stamp stamp() override
    {
        const quint64 pass = currentEventPass();
        if (pass == 0 || pass != m_versionPass || m_session->writes != m_versionWrites)
            return stampWith(m_rows->stamp().version, pass);
        return stampWith(m_version, pass);
    }
    // The stamp the keys were read under: the table's number read just before them, which this
    // user action then goes on with.
    Stamp openedStamp() { return stampWith(m_rows->openedVersion(), currentEventPass()); }
    bool inTransaction() const override { return m_session->inTransaction; }
    quint64 transactionSerial() const override { return m_session->transactionSerial; }
    void watchTransaction(const std::weak_ptr<TransactionWatcher>& watcher) override
    {
        m_session->watchers.push_back(watcher);
    }
    std::shared_ptr<RowSource> reopen(const QString& source, RecordsetType type) override
    {
        return openRows(m_session, source, type);
    }
    const void* owner() const override { return m_session.get(); }

private:
    // The stamp of the table's number `version`, kept for the rest of the action `pass`.
    Stamp stampWith(qint64 version, quint64 pass)
    {
        m_version = version;
        m_versionPass = pass;
        m_versionWrites = m_session->writes;
        Stamp stamp;
        stamp.changes = qint64(m_session->writes);
        stamp.dataVersion = version;
        stamp.rollbacks = m_session->server->rollbacks();
        return stamp;
    }

    std::shared_ptr<Session> m_session;
    std::unique_ptr<ServerRows> m_rows;
    qint64 m_version = 0;
    quint64 m_versionPass = 0;
    quint64 m_versionWrites = 0;
};

// A copy of what a source gives, read from the server row by row into the copy.
std::shared_ptr<RowSource> copyOf(const std::shared_ptr<Session>& session, const QString& source, RecordsetType type)
{
    ServerDataSet& data = *session->data;
    data.use();
    const QString sql = ServerRows::inTableOrder(*session->server, data, data.selectStatement(source));
    QVector<SourceColumn> columns;
    for (const FieldDef& f : data.fieldsOfSelect(sql)) {
        SourceColumn c;
        c.name = f.name;
        c.def = f;
        columns << c;
    }
    QVector<FieldType> types;
    for (const SourceColumn& c : std::as_const(columns))
        types << c.def.type;
    auto fill = [&](Statement& put) {
        session->server->forEachRow(sql, {}, [&](const QVariantList& row) {
            for (int i = 0; i < types.size(); ++i)
                put.bind(i + 1, fieldvalue::fromServer(row.value(i), types[i]));
            put.run();
        });
    };
    auto reopen = [session](const QString& again, RecordsetType t) { return openRows(session, again, t); };
    return SnapshotRows::copy(std::move(columns), fill, source, type, reopen, session.get());
}

std::shared_ptr<RowSource> openRows(const std::shared_ptr<Session>& session, const QString& source, RecordsetType type)
{
    session->runHook(source);
    if (type == RecordsetType::Dynaset) {
        std::unique_ptr<ServerRows> rows;
        try {
            rows = ServerRows::open(*session->server, *session->data, source);
        } catch (const DbError& e) {
            if (e.number() != errc::NotUpdatable)
                throw;
            qCDebug(lcDb) << "read from a copy:" << e.description();
        }
        if (rows) {
            RowSource::Opened opened;
            opened.columns = rows->columns();
            opened.keys = rows->keys();
            opened.unreadAt = rows->unreadAt();
            opened.unreadCount = rows->unreadCount();
            opened.updatable = true;
            opened.baseSchema = rows->schema() == session->data->schema() ? QStringLiteral("main") : rows->schema();
            opened.baseTable = rows->table();
            auto store = std::make_unique<ServerRowStore>(session, std::move(rows));
            opened.keysStamp = store->openedStamp();
            const bool unread = opened.unreadCount > 0;
            std::shared_ptr<RowSource> keyset = RowSource::create(std::move(store), std::move(opened), source);
            if (unread) {
                std::erase_if(session->unreadKeys, [](const std::weak_ptr<RowSource>& k) { return k.expired(); });
                session->unreadKeys.push_back(keyset);
            }
            return keyset;
        }
    }
    return copyOf(session, source, type);
}

class ServerEngine : public DatabaseEngine
{
public:
    explicit ServerEngine(std::shared_ptr<Session> session) : m_session(std::move(session)) {}

    QString path() const override { return m_session->data->schema(); }
    bool isReadOnly() const override { return false; }
    void close() override
    {
        if (!m_session->inTransaction)
            return;
        try {
            rollback();
        } catch (const DbError& e) {
            // The server rolls back by itself when the connection closes.
            qCWarning(lcDb) << "rollback on close:" << e.description();
        }
    }

    int execute(const QString& jetSql) override
    {
        m_session->runHook(jetSql);
        ++m_session->writes;
        m_session->data->execute(jetSql);
        return m_session->data->recordsAffected();
    }
    std::shared_ptr<RowSource> openRows(const QString& source, RecordsetType type) override
    {
        return pg::openRows(m_session, source, type);
    }

    void beginTrans() override
    {
        if (m_session->inTransaction)
            throw DbError(errc::TransactionState, QStringLiteral("A transaction is already open."));
        // Keys read inside the transaction would miss the rows it deletes, and its rollback would
        // not bring them back into the keyset.
        while (!m_session->unreadKeys.empty()) {
            if (const auto rows = m_session->unreadKeys.back().lock())
                rows->readUnreadKeys();
            m_session->unreadKeys.pop_back();
        }
        server().exec(QStringLiteral("begin"));
        // One writer at a time per data set, as BEGIN IMMEDIATE takes a data file's write lock:
        // what a transaction reads to number a letter stays true until it commits. A writer
        // elsewhere makes this wait up to the busy timeout (lock_timeout), then FileLocked.
        try {
            server().query(QStringLiteral("select pg_advisory_xact_lock(hashtext($1))"), {schema()});
        } catch (const DbError&) {
            server().exec(QStringLiteral("rollback"));
            throw;
        }
        ++m_session->transactionSerial;
        m_session->inTransaction = true;
    }
    void commitTrans() override
    {
        requireTransaction();
        server().exec(QStringLiteral("commit"));
        m_session->ended(true);
    }
    void rollback() override
    {
        requireTransaction();
        // Whatever the server answers, the transaction is over (a lost connection took it).
        try {
            server().exec(QStringLiteral("rollback"));
        } catch (...) {
            m_session->ended(false);
            throw;
        }
        m_session->ended(false);
    }

    QStringList tableNames() const override { return dataset::tableNames(server(), schema()); }
    bool hasTable(const QString& name) const override { return m_session->data->hasTable(name); }
    TableDef tableDef(const QString& name) const override { return m_session->data->tableDef(name); }
    void appendTableDef(const TableDef& def) override { m_session->data->appendTableDef(def); }
    void appendField(const QString& table, const FieldDef& field) override
    {
        server().inTransaction([&] { dataset::addField(server(), schema(), table, field); });
    }
    int schemaVersion() const override
    {
        if (server().query(QStringLiteral("select to_regclass($1)"), {settingsTable()}).first().first().isNull())
            return 0;
        const QList<QVariantList> rows = server().query(QStringLiteral("select value from ") + settingsTable() +
                                                        QStringLiteral(" where name = 'schema_version'"));
        return rows.isEmpty() ? 0 : rows.first().first().toInt();
    }
    void setSchemaVersion(int version) override
    {
        server().inTransaction([&] {
            server().exec(QStringLiteral("create table if not exists ") + settingsTable() +
                          QStringLiteral(" (name text primary key, value integer not null)"));
            server().exec(QStringLiteral("insert into ") + settingsTable() +
                              QStringLiteral(" values ('schema_version', $1) on conflict (name) do update set "
                                             "value = excluded.value"),
                          {version});
        });
    }
    void setAllowZeroLength(const QString& table, const QString& field, bool allow) override
    {
        server().inTransaction([&] { dataset::setAllowZeroLength(server(), schema(), table, field, allow); });
    }
    void indexRowsMarked(const QString& table, const QString& column, const QString& mark) override
    {
        const std::optional<QString> stored = dataset::storedName(server(), schema(), table);
        if (!stored)
            throw DbError(errc::ItemNotFound,
                          QStringLiteral("Item not found in this collection: table '") + table + QStringLiteral("'."));
        const FieldDef* field = nullptr;
        const TableDef def = tableDef(*stored);
        field = def.field(column);
        if (!field)
            return;
        // Statements compare the mark by its fold; the mark is plain ASCII, so its fold is its
        // lower case.
        server().exec(QStringLiteral("create index if not exists ") +
                      dataset::name(QStringLiteral("msys_marked_") + *stored) + QStringLiteral(" on ") +
                      dataset::qualified(schema(), *stored) + QStringLiteral(" (") + dataset::name(field->name) +
                      QStringLiteral(") where ") + quoteIdentifier(QString::fromUtf16(FunctionSchema)) + u'.' +
                      QString::fromUtf16(FoldFunction) + u'(' + dataset::name(field->name) + QStringLiteral(") = ") +
                      quoteLiteral(mark.toLower()));
    }

    QStringList queryNames() const override { return m_session->data->queryNames(); }
    std::optional<QString> storedQuery(const QString& name) const override
    {
        for (const auto& [stored, sql] : dataset::queries(server(), schema())) {
            if (stored.compare(name, Qt::CaseInsensitive) == 0)
                return sql;
        }
        return std::nullopt;
    }
    void createQueryDef(const QString& name, const QString& jetSql) override
    {
        m_session->data->createQueryDef(name, jetSql);
    }
    void setQuerySql(const QString& name, const QString& jetSql) override
    {
        m_session->data->setQuerySql(name, jetSql);
    }

    void setStatementHook(std::function<void(const QString& jetSql)> hook) override
    {
        m_session->hook = std::move(hook);
    }
    void setBusyTimeout(int milliseconds) override
    {
        server().keepForSession(QStringLiteral("set lock_timeout = ") + QString::number(qMax(milliseconds, 1)));
    }
    const void* owner() const override { return m_session.get(); }

private:
    ServerConnection& server() const { return *m_session->server; }
    const QString& schema() const { return m_session->data->schema(); }
    QString settingsTable() const { return dataset::qualified(schema(), QStringLiteral("msys_settings")); }
    void requireTransaction() const
    {
        if (!m_session->inTransaction)
            throw DbError(errc::TransactionState, QStringLiteral("No transaction is open."));
    }

    std::shared_ptr<Session> m_session;
};

} // namespace

Database openDataSet(const QString& connection, const QString& dataSet)
{
    auto session = std::make_shared<Session>();
    session->server = ServerConnection::open(connection);
    const QString schema = dataSet.toLower();
    if (!dataset::exists(*session->server, schema))
        throw DbError(errc::FileNotFound, QStringLiteral("Máy chủ không có bộ dữ liệu ") + schema + u'.');
    installProgramFunctionsIfOlder(*session->server);
    session->data = std::make_unique<ServerDataSet>(*session->server, schema);
    session->server->keepForSession(QStringLiteral("set search_path to ") + quoteIdentifier(schema) +
                                    QStringLiteral(", ") + quoteIdentifier(QString::fromUtf16(FunctionSchema)));
    return Database::over(std::make_shared<ServerEngine>(session));
}

} // namespace db::pg
