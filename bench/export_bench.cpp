// Saving a letters list as a spreadsheet: 10,000 and 100,000 letters (SELVARO_BENCH_LETTERS
// names others) to .xlsx (target under 5 s for 100,000) and .csv (under 1 s), and the list read
// into the table the writers take from a dynaset (second argument 0) or a snapshot (1, what the
// "Xuất ra Excel" command reads) of the letters table, opening included.
//
//   cmake --build build --target export_bench && build/bin/export_bench

#include "letter_counts.h"

#include "platform/db/database.h"
#include "platform/db/transaction.h"
#include "platform/export/recordset_table.h"
#include "platform/export/table_file.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

void BM_TableFromRecordset(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    db::Database db = db::Database::create(dir.filePath(QStringLiteral("cv.mdb")), QStringLiteral("pw"));
    db::TableDef def;
    def.name = QStringLiteral("cvden2026");
    def.fields = {
        {QStringLiteral("stt"), db::FieldType::Long, 4},         {QStringLiteral("ng_den"), db::FieldType::Text, 10},
        {QStringLiteral("ng_denchuan"), db::FieldType::Text, 8}, {QStringLiteral("so_cv"), db::FieldType::Text, 50},
        {QStringLiteral("ng_cv"), db::FieldType::Text, 10},      {QStringLiteral("ng_cvchuan"), db::FieldType::Text, 8},
        {QStringLiteral("noigui"), db::FieldType::Text, 200},    {QStringLiteral("tt_ndung"), db::FieldType::Memo, 0},
        {QStringLiteral("dv_nhan"), db::FieldType::Text, 200},   {QStringLiteral("ghichu"), db::FieldType::Text, 200}};
    db.appendTableDef(def);
    {
        db::Recordset rs = db.openRecordset(def.name);
        db::Transaction write(db, QStringLiteral("filling the bench letters"));
        for (int n = 0; n < count; ++n) {
            const QVariantList values = letter(n);
            rs.addNew();
            for (qsizetype c = 0; c < kColumns.size(); ++c)
                rs.setValue(kColumns.at(c).field, values.at(c));
            rs.update();
        }
        write.commit();
    }
    const auto type = static_cast<db::RecordsetType>(state.range(1));
    for (auto _ : state) {
        const db::Recordset rs = db.openRecordset(def.name, type);
        benchmark::DoNotOptimize(tableFromRecordset(rs, kColumns).rows.size());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_TableFromRecordset)
    ->Apply([](auto* b) {
        bench_support::perLetterCount(
            b, {static_cast<int>(db::RecordsetType::Dynaset), static_cast<int>(db::RecordsetType::Snapshot)});
    }) -> Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
