#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

struct pg_conn;
struct pg_result;

// A connection to a PostgreSQL server, the engine of server mode. This is the bottom of that
// engine: connecting with libpq's own conventions, checking the server, and running statements
// whose values are always bound, never pasted into the text.
namespace db::pg {

// The oldest server we work with: 13 brought normalize(), which text comparisons need.
constexpr int OldestServerVersion = 130000;

// A server version as people write it: libpq's number 120004 is "12.4", 90624 (before 10) "9.6.24".
QString versionText(int versionNumber);

// Raises DbError(ServerTooOld), naming the version, for a server older than OldestServerVersion.
void checkServerVersion(int versionNumber);

class ServerConnection
{
public:
    // Connects with libpq's conventions: a connection string ("host=... dbname=...") or URI, or
    // "service=<name>" from pg_service.conf; the password from the string, PGPASSWORD or .pgpass
    // (we never keep one ourselves). Raises DbError: InvalidPassword when the server refused the
    // password or wanted one and was given none, ServerUnreachable when no server answered or it
    // refused for another reason, ServerTooOld.
    static std::unique_ptr<ServerConnection> open(const QString& connection);

    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    int serverVersion() const;
    // How many times a transaction or a savepoint of this connection was rolled back (also lost
    // with the connection): rows read before may show what the rollback undid.
    quint64 rollbacks() const { return m_rollbacks; }
    // A transaction (or what is left of one that failed) is open on the connection.
    bool inTransaction() const;

    // A lost connection (the server restarted, the network failed) raises ServerUnreachable for
    // the statement that found it; the next statement connects again, and raises
    // ServerUnreachable at once when the server still does not answer. A transaction open when
    // the connection was lost is gone: every statement but "rollback" raises ServerUnreachable,
    // saying that what was being written is not kept, until the caller rolls back.

    // Runs sql now and again on every new connection: settings of the session (search_path).
    void keepForSession(const QString& sql);
    // Makes path (quoted schema names, comma-separated) the schemas unqualified names are looked
    // up in, with no round trip when the connection's path is that already. A rollback may undo
    // a path set inside its transaction, and a new connection starts without it: then it is set
    // again.
    void useSearchPath(const QString& path);

    // Runs one statement, with values bound to $1, $2 ... (a null QVariant binds NULL), and
    // returns its rows: integers as qlonglong, floating and numeric values as double, booleans as
    // bool, bytea as QByteArray, NULL as a null QVariant, anything else as its text. Raises
    // DbError: DuplicateKey, NullNotAllowed, FieldTooSmall (a text too long for its column),
    // ZeroLengthNotAllowed (a check refused ""), TableNotFound, SyntaxError where the server's
    // SQLSTATE says so, ServerUnreachable when the connection is lost, else ServerCallFailed;
    // the description holds the SQLSTATE, the server's message and the statement.
    QList<QVariantList> query(const QString& sql, const QVariantList& values = {});
    // The last column of each row as a whole number (the keys of a keyset), read without making
    // a value of every cell.
    std::vector<qint64> lastColumnNumbers(const QString& sql, const QVariantList& values = {});
    // A read of the data sets' definitions (their tables, fields, indexes, stored queries): kept
    // for the rest of the user action (event_pass.h) and given again until this connection runs
    // anything but a SELECT. Another client's change is seen at the next action, as its rows are.
    // Outside an event loop it is asked every time.
    QList<QVariantList> catalogQuery(const QString& sql, const QVariantList& values = {});
    // The same for a statement without rows; returns the number of rows it changed.
    int exec(const QString& sql, const QVariantList& values = {});
    // Runs work in one transaction: committed when work returns, rolled back when it raises (a
    // failing rollback is logged) and the error raised again. Inside an open transaction the work
    // is a savepoint of it: undone alone when it fails, kept with the transaction otherwise.
    void inTransaction(const std::function<void()>& work);
    // The same for statements that may change no row, work returning how many they changed.
    // A transaction of its own whose work changed none is ended by a rollback: the statements'
    // triggers (the table's number, table_versions.h) then leave nothing that makes other clients
    // read their rows again. That rollback undoes nothing anyone read: it is not counted in
    // rollbacks(). Inside an open transaction it is inTransaction.
    void inTransactionIfChanged(const std::function<int()>& work);
    // A column a query gives: its name, type (pg_type.oid) and type modifier (a varchar's size
    // + 4, else -1), and the table column it comes straight from (pg_class.oid and attnum; 0 for
    // an expression).
    struct ResultColumn
    {
        QString name;
        unsigned type = 0;
        int typeModifier = -1;
        unsigned table = 0;
        int tableColumn = 0;
    };
    // The columns a query gives, without running it.
    QList<ResultColumn> resultColumns(const QString& sql);
    // The same rows handed to take one at a time as the server sends them, never all held at
    // once (a whole year's table). An error of take stops the statement and is raised again.
    void forEachRow(const QString& sql, const QVariantList& values,
                    const std::function<void(const QVariantList&)>& take);

private:
    explicit ServerConnection(pg_conn* connection);
    struct Result;
    struct Bound;
    // resultFormat 1 asks for the values in the server's binary form.
    Result run(const QString& sql, const QVariantList& values, int resultFormat = 0);
    // work in a transaction of its own, or a savepoint of the open one; work says whether what it
    // did is kept (a savepoint is kept either way).
    void transaction(const std::function<bool()>& work);
    [[noreturn]] void raise(const pg_result* result, const QString& sql);
    // Connects again after a loss (or refuses, see above) before sql runs.
    void readyFor(const QString& sql);
    QString lostText() const;

    pg_conn* m_connection;
    int m_transactionBefore = 0; // PQtransactionStatus before the statement running now
    bool m_transactionLost = false;
    quint64 m_rollbacks = 0;
    bool m_discarding = false; // a rollback of a transaction that changed no row: not counted
    QStringList m_sessionSettings;
    QString m_searchPath;                          // as last set on this connection; empty when not known
    QHash<QString, QList<QVariantList>> m_catalog; // catalogQuery's answers in this action
    quint64 m_catalogPass = 0;
};

} // namespace db::pg
