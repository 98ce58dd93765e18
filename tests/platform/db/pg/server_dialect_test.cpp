// Every statement and find criterion the program runs, on the two data files moved to a server,
// worked on through ServerDataSet: the same effects as on the files.
#include "../dialect_cases.h"
#include "pg_server_fixture.h"

#include "platform/db/pg/data_set_copy.h"
#include "platform/db/pg/server_data_set.h"

namespace {

using db::pg::ServerDataSet;
using dialect::DialectCase;

class ServerDialect : public pg_test::RolledBackTest, public testing::WithParamInterface<DialectCase>
{
public: // the engine dialect::checkCase runs a case on
    ServerDataSet& data(const QString& name) { return name == QLatin1String("other") ? *m_other : *m_cv; }
    static QString withPaths(const QString& text) { return s_files->withPaths(text); }

    static ServerDataSet::Rows select(ServerDataSet& data, const QString& sql, db::RecordsetType)
    {
        return data.select(sql);
    }
    static int count(ServerDataSet& data, const QString& sql) { return int(data.select(sql).values.size()); }
    static QStringList found(ServerDataSet& data, const QString& source, const QString& criterion, const QString& field)
    {
        const ServerDataSet::Rows rows = data.select(source);
        const qsizetype column = dialect::columnOf(rows.columns, field);
        QStringList found;
        for (const int position : data.find(source, criterion))
            found << dialect::valueText(rows.values.value(position).value(column));
        return found;
    }

    QString definitions(const QString& runOn, const QString& checkOn, const QString& check)
    {
        if (checkOn == QLatin1String("tables"))
            return data(runOn).hasTable(check) ? u"1"_s : u"0"_s;
        return dbtest::indexesText(data(runOn).tableDef(checkOn.mid(8))).join(u';');
    }

protected:
    // The files are made once and moved to the server.
    static void SetUpTestSuite()
    {
        const auto server = openSuite();
        if (!server)
            return;
        s_dir = std::make_unique<QTemporaryDir>();
        s_files = std::make_unique<dialect::DialectFiles>(s_dir->path());
        db::pg::copyFileToServer(s_files->cv, *server, u"vemocv"_s);
        db::pg::copyFileToServer(s_files->other, *server, u"backup"_s);
    }
    static void TearDownTestSuite()
    {
        s_files.reset();
        s_dir.reset();
        ServerTest::TearDownTestSuite();
    }

    void SetUp() override
    {
        RolledBackTest::SetUp();
        if (IsSkipped())
            return;
        m_cv = std::make_unique<ServerDataSet>(*server, u"vemocv"_s);
        m_other = std::make_unique<ServerDataSet>(*server, u"backup"_s);
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::unique_ptr<dialect::DialectFiles> s_files;
    std::unique_ptr<ServerDataSet> m_cv;
    std::unique_ptr<ServerDataSet> m_other;
};

TEST_P(ServerDialect, StatementHasItsEffect)
{
    dialect::checkCase(GetParam(), *this);
}

INSTANTIATE_TEST_SUITE_P(Statements, ServerDialect, testing::ValuesIn(dialect::dialectCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
