#pragma once

// A register test's program folder moved to the test server and the program started again on it
// (its data/server.conf then names the server), for the tests that run a day's work on both.

#include "../app/startup_fixture.h"
#include "../support/pg_server_fixture.h"
#include "app/core/module1.h"
#include "app/core/reference_recordsets.h"
#include "datafiles/server_move.h"

#include <gtest/gtest.h>

namespace registers_test {

class ServerRun
{
public:
    ~ServerRun()
    {
        if (m_database)
            app::resetModule1(); // the program's connections go before the database
    }

    static bool available() { return !qEnvironmentVariable("SELVARO_PG_TEST").isEmpty(); }

    // Moves home's data to a database of its own on the test server and starts again there,
    // keeping the user logged in and the backup file chosen.
    void start(ProgramFolder& home)
    {
        m_database = std::make_unique<pg_test::ScratchDatabase>(u"selvaro_run_"_s);
        const QString& connection = m_database->connection();
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
    std::unique_ptr<pg_test::ScratchDatabase> m_database;
};

// Test's cases run with the office's data moved to the test server first.
template <typename Test> class OnServer : public Test
{
protected:
    void SetUp() override
    {
        if (!ServerRun::available())
            GTEST_SKIP() << "no PostgreSQL test server: SELVARO_PG_TEST is not set (scripts/test.sh starts one)";
        Test::SetUp();
        m_server.start(this->home);
    }

    ServerRun m_server;
};

} // namespace registers_test
