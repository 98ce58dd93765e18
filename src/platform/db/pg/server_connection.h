#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

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

    // Runs one statement, with values bound to $1, $2 ... (a null QVariant binds NULL), and
    // returns its rows: integers as qlonglong, floating and numeric values as double, booleans as
    // bool, bytea as QByteArray, NULL as a null QVariant, anything else as its text. Raises
    // DbError: DuplicateKey, NullNotAllowed, TableNotFound, SyntaxError where the server's
    // SQLSTATE says so, ServerUnreachable when the connection is lost, else ServerCallFailed;
    // the description holds the SQLSTATE, the server's message and the statement.
    QList<QVariantList> query(const QString& sql, const QVariantList& values = {});
    // The same for a statement without rows; returns the number of rows it changed.
    int exec(const QString& sql, const QVariantList& values = {});
    // Runs work in one transaction: committed when work returns, rolled back when it raises (a
    // failing rollback is logged) and the error raised again.
    void inTransaction(const std::function<void()>& work);
    // The same rows handed to take one at a time as the server sends them, never all held at
    // once (a whole year's table). An error of take stops the statement and is raised again.
    void forEachRow(const QString& sql, const QVariantList& values,
                    const std::function<void(const QVariantList&)>& take);

private:
    explicit ServerConnection(pg_conn* connection);
    struct Result;
    struct Bound;
    Result run(const QString& sql, const QVariantList& values);
    [[noreturn]] void raise(const pg_result* result, const QString& sql) const;

    pg_conn* m_connection;
};

} // namespace db::pg
