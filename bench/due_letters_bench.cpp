// The list "Công văn đến hạn, quá hạn" on a year of 100,000 incoming letters (one in ten not yet
// handled, deadlines spread over the year): the statement opened as the list window opens it and
// read to its end, and the counts the main window shows; beside them the bare SQL floor, the same
// rows read on a raw connection through the deadline index. Target: the list under 100 ms.
// Letter counts: SELVARO_BENCH_LETTERS.
#include "bench_main.h"
#include "letter_counts.h"
#include "raw_sqlite.h"

#include "app/core/due_letters.h"
#include "app/core/table_copy.h"
#include "platform/db/database.h"
#include "platform/jetsql/translator.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

const QDate kToday(2026, 6, 15);

class LettersFile
{
public:
    explicit LettersFile(int count)
    {
        const QString path = m_dir.filePath(QStringLiteral("vemocv.mdb"));
        QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb"), path);
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
        m_letters = db::Database::open(path, QStringLiteral(";pwd=vorkelmadu"));
        app::copyTableStructure(m_letters, m_letters, QStringLiteral("cvdenmau"), QStringLiteral("cvden2026"), true);
        db::Recordset rs = m_letters.openRecordset(QStringLiteral("cvden2026"));
        m_letters.beginTrans();
        for (int i = 1; i <= count; ++i) {
            const QDate arrived = QDate(2026, 1, 1).addDays(i * 364 / count);
            const QDate deadline = arrived.addDays(7 + i % 20);
            rs.addNew();
            rs.setValue(QStringLiteral("stt"), i);
            rs.setValue(QStringLiteral("ng_den"), arrived.toString(QStringLiteral("dd/MM/yyyy")));
            rs.setValue(QStringLiteral("ng_denchuan"), arrived.toString(QStringLiteral("yyyyMMdd")));
            rs.setValue(QStringLiteral("noigui"), QStringLiteral("Sở Nội vụ"));
            rs.setValue(QStringLiteral("so_cv"), QString::number(i) + QStringLiteral("/SNV"));
            rs.setValue(QStringLiteral("dv_nhan"), QStringLiteral("Văn phòng, Phòng Tổ chức cán bộ"));
            rs.setValue(QStringLiteral("tt_ndung"),
                        QStringLiteral("Về việc báo cáo kết quả thực hiện nhiệm vụ, số %1").arg(i));
            rs.setValue(QStringLiteral("hanxl"), deadline.toString(QStringLiteral("dd/MM/yyyy")));
            rs.setValue(QStringLiteral("hanxlchuan"), deadline.toString(QStringLiteral("yyyyMMdd")));
            rs.setValue(QStringLiteral("nguoixl"), QStringLiteral("Phòng Hành chính"));
            rs.setValue(QStringLiteral("da_xuli"), i % 10 != 0);
            rs.update();
        }
        m_letters.commitTrans();
    }

    db::Database& letters() { return m_letters; }
    sqlite3* openRaw() const
    {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(m_dir.filePath(QStringLiteral("vemocv.mdb")).toUtf8().constData(), &raw, SQLITE_OPEN_READONLY,
                        nullptr);
        jetsql::registerFunctions(raw);
        return raw;
    }
    static LettersFile& instance(int count)
    {
        static std::map<int, std::unique_ptr<LettersFile>> files;
        auto& file = files[count];
        if (!file)
            file = std::make_unique<LettersFile>(count);
        return *file;
    }

private:
    QTemporaryDir m_dir;
    db::Database m_letters;
};

void counts(benchmark::internal::Benchmark* b)
{
    for (const int letters : bench_support::letterCounts({100000}))
        b->Arg(letters);
}

// What the list window does: the year tables found, the statement opened as a snapshot, every row read.
void DueList(benchmark::State& state)
{
    LettersFile& file = LettersFile::instance(int(state.range(0)));
    int rows = 0;
    for (auto _ : state) {
        const QString sql = app::dueListSql(app::dueYearTables(file.letters()), kToday);
        db::Recordset rs = file.letters().openRecordset(sql, db::RecordsetType::Snapshot);
        rows = 0;
        for (; !rs.eof(); rs.moveNext())
            rows += rs.value(QStringLiteral("stt")).toInt() > 0;
    }
    state.counters["rows"] = rows;
}
BENCHMARK(DueList)->Apply(counts)->Unit(benchmark::kMillisecond);

void DueCounts(benchmark::State& state)
{
    LettersFile& file = LettersFile::instance(int(state.range(0)));
    app::DueCounts c;
    for (auto _ : state)
        c = app::countDueLetters(file.letters(), kToday);
    state.counters["overdue"] = c.overdue;
    state.counters["soon"] = c.dueSoon;
}
BENCHMARK(DueCounts)->Apply(counts)->Unit(benchmark::kMillisecond);

// The floor: the same letters read on a raw connection, by the deadline key in binary order (the
// index's), with the state computed in SQL.
void DueListBareSql(benchmark::State& state)
{
    LettersFile& file = LettersFile::instance(int(state.range(0)));
    sqlite3* raw = file.openRaw();
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench_support::countRows(
            raw, "SELECT CASE WHEN hanxlchuan < '20260615' THEN 'Quá hạn' ELSE 'Sắp đến hạn' END, id, stt, ng_den, "
                 "noigui, so_cv, tt_ndung, hanxl, nguoixl FROM cvden2026 WHERE hanxlchuan COLLATE BINARY > '' AND "
                 "hanxlchuan COLLATE BINARY <= '20260618' AND (da_xuli = 0 OR da_xuli IS NULL) ORDER BY "
                 "hanxlchuan COLLATE BINARY, stt"));
    }
    sqlite3_close(raw);
}
BENCHMARK(DueListBareSql)->Apply(counts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runBenchmarks<QCoreApplication>(argc, argv);
}
