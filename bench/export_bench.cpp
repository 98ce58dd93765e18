// Saving a letters list as a spreadsheet: 10,000 and 100,000 letters (SELVARO_BENCH_LETTERS
// names others) to .xlsx (target under 5 s for 100,000) and .csv (under 1 s): the writers alone
// from a table in memory, the list read into that table through the row reader, and the whole
// export from the letters file beside a bare floor (raw SQLite rows printed to a file).
//
//   cmake --build build --target export_bench && build/bin/export_bench

#include "bench_main.h"
#include "letter_counts.h"

#include "platform/db/database.h"
#include "platform/db/row_reader.h"
#include "platform/db/transaction.h"
#include "platform/export/recordset_table.h"
#include "platform/export/table_file.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <sqlite3.h>

using namespace exporting;

namespace {

const QList<SourceColumn> kColumns = {
    {QStringLiteral("Số đến"), QStringLiteral("stt")},
    {QStringLiteral("Ngày đến"), QStringLiteral("ng_den")},
    {QStringLiteral("Số, ký hiệu"), QStringLiteral("so_cv")},
    {QStringLiteral("Ngày CV"), QStringLiteral("ng_cv")},
    {QStringLiteral("Nơi gửi"), QStringLiteral("noigui")},
    {QStringLiteral("Trích yếu nội dung"), QStringLiteral("tt_ndung")},
    {QStringLiteral("Đơn vị nhận"), QStringLiteral("dv_nhan")},
    {QStringLiteral("Ghi chú"), QStringLiteral("ghichu")},
};

// A letter as the registers keep it: dates as their text dd/mm/yyyy (beside a key <name>chuan).
QVariantList letter(int n)
{
    const QDate day = QDate(2026, 1, 1).addDays(n % 365);
    const QString format = QStringLiteral("dd/MM/yyyy");
    return {n + 1,
            day.toString(format),
            QString::number(n % 900 + 1) + QStringLiteral("/QĐ-UBND"),
            day.addDays(-2).toString(format),
            QStringLiteral("Sở Tài chính tỉnh Hà Giang"),
            QStringLiteral("Về việc hướng dẫn thực hiện dự toán ngân sách nhà nước năm 2026, đợt ") +
                QString::number(n % 12 + 1) + QStringLiteral(", gửi các đơn vị trực thuộc để triển khai"),
            QStringLiteral("Phòng Kế hoạch - Tài chính"),
            n % 7 == 0 ? QVariant() : QVariant(QStringLiteral("Lưu"))};
}

Table lettersTable(int count)
{
    Table t;
    for (qsizetype c = 0; c < kColumns.size(); ++c) {
        const bool date = c == 1 || c == 3;
        t.columns.append({kColumns.at(c).head, c == 0 ? ColumnKind::Number
                                               : date ? ColumnKind::Date
                                                      : ColumnKind::Text});
    }
    t.rows.reserve(count);
    for (int n = 0; n < count; ++n)
        t.rows.append(letter(n));
    return t;
}

void saveBenchmark(benchmark::State& state, Format format)
{
    const Table table = lettersTable(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(format == Format::Xlsx ? QStringLiteral("cv.xlsx") : QStringLiteral("cv.csv"));
    for (auto _ : state)
        saveTable(table, path, format);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SaveXlsx(benchmark::State& state)
{
    saveBenchmark(state, Format::Xlsx);
}
BENCHMARK(BM_SaveXlsx)->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

void BM_SaveCsv(benchmark::State& state)
{
    saveBenchmark(state, Format::Csv);
}
BENCHMARK(BM_SaveCsv)->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

// A letters file of count letters in cvden2026, made once per count and kept for the run.
class LettersFile
{
public:
    explicit LettersFile(int count)
    {
        m_db = db::Database::create(m_dir.filePath(QStringLiteral("cv.mdb")), QStringLiteral("pw"));
        db::TableDef def;
        def.name = QStringLiteral("cvden2026");
        def.fields = {{QStringLiteral("stt"), db::FieldType::Long, 4},
                      {QStringLiteral("ng_den"), db::FieldType::Text, 10},
                      {QStringLiteral("ng_denchuan"), db::FieldType::Text, 8},
                      {QStringLiteral("so_cv"), db::FieldType::Text, 50},
                      {QStringLiteral("ng_cv"), db::FieldType::Text, 10},
                      {QStringLiteral("ng_cvchuan"), db::FieldType::Text, 8},
                      {QStringLiteral("noigui"), db::FieldType::Text, 200},
                      {QStringLiteral("tt_ndung"), db::FieldType::Memo, 0},
                      {QStringLiteral("dv_nhan"), db::FieldType::Text, 200},
                      {QStringLiteral("ghichu"), db::FieldType::Text, 200}};
        m_db.appendTableDef(def);
        db::Recordset rs = m_db.openRecordset(def.name);
        db::Transaction write(m_db, QStringLiteral("filling the bench letters"));
        for (int n = 0; n < count; ++n) {
            const QVariantList values = letter(n);
            rs.addNew();
            for (qsizetype c = 0; c < kColumns.size(); ++c)
                rs.setValue(kColumns.at(c).field, values.at(c));
            rs.update();
        }
        write.commit();
    }

    static LettersFile& instance(int count)
    {
        static std::map<int, std::unique_ptr<LettersFile>> files;
        auto& file = files[count];
        if (!file)
            file = std::make_unique<LettersFile>(count);
        return *file;
    }

    db::Database& db() { return m_db; }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    db::Database m_db;
};

// The rows read into the table the writers take, through the row reader "Xuất ra Excel" uses.
void BM_TableFromRows(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    LettersFile& file = LettersFile::instance(count);
    for (auto _ : state) {
        db::RowReader rows(file.db(), QStringLiteral("cvden2026"));
        benchmark::DoNotOptimize(tableFromRows(rows, kColumns, count).rows.size());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_TableFromRows)->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

// The whole export of a letters list: rows read from the file, typed, written and renamed into
// place (second argument: 0 .xlsx, 1 .csv), beside its floor below.
void BM_ExportLetters(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const Format format = state.range(1) == 0 ? Format::Xlsx : Format::Csv;
    LettersFile& file = LettersFile::instance(count);
    const QString path = file.path(format == Format::Xlsx ? QStringLiteral("cv.xlsx") : QStringLiteral("cv.csv"));
    for (auto _ : state) {
        db::RowReader rows(file.db(), QStringLiteral("cvden2026"));
        saveTable(tableFromRows(rows, kColumns, count), path, format);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ExportLetters)->Apply([](auto* b) {
                               bench_support::perLetterCount(b, {0, 1});
                           }) -> Unit(benchmark::kMillisecond);

// The floor of the .csv export: the same columns stepped through on a raw connection and written
// as they are stored, one fprintf per row, with no typing, quoting or temporary file.
void BM_ExportLettersCsvBareSql(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    LettersFile& file = LettersFile::instance(count);
    sqlite3* raw = nullptr;
    sqlite3_open_v2(file.path(QStringLiteral("cv.mdb")).toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray out = file.path(QStringLiteral("bare.csv")).toUtf8();
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(raw, "SELECT stt, ng_den, so_cv, ng_cv, noigui, tt_ndung, dv_nhan, ghichu FROM cvden2026",
                           -1, &st, nullptr);
        std::FILE* f = std::fopen(out.constData(), "wb");
        const auto text = [st](int column) {
            const unsigned char* p = sqlite3_column_text(st, column);
            return p ? reinterpret_cast<const char*>(p) : "";
        };
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::fprintf(f, "%lld,%s,%s,%s,%s,%s,%s,%s\r\n", static_cast<long long>(sqlite3_column_int64(st, 0)),
                         text(1), text(2), text(3), text(4), text(5), text(6), text(7));
        }
        std::fclose(f);
        sqlite3_finalize(st);
    }
    sqlite3_close(raw);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ExportLettersCsvBareSql)
    ->Apply([](auto* b) { bench_support::perLetterCount(b); }) -> Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runBenchmarks<QCoreApplication>(argc, argv);
}
