// Every statement and find criterion the program runs, on the two data files moved to a server,
// worked on through ServerDataSet: the same effects as on the files.
#include "../dialect_cases.h"
#include "pg_server_fixture.h"

#include "platform/db/pg/data_set_copy.h"
#include "platform/db/pg/server_data_set.h"

namespace {

using db::pg::ServerDataSet;
using dialect::DialectCase;
using dialect::Kind;

QString text(const QVariant& v)
{
    return v.isNull() ? u"NULL"_s : v.toString();
}

// Rows as the database layer's test prints them: the named columns (any letter case), or all.
QString rowsText(const ServerDataSet::Rows& rows, const QStringList& fields = {})
{
    QList<qsizetype> columns;
    for (const QString& field : fields) {
        columns << std::find_if(rows.columns.begin(), rows.columns.end(), [&](const QString& c) {
                       return c.compare(field, Qt::CaseInsensitive) == 0;
                   }) - rows.columns.begin();
    }
    if (fields.isEmpty()) {
        for (qsizetype i = 0; i < rows.columns.size(); ++i)
            columns << i;
    }
    QStringList out;
    for (const QVariantList& row : rows.values) {
        QStringList values;
        for (const qsizetype column : std::as_const(columns))
            values << text(row.value(column));
        out << values.join(u'|');
    }
    return out.join(u';');
}

class ServerDialect : public pg_test::RolledBackTest, public testing::WithParamInterface<DialectCase>
{
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

    ServerDataSet& dataSet(const QString& name) { return name == QLatin1String("other") ? *m_other : *m_cv; }

    void runSetup(const QString& setup)
    {
        dialect::runSetup<ServerDataSet>(
            setup, [&](const QString& name) -> ServerDataSet& { return dataSet(name); },
            [](const QString& text) { return s_files->withPaths(text); });
    }

    QString checkText(const DialectCase& c)
    {
        const QString checkOn = *c.checkOn ? QString::fromUtf8(c.checkOn) : QString::fromUtf8(c.runOn);
        const QString check = QString::fromUtf8(c.check);
        ServerDataSet& data = dataSet(QString::fromUtf8(c.runOn));
        if (checkOn.startsWith(QLatin1String("indexes:")))
            return dbtest::indexesText(data.tableDef(checkOn.mid(8))).join(u';');
        if (checkOn == QLatin1String("tables"))
            return data.hasTable(check) ? u"1"_s : u"0"_s;
        return rowsText(dataSet(checkOn).select(s_files->withPaths(check)));
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::unique_ptr<dialect::DialectFiles> s_files;
    std::unique_ptr<ServerDataSet> m_cv;
    std::unique_ptr<ServerDataSet> m_other;
};

TEST_P(ServerDialect, StatementHasItsEffect)
{
    const DialectCase& c = GetParam();
    try {
        runSetup(QString::fromUtf8(c.setup));
        const QString statement = s_files->withPaths(QString::fromUtf8(c.statement));
        const QString expected = QString::fromUtf8(c.expected);
        ServerDataSet& data = dataSet(QString::fromUtf8(c.runOn));
        switch (c.kind) {
        case Kind::Execute:
            data.execute(statement);
            EXPECT_EQ(checkText(c).toStdString(), expected.toStdString());
            break;
        case Kind::Rows:
            EXPECT_EQ(rowsText(data.select(statement), QString::fromUtf8(c.check).split(u'|')).toStdString(),
                      expected.toStdString());
            break;
        case Kind::RowCount:
            EXPECT_EQ(QString::number(data.select(statement).values.size()), expected);
            break;
        case Kind::Find: {
            const QStringList check = QString::fromUtf8(c.check).split(u" -> "_s);
            const QString source = s_files->withPaths(check[0]);
            const ServerDataSet::Rows rows = data.select(source);
            const qsizetype column =
                std::find_if(rows.columns.begin(), rows.columns.end(),
                             [&](const QString& name) {
                                 return name.compare(check.value(1, u"id"_s), Qt::CaseInsensitive) == 0;
                             }) -
                rows.columns.begin();
            QStringList found;
            for (const int position : data.find(source, statement))
                found << text(rows.values.value(position).value(column));
            EXPECT_EQ(found.join(u';').toStdString(), expected.toStdString());
            break;
        }
        }
    } catch (const db::DbError& e) {
        ADD_FAILURE() << "DbError " << e.number() << ": " << e.description().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Statements, ServerDialect, testing::ValuesIn(dialect::dialectCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
