// The database layer beside the raw SQLite C API doing the same work, on a letters table of each
// letter count (letter_counts.h): (a) open a dynaset and move to the last row, (b) FindFirst for a
// row near the end, (c) a translated Like '*...*' search, (d) a loop of findNext over 250, 500 and
// 1,000 hits beside one raw SELECT reading the same rows, (e) addNew/update of every letter in one
// transaction beside a prepared INSERT / a read and a prepared UPDATE per row, (f) a scan of the
// whole year on one connection by page-cache size, with and without memory-mapped reads. Raw connections get
// the same Jet functions and NOCASE (and the table's check triggers fire for both), so the
// difference is the layer's own cost. Targets: (a) and (b) at most 1.2 times raw; dynaset open +
// MoveLast under 50 ms on 50,000 letters; (d) at most 1.2 times raw for 1,000 finds; (e) at most
// 1.3 times raw. With SELVARO_PG_TEST naming a server, (a) to (d) run on the same letters copied
// into a data set there as well ("server" beside "file"), for the server's own target: within 2
// times the file's figure.
#include "bench_main.h"
#include "letter_counts.h"
#include "raw_sqlite.h"

#include "platform/db/database.h"
#include "platform/db/pg/data_set.h"
#include "platform/db/pg/data_set_copy.h"
#include "platform/db/pg/program_functions.h"
#include "platform/db/pg/server_connection.h"
#include "platform/db/pg/server_engine.h"
#include "platform/jetsql/translator.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace {

db::FieldDef field(const char* name, db::FieldType type, int size = 0, int attributes = 0)
{
    db::FieldDef f;
    f.name = QString::fromLatin1(name);
    f.type = type;
    f.size = size;
    f.attributes = attributes;
    return f;
}

// A letters file made once per run and letter count: cvden2009 holds the letters, cvden2010 (same
// definition) is empty for the write benchmarks.
class Letters
{
public:
    explicit Letters(int count) : m_count(count)
    {
        m_path = m_dir.filePath(QStringLiteral("vemocv.mdb"));
        db::Database db = db::Database::create(m_path, QStringLiteral("vorkelmadu"));
        db::TableDef t;
        t.name = QStringLiteral("cvden2009");
        t.fields = {field("id", db::FieldType::Long, 4, db::fieldattr::AutoIncrField),
                    field("stt", db::FieldType::Long, 4),
                    field("so_den", db::FieldType::Text, 20),
                    field("ng_den", db::FieldType::Text, 10),
                    field("ng_denchuan", db::FieldType::Text, 8),
                    field("noigui", db::FieldType::Text, 255),
                    field("so_cv", db::FieldType::Text, 50),
                    field("loai", db::FieldType::Text, 50),
                    field("tt_ndung", db::FieldType::Memo),
                    field("dv_nhan", db::FieldType::Text, 255),
                    field("chonin", db::FieldType::Text, 1),
                    field("kieuupdate", db::FieldType::Long, 4),
                    field("idcu", db::FieldType::Long, 4)};
        db::IndexDef pk;
        pk.name = QStringLiteral("PrimaryKey");
        pk.fields = {QStringLiteral("id")};
        pk.primary = true;
        t.indexes = {pk};
        db.appendTableDef(t);
        t.name = QStringLiteral("cvden2010");
        db.appendTableDef(t);
        db.close();

        sqlite3* raw = openRaw();
        sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* put = nullptr;
        sqlite3_prepare_v2(raw,
                           "INSERT INTO cvden2009 (stt, so_den, ng_den, ng_denchuan, noigui, so_cv, loai, tt_ndung, "
                           "dv_nhan, chonin, kieuupdate, idcu) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, '', 0, ?1)",
                           -1, &put, nullptr);
        for (int i = 1; i <= count; ++i) {
            const QByteArray number = QByteArray::number(i);
            const QByteArray day = QStringLiteral("%1/%2/2009")
                                       .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                       .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                       .toUtf8();
            const QByteArray norm = QStringLiteral("2009%1%2")
                                        .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                        .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                        .toUtf8();
            const QByteArray from = QStringLiteral("Ủy ban nhân dân huyện Đức Phổ %1").arg(i % 37).toUtf8();
            const QByteArray summary = QStringLiteral("Về việc thực hiện hợp đồng số %1 và báo cáo kết quả quý %2")
                                           .arg(i)
                                           .arg(1 + i % 4)
                                           .toUtf8();
            sqlite3_bind_int(put, 1, i);
            sqlite3_bind_text(put, 2, number.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(put, 3, day.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(put, 4, norm.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(put, 5, from.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(put, 6, (number + "/UBND").constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(put, 7, i % 3 ? "Công văn" : "Quyết định", -1, SQLITE_STATIC);
            sqlite3_bind_text(put, 8, summary.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(put, 9, "Văn phòng, Phòng Tổ chức", -1, SQLITE_STATIC);
            sqlite3_step(put);
            sqlite3_reset(put);
        }
        sqlite3_finalize(put);
        sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(raw);
        m_db = db::Database::open(m_path, QStringLiteral(";pwd=vorkelmadu"));
    }

    // A raw connection with the same functions and collation as the layer's.
    sqlite3* openRaw() const
    {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(m_path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        jetsql::registerFunctions(raw);
        return raw;
    }

    db::Database& database() { return m_db; }
    int count() const { return m_count; }

    // The same letters as a data set on the server SELVARO_PG_TEST names (copied once per run);
    // null without one.
    db::Database* onServer()
    {
        const QString server = qEnvironmentVariable("SELVARO_PG_TEST");
        if (server.isEmpty())
            return nullptr;
        if (!m_server.isOpen()) {
            auto connection = db::pg::ServerConnection::open(server);
            const QString schema = QStringLiteral("bench") + QString::number(m_count);
            db::pg::installProgramFunctions(*connection);
            db::pg::dataset::drop(*connection, schema);
            db::pg::copyFileToServer(m_db, *connection, schema);
            m_server = db::pg::openDataSet(server, schema);
        }
        return &m_server;
    }

    static Letters& instance(int count)
    {
        static std::map<int, std::unique_ptr<Letters>> files;
        auto& file = files[count];
        if (!file)
            file = std::make_unique<Letters>(count);
        return *file;
    }
    static Letters& instance(const benchmark::State& state) { return instance(int(state.range(0))); }

private:
    int m_count;
    QTemporaryDir m_dir;
    QString m_path;
    db::Database m_db;
    db::Database m_server;
};

// Where the layer's benchmarks run: the data file, or the same letters on a server (the floor
// stays raw SQLite on the file, so the server's figures show the whole engine's cost).
enum class Engine
{
    File,
    Server
};

// The letters' database for engine; null, the benchmark marked skipped, without a server.
db::Database* databaseOf(benchmark::State& state, Engine engine)
{
    Letters& letters = Letters::instance(state);
    db::Database* db = engine == Engine::File ? &letters.database() : letters.onServer();
    if (!db)
        state.SkipWithError("no PostgreSQL server: SELVARO_PG_TEST is not set (scripts/pg-test-cluster.sh start)");
    return db;
}

// Runs work as the handler of one event of the program's event loop (one user action).
template <class F> void inOneEvent(F&& work)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        work();
        loop.quit();
    });
    loop.exec();
}

// Runs sql and returns the rowids it gives.
std::vector<sqlite3_int64> rowids(sqlite3* raw, const char* sql)
{
    std::vector<sqlite3_int64> ids;
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(raw, sql, -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int64(stmt, 0));
    sqlite3_finalize(stmt);
    return ids;
}

// Reads every column of one row by rowid, as a dynaset does when it reaches a row.
QString readRow(sqlite3* raw, sqlite3_int64 rowid)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(raw, "SELECT * FROM cvden2009 WHERE rowid = ?1", -1, &stmt, nullptr);
    sqlite3_bind_int64(stmt, 1, rowid);
    QString summary;
    if (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(stmt); ++i)
            summary = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
    }
    sqlite3_finalize(stmt);
    return summary;
}

// (a) ---------------------------------------------------------------------------------------

void DynasetOpenMoveLast(benchmark::State& state, Engine engine)
{
    db::Database* found = databaseOf(state, engine);
    if (!found)
        return;
    db::Database& db = *found;
    for (auto _ : state) {
        db::Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
        rs.moveLast();
        benchmark::DoNotOptimize(rs.value(QStringLiteral("tt_ndung")));
    }
}
BENCHMARK_CAPTURE(DynasetOpenMoveLast, file, Engine::File)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DynasetOpenMoveLast, server, Engine::Server)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

void RawKeysetMoveLast(benchmark::State& state)
{
    sqlite3* raw = Letters::instance(state).openRaw();
    for (auto _ : state) {
        const std::vector<sqlite3_int64> ids = rowids(raw, "SELECT rowid FROM cvden2009");
        benchmark::DoNotOptimize(readRow(raw, ids.back()));
    }
    sqlite3_close(raw);
}
BENCHMARK(RawKeysetMoveLast)->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

void DynasetOrderedOpenMoveLast(benchmark::State& state, Engine engine)
{
    db::Database* found = databaseOf(state, engine);
    if (!found)
        return;
    db::Database& db = *found;
    for (auto _ : state) {
        db::Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 ORDER BY [ng_denchuan], [stt]"));
        rs.moveLast();
        benchmark::DoNotOptimize(rs.value(QStringLiteral("tt_ndung")));
    }
}
BENCHMARK_CAPTURE(DynasetOrderedOpenMoveLast, file, Engine::File)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DynasetOrderedOpenMoveLast, server, Engine::Server)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

void RawOrderedKeysetMoveLast(benchmark::State& state)
{
    sqlite3* raw = Letters::instance(state).openRaw();
    for (auto _ : state) {
        const std::vector<sqlite3_int64> ids = rowids(raw, "SELECT rowid FROM cvden2009 ORDER BY ng_denchuan, stt");
        benchmark::DoNotOptimize(readRow(raw, ids.back()));
    }
    sqlite3_close(raw);
}
BENCHMARK(RawOrderedKeysetMoveLast)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

// (b) ---------------------------------------------------------------------------------------

// Two criteria in turn, so that every find runs its query (a find keeps the hits of the last
// criterion while the data is unchanged).
void FindFirstNearTheEnd(benchmark::State& state, Engine engine)
{
    db::Database* db = databaseOf(state, engine);
    if (!db)
        return;
    db::Recordset rs = db->openRecordset(QStringLiteral("cvden2009"));
    const int n = Letters::instance(state).count();
    const QString criteria[] = {QStringLiteral("so_den = '") + QString::number(n - 10) + QLatin1Char('\''),
                                QStringLiteral("so_den = '") + QString::number(n - 9) + QLatin1Char('\'')};
    int turn = 0;
    for (auto _ : state) {
        rs.moveFirst();
        rs.findFirst(criteria[turn++ % 2]);
        benchmark::DoNotOptimize(rs.value(QStringLiteral("stt")));
    }
}
BENCHMARK_CAPTURE(FindFirstNearTheEnd, file, Engine::File)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindFirstNearTheEnd, server, Engine::Server)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

void RawFindFirstNearTheEnd(benchmark::State& state)
{
    sqlite3* raw = Letters::instance(state).openRaw();
    const std::vector<sqlite3_int64> keys = rowids(raw, "SELECT rowid FROM cvden2009");
    const int n = Letters::instance(state).count();
    const QByteArray criteria[] = {"SELECT rowid FROM cvden2009 WHERE so_den = '" + QByteArray::number(n - 10) + "'",
                                   "SELECT rowid FROM cvden2009 WHERE so_den = '" + QByteArray::number(n - 9) + "'"};
    int turn = 0;
    for (auto _ : state) {
        const std::vector<sqlite3_int64> hits = rowids(raw, criteria[turn++ % 2].constData());
        // The walk of the keyset to the hit, as a find does.
        std::size_t at = 0;
        while (at < keys.size() && keys[at] != hits.front())
            ++at;
        benchmark::DoNotOptimize(at);
        benchmark::DoNotOptimize(readRow(raw, hits.front()));
    }
    sqlite3_close(raw);
}
BENCHMARK(RawFindFirstNearTheEnd)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

// (c) ---------------------------------------------------------------------------------------

void LikeSearch(benchmark::State& state, Engine engine)
{
    db::Database* found = databaseOf(state, engine);
    if (!found)
        return;
    db::Database& db = *found;
    for (auto _ : state) {
        db::Recordset rs =
            db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 WHERE tt_ndung Like '*hợp đồng số 4999*'"));
        benchmark::DoNotOptimize(rs.recordCount());
    }
}
BENCHMARK_CAPTURE(LikeSearch, file, Engine::File)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LikeSearch, server, Engine::Server)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

void RawLikeSearch(benchmark::State& state)
{
    sqlite3* raw = Letters::instance(state).openRaw();
    for (auto _ : state) {
        const std::vector<sqlite3_int64> ids =
            rowids(raw, "SELECT rowid FROM cvden2009 WHERE tt_ndung LIKE '*hợp đồng số 4999*'");
        benchmark::DoNotOptimize(ids.size());
        if (!ids.empty())
            benchmark::DoNotOptimize(readRow(raw, ids.front()));
    }
    sqlite3_close(raw);
}
BENCHMARK(RawLikeSearch)->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

// (d) ---------------------------------------------------------------------------------------

// findFirst then findNext until noMatch over every (letters / hits)-th row, within one event of
// the event loop. Two criteria with the same number of hits in turn, so every loop runs its query
// once.
void FindNextLoop(benchmark::State& state, Engine engine)
{
    const int hits = int(state.range(1));
    const QString step = QString::number(Letters::instance(state).count() / hits);
    db::Database* db = databaseOf(state, engine);
    if (!db)
        return;
    db::Recordset rs = db->openRecordset(QStringLiteral("cvden2009"));
    const QString criteria[] = {QStringLiteral("stt Mod ") + step + QStringLiteral(" = 0"),
                                QStringLiteral("stt Mod ") + step + QStringLiteral(" = 1")};
    int turn = 0;
    for (auto _ : state) {
        const QString& criterion = criteria[turn++ % 2];
        int found = 0;
        // The loop a procedure runs within one user action.
        inOneEvent([&] {
            rs.findFirst(criterion);
            while (!rs.noMatch()) {
                benchmark::DoNotOptimize(rs.value(QStringLiteral("stt")));
                ++found;
                rs.findNext(criterion);
            }
        });
        if (found != hits)
            state.SkipWithError("wrong number of hits");
    }
}
BENCHMARK_CAPTURE(FindNextLoop, file, Engine::File)
    ->Apply([](auto* b) {
        bench_support::perLetterCount(b, {250, 500, 1000});
    }) -> Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNextLoop, server, Engine::Server)
    ->Apply([](auto* b) {
        bench_support::perLetterCount(b, {250, 500, 1000});
    }) -> Unit(benchmark::kMillisecond);

// The floor of a find loop: the same rows, every column, read by one raw SELECT.
void RawFindNextLoop(benchmark::State& state)
{
    const int hits = int(state.range(1));
    sqlite3* raw = Letters::instance(state).openRaw();
    const QByteArray step = QByteArray::number(Letters::instance(state).count() / hits);
    const QByteArray criteria[] = {"SELECT * FROM cvden2009 WHERE stt % " + step + " = 0",
                                   "SELECT * FROM cvden2009 WHERE stt % " + step + " = 1"};
    int turn = 0;
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(raw, criteria[turn++ % 2].constData(), -1, &stmt, nullptr);
        int found = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QVariantList row;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
            benchmark::DoNotOptimize(row);
            ++found;
        }
        sqlite3_finalize(stmt);
        if (found != hits)
            state.SkipWithError("wrong number of hits");
    }
    sqlite3_close(raw);
}
BENCHMARK(RawFindNextLoop)->Apply([](auto* b) {
                              bench_support::perLetterCount(b, {250, 500, 1000});
                          }) -> Unit(benchmark::kMillisecond);

// (e) ---------------------------------------------------------------------------------------

const char* const WrittenColumns[] = {"stt", "so_den", "ng_den", "noigui", "so_cv", "loai", "tt_ndung", "dv_nhan"};

QString summaryOf(int i)
{
    return QStringLiteral("Về việc thực hiện hợp đồng số %1 và báo cáo kết quả").arg(i);
}

// addNew, eight values and update for every letter, in one transaction, into the empty cvden2010
// (emptied again outside the timing).
void RecordsetAddNewBulk(benchmark::State& state)
{
    Letters& letters = Letters::instance(state);
    db::Database& db = letters.database();
    for (auto _ : state) {
        db::Recordset rs = db.openRecordset(QStringLiteral("cvden2010"));
        db.beginTrans();
        for (int i = 1; i <= letters.count(); ++i) {
            rs.addNew();
            rs.setValue(QStringLiteral("stt"), i);
            rs.setValue(QStringLiteral("so_den"), QString::number(i));
            rs.setValue(QStringLiteral("ng_den"), QStringLiteral("01/02/2010"));
            rs.setValue(QStringLiteral("noigui"), QStringLiteral("Ủy ban nhân dân huyện Đức Phổ"));
            rs.setValue(QStringLiteral("so_cv"), QStringLiteral("UBND"));
            rs.setValue(QStringLiteral("loai"), QStringLiteral("Công văn"));
            rs.setValue(QStringLiteral("tt_ndung"), summaryOf(i));
            rs.setValue(QStringLiteral("dv_nhan"), QStringLiteral("Văn phòng"));
            rs.update();
        }
        db.commitTrans();
        state.PauseTiming();
        rs.close();
        db.execute(QStringLiteral("DELETE FROM cvden2010"));
        state.ResumeTiming();
    }
}
BENCHMARK(RecordsetAddNewBulk)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

void RawInsertBulk(benchmark::State& state)
{
    Letters& letters = Letters::instance(state);
    sqlite3* raw = letters.openRaw();
    for (auto _ : state) {
        sqlite3_exec(raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* put = nullptr;
        sqlite3_prepare_v2(raw,
                           "INSERT INTO cvden2010 (stt, so_den, ng_den, noigui, so_cv, loai, tt_ndung, dv_nhan) "
                           "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)",
                           -1, &put, nullptr);
        for (int i = 1; i <= letters.count(); ++i) {
            const QByteArray number = QByteArray::number(i);
            const QByteArray summary = summaryOf(i).toUtf8();
            sqlite3_bind_int(put, 1, i);
            sqlite3_bind_text(put, 2, number.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(put, 3, "01/02/2010", -1, SQLITE_STATIC);
            sqlite3_bind_text(put, 4, "Ủy ban nhân dân huyện Đức Phổ", -1, SQLITE_STATIC);
            sqlite3_bind_text(put, 5, "UBND", -1, SQLITE_STATIC);
            sqlite3_bind_text(put, 6, "Công văn", -1, SQLITE_STATIC);
            sqlite3_bind_text(put, 7, summary.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(put, 8, "Văn phòng", -1, SQLITE_STATIC);
            if (sqlite3_step(put) != SQLITE_DONE)
                state.SkipWithError(sqlite3_errmsg(raw));
            sqlite3_reset(put);
        }
        sqlite3_finalize(put);
        sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_exec(raw, "DELETE FROM cvden2010", nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_close(raw);
}
BENCHMARK(RawInsertBulk)->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

// Every letter of cvden2009 in turn: edit, a new summary and update, in one transaction.
void RecordsetEditUpdateBulk(benchmark::State& state)
{
    Letters& letters = Letters::instance(state);
    db::Database& db = letters.database();
    int turn = 0;
    for (auto _ : state) {
        const QString suffix = QString::number(++turn % 2);
        db::Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
        db.beginTrans();
        for (; !rs.eof(); rs.moveNext()) {
            rs.edit();
            rs.setValue(QStringLiteral("tt_ndung"), summaryOf(rs.value(QStringLiteral("stt")).toInt()) + suffix);
            rs.update();
        }
        db.commitTrans();
    }
}
BENCHMARK(RecordsetEditUpdateBulk)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

// The same on raw SQLite: the keyset, then per row a read of every column and a prepared UPDATE.
void RawSelectUpdateBulk(benchmark::State& state)
{
    Letters& letters = Letters::instance(state);
    sqlite3* raw = letters.openRaw();
    int turn = 0;
    for (auto _ : state) {
        const QByteArray suffix = QByteArray::number(++turn % 2);
        const std::vector<sqlite3_int64> keys = rowids(raw, "SELECT rowid FROM cvden2009");
        sqlite3_exec(raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* read = nullptr;
        sqlite3_prepare_v2(raw, "SELECT * FROM cvden2009 WHERE rowid = ?1", -1, &read, nullptr);
        sqlite3_stmt* put = nullptr;
        sqlite3_prepare_v2(raw, "UPDATE cvden2009 SET tt_ndung = ?1 WHERE rowid = ?2", -1, &put, nullptr);
        for (const sqlite3_int64 key : keys) {
            sqlite3_bind_int64(read, 1, key);
            QVariantList row;
            if (sqlite3_step(read) == SQLITE_ROW) {
                for (int i = 0; i < sqlite3_column_count(read); ++i)
                    row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(read, i)));
            }
            sqlite3_reset(read);
            const QByteArray summary = summaryOf(row.value(1).toInt()).toUtf8() + suffix;
            sqlite3_bind_text(put, 1, summary.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int64(put, 2, key);
            if (sqlite3_step(put) != SQLITE_DONE)
                state.SkipWithError(sqlite3_errmsg(raw));
            sqlite3_reset(put);
        }
        sqlite3_finalize(read);
        sqlite3_finalize(put);
        sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_close(raw);
}
BENCHMARK(RawSelectUpdateBulk)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

// (f) ---------------------------------------------------------------------------------------

// A search no index serves reads every page of the year's table. On a connection kept open (as
// the program keeps its data files open) the pages stay in SQLite's page cache between searches
// when it is large enough: SQLite's default (2,000 KiB) against the data files' 64 MiB
// (`Connection::setCacheSize`), each also with 256 MiB of memory-mapped reads, which the data
// files do not use (a network folder). Arguments: letters, cache KiB, mmap MiB.
void RawYearScanByPageCache(benchmark::State& state)
{
    sqlite3* raw = Letters::instance(state).openRaw();
    const QByteArray pragmas = "PRAGMA cache_size = -" + QByteArray::number(state.range(1)) +
                               "; PRAGMA mmap_size = " + QByteArray::number(state.range(2) * 1024 * 1024) + ";";
    sqlite3_exec(raw, pragmas.constData(), nullptr, nullptr, nullptr);
    const char* scan = "SELECT count(*) FROM cvden2009 WHERE kieuupdate = 7";
    bench_support::countRows(raw, scan); // warm
    for (auto _ : state)
        benchmark::DoNotOptimize(bench_support::countRows(raw, scan));
    sqlite3_close(raw);
}
BENCHMARK(RawYearScanByPageCache)
    ->Apply([](auto* b) {
        for (const int letters : bench_support::letterCounts()) {
            for (const int cache : {2000, 65536})
                for (const int mmap : {0, 256})
                    b->Args({letters, cache, mmap});
        }
    }) -> Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runBenchmarks<QCoreApplication>(argc, argv);
}
