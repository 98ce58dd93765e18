#pragma once

// A register test's program folder moved to the test server and the program started again on
// it (its data/server.conf then names the server), for the tests that run a day's work on both.

#include "../app/startup_fixture.h"
#include "../support/pg_server_fixture.h"
#include "app/core/module1.h"
#include "app/core/reference_recordsets.h"
#include "datafiles/server_move.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace registers_test {

class ServerRun
{
public:
    ~ServerRun()
    {
        if (m_database.isEmpty())
            return;
        app::resetModule1(); // the program's connections go first
        try {
            db::pg::ServerConnection::open(qEnvironmentVariable("SELVARO_PG_TEST"))
                ->exec(u"drop database if exists "_s + m_database + u" with (force)"_s);
        } catch (const db::DbError& e) {
            ADD_FAILURE() << "test database left behind: " << e.description().toStdString();
        }
    }

    static bool available() { return !qEnvironmentVariable("SELVARO_PG_TEST").isEmpty(); }

    // Moves home's data to a database of its own on the test server and starts again there,
    // keeping the user logged in and the backup file chosen.
    void start(ProgramFolder& home)
    {
        const QString server = qEnvironmentVariable("SELVARO_PG_TEST");
        m_database = u"selvaro_run_"_s + QString::number(QCoreApplication::applicationPid());
        auto admin = db::pg::ServerConnection::open(server);
        admin->exec(u"drop database if exists "_s + m_database);
        admin->exec(u"create database "_s + m_database + u" encoding 'UTF8' template template0"_s);
        QString connection = server;
        connection.replace(QRegularExpression(u"\\bdbname=\\S*"_s), u"dbname="_s + m_database);
        connection = pg_test::withoutPassword(connection);
        const app::Module1 before = app::module1();
        QStringList moved;
        ASSERT_EQ(datafiles::moveToServer(home.home(), connection, [&moved](const QString& l) { moved << l; }),
                  QString());
        app::resetModule1();
        FakeStartupWindow window;
        ASSERT_EQ(home.start(window), app::StartupOutcome::Ready) << home.messageText();
        app::Module1& m = app::module1();
        ASSERT_EQ(m.serverConnection, connection) << home.messageText() << moved.join(u'\n').toStdString();
        m.backupPath = before.backupPath;
        m.userFullName = before.userFullName;
        m.userRights = before.userRights;
        app::openReferenceRecordsets(m);
        home.responder.clear();
    }

private:
    QString m_database;
};

} // namespace registers_test
