#pragma once

#include "platform/db/db_error.h"
#include "platform/db/pg/program_functions.h"
#include "platform/db/pg/server_connection.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace pg_test {

using db::pg::ServerConnection;

// The number of the DbError action raises; 0 when it raises none.
inline int failureNumber(const std::function<void()>& action)
{
    try {
        action();
    } catch (const db::DbError& e) {
        return e.number();
    }
    return 0;
}

// The connection without its password, which libpq then takes from PGPASSWORD (set here), as an
// office keeps it out of the program's settings.
inline QString withoutPassword(QString connection)
{
    const QRegularExpression item(u"\\s*\\bpassword=(\\S*)"_s);
    if (const QRegularExpressionMatch m = item.match(connection); m.hasMatch()) {
        qputenv("PGPASSWORD", m.captured(1).toUtf8());
        connection.remove(m.capturedStart(), m.capturedLength());
    }
    return connection.trimmed();
}

// The test server SELVARO_PG_TEST names, and this binary's own database on it, made afresh by each
// suite that needs it and dropped at the suite's end.
class ServerSuite
{
protected:
    static constexpr const char* NoServer =
        "no PostgreSQL test server: SELVARO_PG_TEST is not set (scripts/test.sh starts one)";

    static QString serverString() { return qEnvironmentVariable("SELVARO_PG_TEST"); }
    static QString databaseName() { return u"selvaro_test_"_s + QString::number(QCoreApplication::applicationPid()); }
    static QString suiteConnection() { return with(u"dbname"_s, databaseName()); }
    // The test server's connection string with one setting replaced.
    static QString with(const QString& key, const QString& value)
    {
        QString s = serverString();
        s.replace(QRegularExpression(u"\\b"_s + key + u"=\\S*"_s), key + u'=' + value);
        return s;
    }

    // Makes the database afresh (dropped first, should a run have left it).
    static void createDatabase(const QString& name)
    {
        auto admin = ServerConnection::open(serverString());
        admin->exec(u"drop database if exists "_s + name);
        admin->exec(u"create database "_s + name + u" encoding 'UTF8' template template0"_s);
    }
    static void dropDatabase(const QString& name, const QString& options = {})
    {
        ServerConnection::open(serverString())->exec(u"drop database if exists "_s + name + options);
    }

    // Makes the suite's database, with the program's functions unless told otherwise, and opens
    // it; null without a test server.
    static std::unique_ptr<ServerConnection> openSuite(bool withFunctions = true)
    {
        if (serverString().isEmpty())
            return nullptr;
        createDatabase(databaseName());
        auto suite = ServerConnection::open(suiteConnection());
        if (withFunctions)
            db::pg::installProgramFunctions(*suite);
        return suite;
    }
    static void dropSuite()
    {
        if (!serverString().isEmpty())
            dropDatabase(databaseName());
    }
};

// The suite's database, without the program's functions (a suite that needs them calls
// openSuite() itself); each test has a connection to it.
class ServerTest : public ::testing::Test, protected ServerSuite
{
protected:
    static void SetUpTestSuite() { openSuite(false); }
    static void TearDownTestSuite() { dropSuite(); }

    void SetUp() override
    {
        if (serverString().isEmpty())
            GTEST_SKIP() << NoServer;
        server = ServerConnection::open(suiteConnection());
    }

    std::unique_ptr<ServerConnection> server;
};

// A ServerTest whose tests each run in a transaction rolled back at its end, so that one case's
// tables never meet another's.
class RolledBackTest : public ServerTest
{
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        if (!IsSkipped())
            server->exec(u"begin"_s);
    }
    void TearDown() override
    {
        if (server)
            server->exec(u"rollback"_s);
    }
};

// A database of its own on the test server for one test (the program's connections to it must be
// closed before it goes: it is dropped with force). connection() has no password: the test
// server's is in PGPASSWORD, as an office keeps it in .pgpass.
class ScratchDatabase : ServerSuite
{
public:
    explicit ScratchDatabase(const QString& prefix)
        : m_name(prefix + QString::number(QCoreApplication::applicationPid()))
    {
        createDatabase(m_name);
        m_connection = withoutPassword(with(u"dbname"_s, m_name));
    }
    ~ScratchDatabase()
    {
        try {
            dropDatabase(m_name, u" with (force)"_s);
        } catch (const db::DbError& e) {
            ADD_FAILURE() << "test database left behind: " << e.description().toStdString();
        }
    }
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    const QString& connection() const { return m_connection; }

private:
    QString m_name;
    QString m_connection;
};

} // namespace pg_test
