// The Jet statements of the SQLite translator's tests, translated for the server and run there,
// must give the same rows; names in any letter case, stored queries and other data files (IN
// '<path>') are found as the server spells them.
#include "pg_server_fixture.h"
#include "translation_cases.h"

#include "platform/db/pg/data_set.h"
#include "platform/db/pg/server_catalog.h"
#include "platform/jetsql/server_prefilter.h"
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

// Before a folded comparison the server tests the stored text cheaply (a Like of literal
// characters, a range of digits): together they pass exactly the rows the fold alone passes, also
// texts that reach an ASCII letter or sign only once composed or folded, and values not text.
TEST_F(ServerJet, APrefilterPassesEveryRowTheFoldPasses)
{
    run("CREATE TABLE mau (id INTEGER PRIMARY KEY, v TEXT, n INTEGER, d TIMESTAMP)");
    const QStringList texts = {u"\u212Aho"_s,   u"\u0130nh"_s,      u"Đu\u031B\u0301c"_s,  u"A\u0301o ca\u0301o"_s,
                               u"CÔNG VĂN"_s,   u"a\u037E\u0301"_s, u"a\u1FEF\u0301"_s,    u"20260115"_s,
                               u"2026-01-15"_s, u"2026A"_s,         u"2026\u037E\u0301"_s, u"<\u0338"_s,
                               u"x_y 50%"_s,    QString(),          u"C:\\Thư mục\\a"_s};
    for (int i = 0; i < texts.size(); ++i)
        server->exec(u"insert into mau values ($1, $2, $3, $4)"_s,
                     {i + 1, texts[i].isNull() ? QVariant() : QVariant(texts[i]), (i + 1) * 10,
                      u"2026-01-%1"_s.arg(i + 1, 2, 10, QLatin1Char('0'))});

    struct Criterion
    {
        const char* jet;
        const char* value; // what the prefilter tests, when there is one
        std::optional<QString> low, high;
        const char* expected;
    };
    const Criterion criteria[] = {
        {"v Like '*kho*'", "v", {}, {}, "1"},
        {"v Like 'inh'", "v", {}, {}, "2"},
        {"v Like '*đức*'", "v", {}, {}, "3"},
        {"v Like 'áo cáo'", "v", {}, {}, "4"},
        {"v Like 'công*'", "v", {}, {}, "5"},
        {"v Like 'a;*'", "v", {}, {}, "6"},
        {"v Like 'a`*'", "v", {}, {}, "7"},
        {"v Like '*x_y 50%'", "v", {}, {}, "13"},
        {"v Like 'c:\\thư*\\?'", "v", {}, {}, "15"},
        {"v Between '20260101' And '20260131'", "v", u"20260101"_s, u"20260131"_s, "8"},
        {"v >= '2026:'", "v", u"2026:"_s, {}, "1;2;3;4;5;6;7;10;11;12;13;15"},
        {"v <= '2026<'", nullptr, {}, {}, "8;9;11"},
        {"v = '2026-01-15'", "v", u"2026-01-15"_s, u"2026-01-15"_s, "9"},
        {"n Between '20' And '50'", "n", u"20"_s, u"50"_s, "2;3;4;5"},
        {"d < #2026-01-03#", "d", {}, u"2026-01-03"_s, "1;2"},
    };
    for (const Criterion& c : criteria) {
        const QString sql = jetsql::translateCriterion(QString::fromUtf8(c.jet), catalog());
        QString prefilter;
        if (c.value && (c.low || c.high))
            prefilter = *jetsql::rangePrefilter(u"\""_s + QLatin1String(c.value) + u'"', c.low, c.high);
        else if (c.value)
            prefilter = *jetsql::likePrefilter(u"\""_s + QLatin1String(c.value) + u'"',
                                               QString::fromUtf8(c.jet).section(u'\'', 1, 1));
        EXPECT_EQ(!prefilter.isEmpty() && sql.contains(prefilter), c.value != nullptr) << sql.toStdString();
        QString foldAlone = sql;
        if (!prefilter.isEmpty())
            foldAlone.replace(prefilter + u" AND "_s, QString());
        const QString select = u"SELECT id FROM mau WHERE "_s;
        EXPECT_EQ(firstColumn(select + foldAlone + u" ORDER BY id"_s).join(u';'), QString::fromUtf8(c.expected))
            << c.jet;
        EXPECT_EQ(firstColumn(select + sql + u" ORDER BY id"_s).join(u';'), QString::fromUtf8(c.expected)) << c.jet;
    }
}

// Other data files, stored queries and names in any letter case are proved by the program's own
// statements (server_dialect_test); a file the server holds no data set for is refused.
TEST_F(ServerJet, AFileWithoutADataSetIsRefused)
{
    EXPECT_EQ(pg_test::failureNumber([&] { translated(u"select * from t in '/x/khong-co.mdb'"_s); }),
              db::errc::FileNotFound);
}

} // namespace
