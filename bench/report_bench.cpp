// Printing the incoming-letters register (brcvden.rpt) to PDF: 5,000 and 20,000 letters (or the
// counts of SELVARO_BENCH_LETTERS), the whole print from the report control (report file, rows
// from the print table, layout, PDF file), beside its two halves (reading the rows; laying them
// out into the PDF). Targets: 5,000 letters under 300 ms, 20,000 under 1.2 s (linear).
#include "bench_main.h"
#include "letter_counts.h"

#include "platform/db/database.h"
#include "platform/report/report_control.h"
#include "platform/report/report_output.h"
#include "platform/report/report_rows.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// A scratch file with count incoming letters in its print table incvden.
class LetterFile
{
public:
    explicit LetterFile(int count)
    {
        const QString path = m_dir.filePath(QStringLiteral("vemotemp.mdb"));
        QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb"), path);
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
        m_database = db::Database::open(path, QStringLiteral(";pwd=vorkelmadu"));
        db::Recordset letters = m_database.openRecordset(QStringLiteral("incvden"));
        m_database.beginTrans();
        for (int i = 1; i <= count; ++i) {
            const QString day = QStringLiteral("%1/%2/2025")
                                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                    .arg(1 + i % 12, 2, 10, QLatin1Char('0'));
            letters.addNew();
            letters.setValue(QStringLiteral("stt"), i);
            letters.setValue(QStringLiteral("ng_den"), day);
            letters.setValue(QStringLiteral("noigui"), QStringLiteral("Ủy ban nhân dân huyện Đức Phổ"));
            letters.setValue(QStringLiteral("so_cv"), QStringLiteral("%1/UBND-VP").arg(i));
            letters.setValue(QStringLiteral("ng_cv"), day);
            letters.setValue(QStringLiteral("loai"), QStringLiteral("Công văn"));
            letters.setValue(QStringLiteral("dv_nhan"), QStringLiteral("Văn phòng, Phòng Tổ chức cán bộ"));
            letters.setValue(
                QStringLiteral("tt_ndung"),
                QStringLiteral("Về việc báo cáo kết quả thực hiện nhiệm vụ quý %1 và phương hướng quý tới, số %2")
                    .arg(1 + i % 4)
                    .arg(i));
            letters.setValue(QStringLiteral("da_xuli"), i % 2 == 0);
            letters.update();
        }
        m_database.commitTrans();
    }

    db::Database& database() { return m_database; }
    QString outFolder() const { return m_dir.filePath(QStringLiteral("pdf")); }

private:
    QTemporaryDir m_dir;
    db::Database m_database;
};

LetterFile& letterFile(int count)
{
    static std::map<int, std::unique_ptr<LetterFile>> files;
    auto& file = files[count];
    if (!file)
        file = std::make_unique<LetterFile>(count);
    return *file;
}

void IncomingRegisterToPdf(benchmark::State& state)
{
    LetterFile& file = letterFile(int(state.range(0)));
    qputenv("SELVARO_PRINT_TO", file.outFolder().toUtf8());
    int pages = 0;
    for (auto _ : state) {
        report::ReportControl control;
        control.setDestination(report::Destination::Printer);
        control.setReportFileName(QStringLiteral(SELVARO_DATA_DIR "/brcvden.rpt"));
        control.setFormula(0, QStringLiteral("lbltd1 = '(Những công văn được chọn)'"));
        control.setFormula(1, QStringLiteral("tencaptren = 'ĐẢNG ỦY KHỐI CÁC CƠ QUAN TỈNH'"));
        control.setFormula(2, QStringLiteral("tendonvi = 'VĂN PHÒNG TỈNH ỦY'"));
        control.setDatabase(file.database());
        const report::ReportResult result = control.setAction(1);
        if (!result.ok()) {
            state.SkipWithError(result.message.toStdString().c_str());
            break;
        }
        pages = result.pageCount;
        state.PauseTiming();
        QFile::remove(result.outputFile);
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["rows/s"] =
        benchmark::Counter(double(state.range(0)) * double(state.iterations()), benchmark::Counter::kIsRate);
    qunsetenv("SELVARO_PRINT_TO");
}

void printCounts(benchmark::internal::Benchmark* b)
{
    for (const int letters : bench_support::letterCounts({5000, 20000}))
        b->Arg(letters);
}

BENCHMARK(IncomingRegisterToPdf)->Apply(printCounts)->Unit(benchmark::kMillisecond)->Iterations(3);

// The two halves of a print, to see where the time goes: reading the rows, and laying them out
// into the PDF.
void ReadRows(benchmark::State& state)
{
    LetterFile& file = letterFile(int(state.range(0)));
    const report::ReportFile rpt = report::ReportFile::load(QStringLiteral(SELVARO_DATA_DIR "/brcvden.rpt"));
    for (auto _ : state)
        benchmark::DoNotOptimize(report::loadReportRows(rpt, file.database()));
}

BENCHMARK(ReadRows)->Apply(printCounts)->Unit(benchmark::kMillisecond)->Iterations(3);

void LayoutToPdf(benchmark::State& state)
{
    LetterFile& file = letterFile(int(state.range(0)));
    report::ReportFile rpt = report::ReportFile::load(QStringLiteral(SELVARO_DATA_DIR "/brcvden.rpt"));
    QList<report::ReportRow> rows = report::loadReportRows(rpt, file.database());
    const report::PreparedReport prepared = report::PreparedReport::make(rpt, rows, {});
    QTemporaryDir dir;
    for (auto _ : state)
        report::writePdf(prepared, dir.filePath(QStringLiteral("out.pdf")));
}

BENCHMARK(LayoutToPdf)->Apply(printCounts)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runBenchmarks<QGuiApplication>(argc, argv);
}
