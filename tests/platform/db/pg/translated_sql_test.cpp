// The Jet statements of the SQLite translator's tests, translated for the server and run there,
// must give the same rows; names in any letter case, stored queries and other data files (IN
// '<path>') are found as the server spells them.
#include "pg_server_fixture.h"
#include "translation_cases.h"

#include "platform/db/pg/data_set.h"
#include "platform/db/pg/program_functions.h"
#include "platform/db/pg/server_catalog.h"
#include "platform/jetsql/translator.h"

namespace {

using db::pg::ServerCatalog;
using translation_cases::Run;
using translation_cases::TranslationCase;

// A value as the SQLite tests print it.
QString shown(const QVariant& value)
{
    if (value.isNull())
        return u"NULL"_s;
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

class ServerJet : public pg_test::ServerTest
{
protected:
    static constexpr char16_t Main[] = u"vemocv";

    static void SetUpTestSuite()
    {
        ServerTest::SetUpTestSuite();
        if (serverString().isEmpty())
            return;
        auto server = db::pg::ServerConnection::open(with(u"dbname"_s, databaseName()));
        db::pg::installProgramFunctions(*server);
        db::pg::dataset::create(*server, QString::fromUtf16(Main));
        db::pg::dataset::create(*server, u"saoluu"_s);
    }

    // Each test's tables live in a transaction rolled back at its end.
    void SetUp() override
    {
        ServerTest::SetUp();
        if (IsSkipped())
            return;
        server->exec(u"begin"_s);
        server->exec(u"set local search_path = "_s + QString::fromUtf16(Main) + u", selvaro"_s);
    }
    void TearDown() override
    {
        if (server)
            server->exec(u"rollback"_s);
    }

    // Plain statements separated by ";;", SQLite's NOCASE read as the server's code point order.
    void run(const char* statements)
    {
        for (QString sql : QString::fromUtf8(statements).split(u";;"_s, Qt::SkipEmptyParts))
            server->exec(sql.replace(u" COLLATE NOCASE"_s, u" COLLATE \"C\""_s));
    }

    QString translated(const QString& jet)
    {
        const jetsql::Translation translation = jetsql::translateStatement(jet, catalog());
        const auto* statements = std::get_if<jetsql::Statements>(&translation);
        EXPECT_TRUE(statements && statements->sql.size() == 1) << jet.toStdString();
        return statements ? statements->sql.value(0) : QString();
    }

    QStringList firstColumn(const QString& sql)
    {
        QStringList values;
        for (const QVariantList& row : server->query(sql))
            values << shown(row.value(0));
        return values;
    }

    ServerCatalog& catalog()
    {
        if (!m_catalog)
            m_catalog = std::make_unique<ServerCatalog>(*server, QString::fromUtf16(Main));
        return *m_catalog;
    }

private:
    std::unique_ptr<ServerCatalog> m_catalog;
};

class ServerTranslation : public ServerJet, public testing::WithParamInterface<TranslationCase>
{
};

TEST_P(ServerTranslation, GivesTheRowsOurConnectionsGive)
{
    const TranslationCase& c = GetParam();
    run(translation_cases::letters);
    run(c.setup);
    const QString jet = QString::fromUtf8(c.statement);
    const QString sql = c.run == Run::Select ? translated(jet)
                                             : u"SELECT \"id\" FROM \"cvden2009\" WHERE "_s +
                                                   jetsql::translateCriterion(jet, catalog()) + u" ORDER BY \"id\""_s;
    EXPECT_EQ(firstColumn(sql).join(u';'), QString::fromUtf8(c.serverExpected ? c.serverExpected : c.expected))
        << sql.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, ServerTranslation, testing::ValuesIn(translation_cases::cases),
                         [](const auto& info) { return std::string(info.param.name); });

// Another data file is the data set named after it; names are found whatever their letter case in
// the file or the statement; a stored query of the data set is expanded where it is named.
TEST_F(ServerJet, OtherDataSetsStoredQueriesAndNamesInAnyCase)
{
    run(translation_cases::letters);
    db::TableDef backupTable;
    backupTable.name = u"CvDen2009"_s;
    backupTable.fields = {
        {u"Id"_s, db::FieldType::Long}, {u"NoiGui"_s, db::FieldType::Text, 255}, {u"STT"_s, db::FieldType::Long}};
    db::pg::dataset::createTable(*server, u"saoluu"_s, backupTable);
    server->exec(u"insert into saoluu.cvden2009 values (1, 'cũ', 99)"_s);
    const QString backup = u"/mạng/dữ liệu/SAOLUU.mdb"_s;
    server->exec(translated(u"INSERT INTO cvden2009 IN '"_s + backup +
                            u"' SELECT id + 10 AS id, noigui, stt FROM cvden2009 WHERE khan = True"_s));
    EXPECT_EQ(firstColumn(translated(u"select NOIGUI from CVDEN2009 in '"_s + backup + u"' order by ID"_s)),
              (QStringList{u"cũ"_s, u"Bộ Tài chính"_s, u"Đức Phổ"_s}));

    db::pg::dataset::createQuery(*server, QString::fromUtf16(Main), u"QrTracuu"_s,
                                 u"SELECT * FROM cvden2009 WHERE [noigui] Like '*bộ*' order by stt"_s);
    EXPECT_EQ(firstColumn(translated(u"select q.id from qrtracuu as Q where q.stt > 1"_s)), QStringList{u"2"_s});

    EXPECT_EQ(pg_test::failureNumber([&] { translated(u"select * from t in '/x/khong-co.mdb'"_s); }),
              db::errc::FileNotFound);
}

} // namespace
