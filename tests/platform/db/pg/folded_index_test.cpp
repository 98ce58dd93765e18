// A data set's indexes serve what translated statements ask of texts (comparisons and order by
// their folds), and a unique index over text refuses what SQLite's refuses.
#include "pg_server_fixture.h"

#include "platform/db/pg/data_set.h"
#include "platform/db/pg/server_catalog.h"
#include "platform/jetsql/translator.h"

namespace {

using db::FieldType;
using pg_test::failureNumber;

const QString DataSet = u"vemocv"_s;

class FoldedIndex : public pg_test::RolledBackTest
{
protected:
    static void SetUpTestSuite() { openSuite(); }

    void SetUp() override
    {
        RolledBackTest::SetUp();
        if (IsSkipped())
            return;
        server->exec(u"set local search_path = vemocv, selvaro"_s);
        db::pg::dataset::create(*server, DataSet);
        const db::TableDef letters{u"cvdi2026"_s,
                                   {{u"id"_s, FieldType::Long, 4, db::fieldattr::AutoIncrField},
                                    {u"stt"_s, FieldType::Long, 4},
                                    {u"so_cv"_s, FieldType::Text, 50},
                                    {u"loai"_s, FieldType::Text, 50}},
                                   {{u"PrimaryKey"_s, {u"id"_s}, true, true},
                                    {u"loaistt"_s, {u"loai"_s, u"-stt"_s}, false, false},
                                    {u"socv"_s, {u"so_cv"_s}, true, false}}};
        db::pg::dataset::createTable(*server, DataSet, letters);
    }

    // The server's plan for a Jet statement as the program runs it.
    QString plan(const QString& jet)
    {
        db::pg::ServerCatalog catalog(*server, DataSet);
        const QString sql = std::get<jetsql::Statements>(jetsql::translateStatement(jet, catalog)).sql.first();
        QStringList lines;
        for (const QVariantList& row : server->query(u"explain "_s + sql))
            lines << row.first().toString();
        return lines.join(u'\n');
    }
};

TEST_F(FoldedIndex, ServesTranslatedStatementsAndRefusesATextTwiceAsSqliteDoes)
{
    // A year's letters, so that the planner weighs an index against reading the table whole.
    server->exec(u"insert into vemocv.cvdi2026 (stt, so_cv, loai) select n, n || '/UBND', "
                 "(array['Quyết định', 'Công văn', 'Tờ trình'])[n % 3 + 1] from generate_series(1, 3000) as n"_s);
    server->exec(u"analyze vemocv.cvdi2026"_s);
    struct Case
    {
        const char* jet;
        const char* index;
    };
    const Case cases[] = {
        {"select max(stt) from cvdi2026 where loai = 'QUYẾT ĐỊNH'", "cvdi2026_loaistt"},
        {"select * from cvdi2026 where so_cv = '12/ubnd'", "cvdi2026_socv"},
        {"select top 10 * from cvdi2026 order by loai, stt desc", "cvdi2026_loaistt"},
    };
    for (const Case& c : cases) {
        const QString got = plan(QString::fromUtf8(c.jet));
        EXPECT_TRUE(got.contains(QString::fromUtf8(c.index)) && !got.contains(u"Sort"_s) &&
                    !got.contains(u"Seq Scan"_s))
            << c.jet << "\n"
            << got.toStdString();
    }

    // A unique index over text refuses a text twice as SQLite's does.
    const auto insert = [&](const QString& number) {
        return failureNumber([&] {
            server->inTransaction(
                [&] { server->exec(u"insert into vemocv.cvdi2026 (stt, so_cv) values (1, $1)"_s, {number}); });
        });
    };
    EXPECT_EQ(insert(u"9999/UBND"_s), 0);
    EXPECT_EQ(insert(u"9999/ubnd"_s), 0) << "SQLite's unique indexes tell letter case apart";
    EXPECT_EQ(insert(u"9999/UBND"_s), db::errc::DuplicateKey);
    EXPECT_EQ(failureNumber([&] {
                  db::pg::dataset::addIndex(*server, DataSet, u"CVDI2026"_s, {u"x"_s, {u"nothere"_s}, true, false});
              }),
              db::errc::ItemNotFound);
}

} // namespace
