#pragma once

// The database layer's tests that hold for every engine: each runs on a data file and on a data
// set of the test server (skipped, saying so, when SELVARO_PG_TEST names none).

#include "db_fixture.h"
#include "pg_server_fixture.h"
#include "platform/db/pg/data_set.h"
#include "platform/db/pg/server_engine.h"

#include <tuple>

namespace dbtest {

enum class Engine
{
    File,
    Server
};

// The engine's database and helpers; the engine comes from the test's parameter.
class EngineTest : public DbTest, protected pg_test::ServerSuite
{
protected:
    virtual Engine engine() const = 0;

    static void SetUpTestSuite() { openSuite(); }
    static void TearDownTestSuite() { dropSuite(); }

    void SetUp() override
    {
        DbTest::SetUp();
        if (onServer()) {
            if (serverString().isEmpty())
                GTEST_SKIP() << NoServer;
            m_admin = db::pg::ServerConnection::open(suiteConnection());
        }
    }
    void TearDown() override
    {
        for (const QString& schema : std::as_const(m_dataSets))
            db::pg::dataset::drop(*m_admin, schema);
    }

    bool onServer() const { return engine() == Engine::Server; }

    // An empty database: a new data file, or a new data set named after it.
    Database create(const QString& name = u"vemocv.mdb"_s) override
    {
        if (!onServer())
            return Database::create(path(name), Password);
        const QString schema = db::pg::dataset::schemaFor(name);
        db::pg::dataset::drop(*m_admin, schema);
        db::pg::dataset::create(*m_admin, schema);
        m_dataSets << schema;
        return openAgain(name);
    }
    // Another handle on the same data: another connection.
    Database openAgain(const QString& name = u"vemocv.mdb"_s)
    {
        if (!onServer())
            return Database::open(path(name), Connect);
        return db::pg::openDataSet(suiteConnection(), db::pg::dataset::schemaFor(name));
    }

private:
    std::unique_ptr<db::pg::ServerConnection> m_admin;
    QStringList m_dataSets;
};

class LayerTest : public EngineTest, public ::testing::WithParamInterface<Engine>
{
protected:
    Engine engine() const override { return GetParam(); }
};

// A table of cases, each run on every engine: testCase() is the case.
template <class Case>
class LayerCases : public EngineTest, public ::testing::WithParamInterface<std::tuple<Engine, Case>>
{
protected:
    Engine engine() const override { return std::get<0>(this->GetParam()); }
    const Case& testCase() const { return std::get<1>(this->GetParam()); }
};

inline std::string engineLabel(Engine engine)
{
    return engine == Engine::File ? "File" : "Server";
}

} // namespace dbtest

#define SELVARO_ON_EVERY_ENGINE(Fixture)                                                                               \
    INSTANTIATE_TEST_SUITE_P(Engines, Fixture, ::testing::Values(dbtest::Engine::File, dbtest::Engine::Server),        \
                             [](const auto& info) { return dbtest::engineLabel(info.param); })

// Runs each of `cases` on every engine; `caseName` names a case for the test's name.
#define SELVARO_CASES_ON_EVERY_ENGINE(Fixture, cases, caseName)                                                        \
    INSTANTIATE_TEST_SUITE_P(                                                                                          \
        Engines, Fixture, ::testing::Combine(::testing::Values(dbtest::Engine::File, dbtest::Engine::Server), cases),  \
        [](const auto& info) {                                                                                         \
            return caseName(std::get<1>(info.param)) + "_" + dbtest::engineLabel(std::get<0>(info.param));             \
        })
