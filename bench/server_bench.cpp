// Twenty clients saving letters into one year table of a server at once, each save as the
// letters' save runs it there: in its transaction, the table's write lock, the next number of the
// letter's type by the Jet statement a save asks, the row written through the dynaset's rows.
// Reports the letters saved a second and the slowest save; a number given twice fails the run.
// Arguments: letters per client, and 1 when the table has an index on (loai, stt), which the year
// tables made from the template do not have (0: as they are, the primary key on the counter only).
//
//   SELVARO_PG_TEST=<connection> build/bin/server_bench --benchmark_filter='/100/'
// (scripts/pg-test-cluster.sh start prints a connection to a throwaway server.)

#include "bench_main.h"

#include "platform/db/db_error.h"
#include "platform/db/pg/data_set.h"
#include "platform/db/pg/program_functions.h"
#include "platform/db/pg/server_connection.h"
#include "platform/db/pg/server_data_set.h"
#include "platform/db/pg/server_rows.h"
#include "platform/db/pg/write_lock.h"

#include <QElapsedTimer>
#include <QMutex>
#include <algorithm>
#include <thread>

namespace {

using db::pg::ServerConnection;

const QString DataSet = QStringLiteral("bench_numbering");
const QString Table = QStringLiteral("cvdi2026");

void makeTable(ServerConnection& server, bool typeIndex)
{
    db::pg::installProgramFunctions(server);
    db::pg::dataset::drop(server, DataSet);
    db::pg::dataset::create(server, DataSet);
    db::TableDef letters{Table,
                         {{QStringLiteral("id"), db::FieldType::Long, 4, db::fieldattr::AutoIncrField},
                          {QStringLiteral("stt"), db::FieldType::Long, 4},
                          {QStringLiteral("loai"), db::FieldType::Text, 50},
                          {QStringLiteral("noinhan"), db::FieldType::Text, 255}},
                         {{QStringLiteral("PrimaryKey"), {QStringLiteral("id")}, true, true}}};
    if (typeIndex)
        letters.indexes << db::IndexDef{QStringLiteral("loaistt"), {QStringLiteral("loai"), QStringLiteral("stt")}};
    server.inTransaction([&] { db::pg::dataset::createTable(server, DataSet, letters); });
}

// One client: saves letters, keeping the time of each save.
void saveLetters(const QString& connection, int client, int letters, std::vector<qint64>& nanoseconds)
{
    auto server = ServerConnection::open(connection);
    db::pg::ServerDataSet data(*server, DataSet);
    auto rows = db::pg::ServerRows::open(*server, data, QStringLiteral("select * from cvdi2026 where id = 0"));
    const QString types[] = {QStringLiteral("Quyết định"), QStringLiteral("Công văn"), QStringLiteral("Tờ trình")};
    QElapsedTimer timer;
    for (int i = 0; i < letters; ++i) {
        const QString type = types[(client + i) % 3];
        timer.start();
        server->inTransaction([&] {
            db::pg::lockForWriting(*server, DataSet, Table);
            const auto highest = data.select(QStringLiteral("select max(stt) from cvdi2026 where loai = '") + type +
                                             QStringLiteral("'"));
            const qlonglong number = highest.values.first().first().toLongLong() + 1;
            rows->insertRow({{}, number, type, QStringLiteral("Máy %1").arg(client)}, {false, true, true, true});
        });
        nanoseconds.push_back(timer.nsecsElapsed());
    }
}

void BM_TwentyClientsSaving(benchmark::State& state)
{
    const QString connection = qEnvironmentVariable("SELVARO_PG_TEST");
    if (connection.isEmpty()) {
        state.SkipWithError("SELVARO_PG_TEST is not set (scripts/pg-test-cluster.sh start)");
        return;
    }
    const int clients = 20;
    const int each = int(state.range(0));
    qint64 slowest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto server = ServerConnection::open(connection);
        makeTable(*server, state.range(1) != 0);
        std::vector<std::vector<qint64>> times(clients);
        QMutex mutex;
        QString failure;
        state.ResumeTiming();
        std::vector<std::thread> threads;
        for (int c = 0; c < clients; ++c) {
            threads.emplace_back([&, c] {
                try {
                    saveLetters(connection, c, each, times[size_t(c)]);
                } catch (const db::DbError& e) {
                    const QMutexLocker lock(&mutex);
                    failure = e.description();
                }
            });
        }
        for (std::thread& t : threads)
            t.join();
        state.PauseTiming();
        if (!failure.isEmpty()) {
            static std::string message;
            message = failure.toStdString();
            state.SkipWithError(message.c_str());
            return;
        }
        const auto doubled = server->query(QStringLiteral("select count(*) - count(distinct (loai, stt)) from ") +
                                           db::pg::dataset::qualified(DataSet, Table));
        if (doubled.first().first().toLongLong() != 0) {
            state.SkipWithError("a number was given twice");
            return;
        }
        for (const auto& client : times)
            slowest = std::max(slowest, *std::max_element(client.begin(), client.end()));
        state.ResumeTiming();
    }
    state.counters["letters_per_s"] =
        benchmark::Counter(double(clients) * each * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["slowest_save_ms"] = double(slowest) / 1e6;
}

BENCHMARK(BM_TwentyClientsSaving)
    ->ArgsProduct({{100, 1000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runBenchmarks<QCoreApplication>(argc, argv);
}
