// The register book of outgoing letters (sodkcvdi.rpt) printed to PDF for 5,000 and 20,000
// letters, the whole command (print table filled from the letters file, rows read, laid out,
// PDF written); and the check of register numbers on 100,000 letters beside the bare SQL reading
// the same rows in the same order on a raw connection. Targets: the book of 20,000 letters under
// 5 s and linear (4x the letters, about 4x the time); the number check under 200 ms and within 2x
// the bare SQL. Each beside its floor: the same rows stepped through on a raw connection.
// Letter counts: SELVARO_BENCH_LETTERS.
#include "bench_main.h"
#include "letter_counts.h"
#include "raw_sqlite.h"

#include "platform/db/database.h"
#include "platform/jetsql/translator.h"
#include "registers/letters/number_check.h"
#include "registers/letters/register_book.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

const QString kPassword = QStringLiteral(";pwd=vorkelmadu");
const QString kTable = QStringLiteral("cvdi2025");

// A letters file with count outgoing letters in cvdi2025 (two letter types, numbered per type,
// a gap and a double every thousand), and a scratch file for the print tables.
class LetterFiles
{
public:
    explicit LetterFiles(int count)
    {
        m_letters = copyTemplate(QStringLiteral("vemocv.mdb"));
        m_scratch = copyTemplate(QStringLiteral("vemotemp.mdb"));
        m_letters.execute(QStringLiteral("SELECT * INTO ") + kTable + QStringLiteral(" FROM cvdimau"));
        db::Recordset letters = m_letters.openRecordset(kTable);
        m_letters.beginTrans();
        for (int i = 1; i <= count; ++i) {
            const int number = (i + 1) / 2 + ((i / 2) % 1000 == 999 ? 1 : 0) - ((i / 2) % 1000 == 500 ? 1 : 0);
            const QString day = QStringLiteral("2025%1%2")
                                    .arg(1 + (i * 12 / (count + 1)), 2, 10, QLatin1Char('0'))
                                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
            letters.addNew();
            letters.setValue(QStringLiteral("stt"), number);
            letters.setValue(QStringLiteral("so_cv"), QString::number(number) + QStringLiteral("/UBND-VP"));
            letters.setValue(QStringLiteral("ng_cv"), day.right(2) + u'/' + day.mid(4, 2) + QStringLiteral("/2025"));
            letters.setValue(QStringLiteral("ng_cvchuan"), day);
            letters.setValue(QStringLiteral("loai"), i % 2 ? QStringLiteral("Công văn") : QStringLiteral("Quyết định"));
            letters.setValue(QStringLiteral("dv_nhan"), QStringLiteral("Văn phòng, Phòng Tổ chức cán bộ"));
            letters.setValue(QStringLiteral("noiluu"), QStringLiteral("Lưu VT"));
            letters.setValue(QStringLiteral("nguoiky"), QStringLiteral("Nguyễn Văn An"));
            letters.setValue(QStringLiteral("tt_ndung"),
                             QStringLiteral("Về việc báo cáo kết quả thực hiện nhiệm vụ quý %1 và phương hướng "
                                            "quý tới, số %2")
                                 .arg(1 + i % 4)
                                 .arg(i));
            letters.update();
        }
        m_letters.commitTrans();
        m_context.scratch = m_scratch;
        m_context.lettersReference = m_scratch; // its tendonvi gives the organisation's names
        m_context.programFolder = QStringLiteral(SELVARO_DATA_DIR "/..");
    }

    db::Database& letters() { return m_letters; }
    const registers::ProgramContext& context() const { return m_context; }
    QString outFolder() const { return m_dir.filePath(QStringLiteral("pdf")); }
    sqlite3* openRaw() const
    {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(m_dir.filePath(QStringLiteral("vemocv.mdb")).toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE,
                        nullptr);
        jetsql::registerFunctions(raw);
        return raw;
    }

    static LetterFiles& instance(int count)
    {
        static std::map<int, std::unique_ptr<LetterFiles>> files;
        auto& file = files[count];
        if (!file)
            file = std::make_unique<LetterFiles>(count);
        return *file;
    }

private:
    db::Database copyTemplate(const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb"), path);
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
        return db::Database::open(path, kPassword);
    }

    QTemporaryDir m_dir;
    db::Database m_letters;
    db::Database m_scratch;
    registers::ProgramContext m_context;
};

void OutgoingBookToPdf(benchmark::State& state)
{
    LetterFiles& files = LetterFiles::instance(int(state.range(0)));
    qputenv("SELVARO_PRINT_TO", files.outFolder().toUtf8());
    registers::BookRequest request;
    request.incoming = false;
    request.table = kTable;
    request.volume = QStringLiteral("1");
    int pages = 0;
    for (auto _ : state) {
        report::ReportControl control;
        const registers::BookOutcome outcome = registers::printRegisterBook(files.context(), control, files.letters(),
                                                                            request, report::Destination::Printer, {});
        if (!outcome.refusal.isEmpty() || !outcome.result.ok()) {
            state.SkipWithError((outcome.refusal + outcome.result.message).toStdString().c_str());
            break;
        }
        pages = outcome.result.pageCount;
        state.PauseTiming();
        QFile::remove(outcome.result.outputFile);
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["letters/s"] =
        benchmark::Counter(double(state.range(0)) * double(state.iterations()), benchmark::Counter::kIsRate);
    qunsetenv("SELVARO_PRINT_TO");
}

BENCHMARK(OutgoingBookToPdf)
    ->Apply([](benchmark::internal::Benchmark* b) {
        for (const int letters : bench_support::letterCounts({5000, 20000}))
            b->Arg(letters);
    })
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The floor of the book: its letters, in its order, stepped through on a raw connection (no copy
// into the print table, no layout, no PDF).
void OutgoingBookBareSql(benchmark::State& state)
{
    LetterFiles& files = LetterFiles::instance(int(state.range(0)));
    sqlite3* raw = files.openRaw();
    for (auto _ : state)
        benchmark::DoNotOptimize(bench_support::countRows(raw, "SELECT * FROM cvdi2025 ORDER BY stt, loai, id"));
    sqlite3_close(raw);
}

BENCHMARK(OutgoingBookBareSql)
    ->Apply([](benchmark::internal::Benchmark* b) {
        for (const int letters : bench_support::letterCounts({5000, 20000}))
            b->Arg(letters);
    })
    ->Unit(benchmark::kMillisecond);

void checkCounts(benchmark::internal::Benchmark* b)
{
    for (const int letters : bench_support::letterCounts({100000}))
        b->Arg(letters);
}

void NumberCheck(benchmark::State& state)
{
    LetterFiles& files = LetterFiles::instance(int(state.range(0)));
    qsizetype findings = 0;
    for (auto _ : state)
        findings = registers::checkRegisterNumbers(files.letters(), kTable, false).size();
    state.counters["findings"] = double(findings);
}

BENCHMARK(NumberCheck)->Apply(checkCounts)->Unit(benchmark::kMillisecond);

// The floor: the same rows, in the same order, stepped through on a raw connection.
void NumberCheckBareSql(benchmark::State& state)
{
    LetterFiles& files = LetterFiles::instance(int(state.range(0)));
    sqlite3* raw = files.openRaw();
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench_support::countRows(
            raw, "SELECT loai, stt, ng_cvchuan, id FROM cvdi2025 WHERE stt >= 1 ORDER BY loai, stt, id"));
    }
    sqlite3_close(raw);
}

BENCHMARK(NumberCheckBareSql)->Apply(checkCounts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runBenchmarks<QApplication>(argc, argv);
}
