// The database layer beside the raw SQLite C API doing the same work, on a 50,000-row letters
// table: (a) open a dynaset and move to the last row, (b) FindFirst for a row near the end,
// (c) a translated Like '*...*' search, (d) a loop of findNext over 250, 500 and 1,000 hits.
// Raw connections get the same Jet functions and NOCASE, so the difference is the layer's own
// cost. Targets: (a) and (b) at most 1.2 times raw; dynaset open + MoveLast under 50 ms; (d)
// linear in the hits (one query, then a walk), not rows x hits.
#include "platform/db/database.h"
#include "platform/db/jet_translator.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int Rows = 50000;

db::FieldDef field(const char* name, db::FieldType type, int size = 0, int attributes = 0)
{
    db::FieldDef f;
    f.name = QString::fromLatin1(name);
    f.type = type;
    f.size = size;
    f.attributes = attributes;
    return f;
}

// A letters file made once per run.
class Letters
{
public:
    Letters()
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
        db.close();

        sqlite3* raw = openRaw();
        sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* put = nullptr;
        sqlite3_prepare_v2(raw,
                           "INSERT INTO cvden2009 (stt, so_den, ng_den, ng_denchuan, noigui, so_cv, loai, tt_ndung, "
                           "dv_nhan, chonin, kieuupdate, idcu) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, '', 0, ?1)",
                           -1, &put, nullptr);
        for (int i = 1; i <= Rows; ++i) {
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
        db::jet::registerFunctions(raw);
        return raw;
    }

    db::Database& database() { return m_db; }

    static Letters& instance()
    {
        static Letters letters;
        return letters;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    db::Database m_db;
};

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

void DynasetOpenMoveLast(benchmark::State& state)
{
    db::Database& db = Letters::instance().database();
    for (auto _ : state) {
        db::Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
        rs.moveLast();
        benchmark::DoNotOptimize(rs.value(QStringLiteral("tt_ndung")));
    }
}
BENCHMARK(DynasetOpenMoveLast)->Unit(benchmark::kMillisecond);

void RawKeysetMoveLast(benchmark::State& state)
{
    sqlite3* raw = Letters::instance().openRaw();
    for (auto _ : state) {
        const std::vector<sqlite3_int64> ids = rowids(raw, "SELECT rowid FROM cvden2009");
        benchmark::DoNotOptimize(readRow(raw, ids.back()));
    }
    sqlite3_close(raw);
}
BENCHMARK(RawKeysetMoveLast)->Unit(benchmark::kMillisecond);

void DynasetOrderedOpenMoveLast(benchmark::State& state)
{
    db::Database& db = Letters::instance().database();
    for (auto _ : state) {
        db::Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 ORDER BY [ng_denchuan], [stt]"));
        rs.moveLast();
        benchmark::DoNotOptimize(rs.value(QStringLiteral("tt_ndung")));
    }
}
BENCHMARK(DynasetOrderedOpenMoveLast)->Unit(benchmark::kMillisecond);

void RawOrderedKeysetMoveLast(benchmark::State& state)
{
    sqlite3* raw = Letters::instance().openRaw();
    for (auto _ : state) {
        const std::vector<sqlite3_int64> ids = rowids(raw, "SELECT rowid FROM cvden2009 ORDER BY ng_denchuan, stt");
        benchmark::DoNotOptimize(readRow(raw, ids.back()));
    }
    sqlite3_close(raw);
}
BENCHMARK(RawOrderedKeysetMoveLast)->Unit(benchmark::kMillisecond);

// (b) ---------------------------------------------------------------------------------------

// Two criteria in turn, so that every find runs its query (a find keeps the hits of the last
// criterion while the data is unchanged).
void FindFirstNearTheEnd(benchmark::State& state)
{
    db::Recordset rs = Letters::instance().database().openRecordset(QStringLiteral("cvden2009"));
    const QString criteria[] = {QStringLiteral("so_den = '49990'"), QStringLiteral("so_den = '49991'")};
    int turn = 0;
    for (auto _ : state) {
        rs.moveFirst();
        rs.findFirst(criteria[turn++ % 2]);
        benchmark::DoNotOptimize(rs.value(QStringLiteral("stt")));
    }
}
BENCHMARK(FindFirstNearTheEnd)->Unit(benchmark::kMillisecond);

void RawFindFirstNearTheEnd(benchmark::State& state)
{
    sqlite3* raw = Letters::instance().openRaw();
    const std::vector<sqlite3_int64> keys = rowids(raw, "SELECT rowid FROM cvden2009");
    const char* criteria[] = {"SELECT rowid FROM cvden2009 WHERE so_den = '49990'",
                              "SELECT rowid FROM cvden2009 WHERE so_den = '49991'"};
    int turn = 0;
    for (auto _ : state) {
        const std::vector<sqlite3_int64> hits = rowids(raw, criteria[turn++ % 2]);
        // The walk of the keyset to the hit, as a find does.
        std::size_t at = 0;
        while (at < keys.size() && keys[at] != hits.front())
            ++at;
        benchmark::DoNotOptimize(at);
        benchmark::DoNotOptimize(readRow(raw, hits.front()));
    }
    sqlite3_close(raw);
}
BENCHMARK(RawFindFirstNearTheEnd)->Unit(benchmark::kMillisecond);

// (c) ---------------------------------------------------------------------------------------

void LikeSearch(benchmark::State& state)
{
    db::Database& db = Letters::instance().database();
    for (auto _ : state) {
        db::Recordset rs =
            db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 WHERE tt_ndung Like '*hợp đồng số 4999*'"));
        benchmark::DoNotOptimize(rs.recordCount());
    }
}
BENCHMARK(LikeSearch)->Unit(benchmark::kMillisecond);

void RawLikeSearch(benchmark::State& state)
{
    sqlite3* raw = Letters::instance().openRaw();
    for (auto _ : state) {
        const std::vector<sqlite3_int64> ids =
            rowids(raw, "SELECT rowid FROM cvden2009 WHERE tt_ndung LIKE '*hợp đồng số 4999*'");
        benchmark::DoNotOptimize(ids.size());
        if (!ids.empty())
            benchmark::DoNotOptimize(readRow(raw, ids.front()));
    }
    sqlite3_close(raw);
}
BENCHMARK(RawLikeSearch)->Unit(benchmark::kMillisecond);

// (d) ---------------------------------------------------------------------------------------

// findFirst then findNext until noMatch over every (50000 / hits)-th row. Two criteria with the
// same number of hits in turn, so every loop runs its query once.
void FindNextLoop(benchmark::State& state)
{
    const int hits = int(state.range(0));
    const QString step = QString::number(Rows / hits);
    db::Recordset rs = Letters::instance().database().openRecordset(QStringLiteral("cvden2009"));
    const QString criteria[] = {QStringLiteral("stt Mod ") + step + QStringLiteral(" = 0"),
                                QStringLiteral("stt Mod ") + step + QStringLiteral(" = 1")};
    int turn = 0;
    for (auto _ : state) {
        const QString& criterion = criteria[turn++ % 2];
        int found = 0;
        rs.findFirst(criterion);
        while (!rs.noMatch()) {
            benchmark::DoNotOptimize(rs.value(QStringLiteral("stt")));
            ++found;
            rs.findNext(criterion);
        }
        if (found != hits)
            state.SkipWithError("wrong number of hits");
    }
    state.SetComplexityN(hits);
}
BENCHMARK(FindNextLoop)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
