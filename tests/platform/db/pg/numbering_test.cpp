// Twenty clients save letters into one year table at once, each numbering its letter per letter
// type inside its save's transaction with the statements a save runs: no number is lost or given
// twice.
#include "pg_server_fixture.h"

#include "platform/db/pg/data_set.h"
#include "platform/db/pg/program_functions.h"
#include "platform/db/pg/server_catalog.h"
#include "platform/db/pg/write_lock.h"
#include "platform/jetsql/translator.h"

#include <QMutex>
#include <thread>

namespace {

using db::pg::ServerConnection;
using pg_test::ServerTest;

constexpr int Clients = 20;
constexpr int SavesEach = 25;
const QString DataSet = u"vemocv"_s;

QString translated(db::pg::ServerCatalog& catalog, const QString& jet)
{
    return std::get<jetsql::Statements>(jetsql::translateStatement(jet, catalog)).sql.first();
}

// One save: the write lock, the highest number of the letter's type, the new row, the commit.
void saveLetter(ServerConnection& client, db::pg::ServerCatalog& catalog, const QString& type, const QString& sender)
{
    client.inTransaction([&] {
        db::pg::lockForWriting(client, DataSet, u"cvdi2026"_s);
        const QList<QVariantList> highest =
            client.query(translated(catalog, u"select max(stt) from cvdi2026 where loai = '"_s + type + u"'"_s));
        const qlonglong number = highest.first().first().toLongLong() + 1;
        client.exec(u"insert into vemocv.cvdi2026 (stt, loai, noinhan) values ($1, $2, $3)"_s, {number, type, sender});
    });
}

TEST_F(ServerTest, TwentyClientsSavingAtOnceNeverShareOrSkipANumber)
{
    db::pg::installProgramFunctions(*server);
    db::pg::dataset::drop(*server, DataSet);
    db::pg::dataset::create(*server, DataSet);
    db::TableDef letters;
    letters.name = u"cvdi2026"_s;
    letters.fields = {{u"id"_s, db::FieldType::Long, 4, db::fieldattr::AutoIncrField},
                      {u"stt"_s, db::FieldType::Long},
                      {u"loai"_s, db::FieldType::Text, 50},
                      {u"noinhan"_s, db::FieldType::Text, 255}};
    server->inTransaction([&] { db::pg::dataset::createTable(*server, DataSet, letters); });

    QMutex mutex;
    QStringList failures;
    std::vector<std::thread> clients;
    for (int c = 0; c < Clients; ++c) {
        clients.emplace_back([&, c] {
            try {
                auto client = ServerConnection::open(suiteConnection());
                client->exec(u"set search_path = vemocv, selvaro"_s);
                db::pg::ServerCatalog catalog(*client, DataSet);
                // Letter types in both letter cases: numbers run per type, whatever its spelling.
                const QString types[] = {u"Quyết định"_s, u"QUYẾT ĐỊNH"_s, u"Công văn"_s};
                for (int i = 0; i < SavesEach; ++i)
                    saveLetter(*client, catalog, types[(c + i) % 3], u"Máy "_s + QString::number(c));
            } catch (const db::DbError& e) {
                const QMutexLocker lock(&mutex);
                failures << e.description();
            }
        });
    }
    for (std::thread& client : clients)
        client.join();
    ASSERT_EQ(failures, QStringList());

    const QList<QVariantList> numbers = server->query(
        u"select selvaro.selvaro_fold(loai), count(*), count(distinct stt), min(stt), max(stt) from vemocv.cvdi2026 group by 1 order by 1"_s);
    ASSERT_EQ(numbers.size(), 2);
    qlonglong total = 0;
    for (const QVariantList& type : numbers) {
        // As many numbers as letters, running from 1 without a gap.
        const QString saved = type.at(1).toString();
        const QString got =
            type.at(2).toString() + u" numbers from "_s + type.at(3).toString() + u" to "_s + type.at(4).toString();
        EXPECT_EQ(got.toStdString(), (saved + u" numbers from 1 to "_s + saved).toStdString());
        total += type.at(1).toLongLong();
    }
    EXPECT_EQ(total, Clients * SavesEach);
}

} // namespace
