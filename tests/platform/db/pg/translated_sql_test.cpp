// The Jet statements of the SQLite translator's tests, translated for the server and run there,
// must give the same rows; names in any letter case, stored queries and other data files (IN
// '<path>') are found as the server spells them.
#include "pg_server_fixture.h"
#include "translation_cases.h"

#include "platform/db/pg/data_set.h"
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

class ServerJet : public pg_test::RolledBackTest
{
protected:
    static constexpr char16_t Main[] = u"vemocv";

    static void SetUpTestSuite()
    {
        const auto server = openSuite();
        if (!server)
            return;
        db::pg::dataset::create(*server, QString::fromUtf16(Main));
    }

    void SetUp() override
    {
        RolledBackTest::SetUp();
        if (!IsSkipped())
            server->exec(u"set local search_path = "_s + QString::fromUtf16(Main) + u", selvaro"_s);
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

// Other data files, stored queries and names in any letter case are proved by the program's own
// statements (server_dialect_test); a file the server holds no data set for is refused.
TEST_F(ServerJet, AFileWithoutADataSetIsRefused)
{
    EXPECT_EQ(pg_test::failureNumber([&] { translated(u"select * from t in '/x/khong-co.mdb'"_s); }),
              db::errc::FileNotFound);
}

} // namespace
