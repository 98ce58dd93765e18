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

// A database of its own on the test server for this binary, dropped at the end.
class ServerTest : public ::testing::Test
{
protected:
    static QString serverString() { return qEnvironmentVariable("SELVARO_PG_TEST"); }

    static void SetUpTestSuite()
    {
        if (serverString().isEmpty())
            return;
        auto admin = ServerConnection::open(serverString());
        admin->exec(u"drop database if exists "_s + databaseName());
        admin->exec(u"create database "_s + databaseName() + u" encoding 'UTF8' template template0"_s);
    }
    static void TearDownTestSuite()
    {
        if (!serverString().isEmpty())
            ServerConnection::open(serverString())->exec(u"drop database if exists "_s + databaseName());
    }
    static QString databaseName() { return u"selvaro_test_"_s + QString::number(QCoreApplication::applicationPid()); }
    // The test server's connection string with one setting replaced.
    static QString with(const QString& key, const QString& value)
    {
        QString s = serverString();
        s.replace(QRegularExpression(u"\\b"_s + key + u"=\\S*"_s), key + u'=' + value);
        return s;
    }

    void SetUp() override
    {
        if (serverString().isEmpty())
            GTEST_SKIP() << "no PostgreSQL test server: SELVARO_PG_TEST is not set (scripts/test.sh starts one)";
        server = ServerConnection::open(with(u"dbname"_s, databaseName()));
    }

    std::unique_ptr<ServerConnection> server;
};

// A ServerTest whose database has the program's functions, and whose tests each run in a
// transaction rolled back at its end, so that one case's tables never meet another's.
class RolledBackTest : public ServerTest
{
protected:
    // The suite's database with the program's functions installed; null without a server.
    static std::unique_ptr<ServerConnection> openSuite()
    {
        ServerTest::SetUpTestSuite();
        if (serverString().isEmpty())
            return nullptr;
        auto suite = ServerConnection::open(with(u"dbname"_s, databaseName()));
        db::pg::installProgramFunctions(*suite);
        return suite;
    }

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
class ScratchDatabase
{
public:
    explicit ScratchDatabase(const QString& prefix)
        : m_name(prefix + QString::number(QCoreApplication::applicationPid()))
    {
        const QString server = qEnvironmentVariable("SELVARO_PG_TEST");
        auto admin = ServerConnection::open(server);
        admin->exec(u"drop database if exists "_s + m_name);
        admin->exec(u"create database "_s + m_name + u" encoding 'UTF8' template template0"_s);
        m_connection =
            withoutPassword(QString(server).replace(QRegularExpression(u"\\bdbname=\\S*"_s), u"dbname="_s + m_name));
    }
    ~ScratchDatabase()
    {
        try {
            ServerConnection::open(qEnvironmentVariable("SELVARO_PG_TEST"))
                ->exec(u"drop database if exists "_s + m_name + u" with (force)"_s);
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
