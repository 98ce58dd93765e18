// Importing the old program's Jet files: 100,000 text values read through the reader interface,
// detected and converted from TCVN3 with their normalised dates; and the Jet 3 sample's 2,155-row
// "Order Details" table read from the file and written through the import into a scratch file.
#include "common/tcvn3.h"
#include "datafiles/legacy_import.h"
#include "datafiles/legacy_rows.h"
#include "platform/jet/mdb_file.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Texts as the old files hold them: VN3 bytes read as Windows-1252 (0x80-0x9F do not occur in
// these texts, so Latin-1 gives the same characters).
QString asStored(const QString& unicode)
{
    return QString::fromLatin1(common::encodeTcvn3(unicode));
}

class MemorySource : public jet::Source
{
public:
    QList<jet::Column> cols;
    QList<jet::Row> data;
    QStringList tableNames() const override { return {QStringLiteral("cvden2009")}; }
    QList<jet::Column> columns(const QString&) const override { return cols; }
    QList<jet::Row> rows(const QString&) const override { return data; }
};

void ConvertTextValues(benchmark::State& state)
{
    // 20,000 letters with five text columns: 100,000 values.
    MemorySource source;
    const QStringList names = {"noigui", "so_cv", "dv_nhan", "tt_ndung", "ng_den"};
    db::TableDef target;
    target.name = QStringLiteral("cvdenmau");
    for (const QString& n : names) {
        source.cols << jet::Column{n, jet::ColumnType::Text, 255};
        target.fields << db::FieldDef{n, db::FieldType::Text, 255};
    }
    target.fields << db::FieldDef{QStringLiteral("ng_denchuan"), db::FieldType::Text, 8};
    const QString sender = asStored(QStringLiteral("Sở Tài nguyên và Môi trường tỉnh"));
    const QString units = asStored(QStringLiteral("Phòng Tổ chức cán bộ, Văn phòng Uỷ ban"));
    for (int i = 0; i < 20'000; ++i) {
        source.data << jet::Row{
            sender, QString::number(i) + asStored(QStringLiteral("/QĐ-UBND")), units,
            asStored(QStringLiteral("Về việc tổ chức hội nghị tổng kết công tác năm ") + QString::number(i)),
            QStringLiteral("05/03/2009")};
    }
    for (auto _ : state) {
        const datafiles::LegacyRows rows = datafiles::prepareLegacyRows(source, QStringLiteral("cvden2009"), target,
                                                                        datafiles::LegacyEncoding::Detect);
        benchmark::DoNotOptimize(rows.textsConverted);
        if (rows.textsConverted != 80'000)
            state.SkipWithError("texts were not converted");
    }
    state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(ConvertTextValues)->Unit(benchmark::kMillisecond);

// The sample table presented as a year table of a file whose template has its columns.
class OrderDetails : public jet::Source
{
public:
    explicit OrderDetails(const QString& path) : file(path) {}
    QStringList tableNames() const override { return {QStringLiteral("cvden2009")}; }
    QList<jet::Column> columns(const QString&) const override { return file.columns(QStringLiteral("Order Details")); }
    QList<jet::Row> rows(const QString&) const override { return file.rows(QStringLiteral("Order Details")); }
    jet::MdbFile file;
};

void ImportOrderDetails(benchmark::State& state)
{
    const OrderDetails source(QStringLiteral(SELVARO_TEST_DATA_DIR "/jet/nwind-jet3.mdb"));
    QTemporaryDir dir;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        db::Database target = db::Database::create(dir.filePath(QString::number(++n) + ".mdb"), "vorkelmadu");
        db::TableDef def;
        def.name = QStringLiteral("cvdenmau");
        def.fields = {db::FieldDef{"id", db::FieldType::Long, 4, db::fieldattr::AutoIncrField},
                      db::FieldDef{"OrderID", db::FieldType::Long, 4},
                      db::FieldDef{"ProductID", db::FieldType::Long, 4},
                      db::FieldDef{"UnitPrice", db::FieldType::Currency, 8},
                      db::FieldDef{"Quantity", db::FieldType::Integer, 2},
                      db::FieldDef{"Discount", db::FieldType::Single, 4}};
        def.indexes = {db::IndexDef{"PrimaryKey", {"id"}, true, true}};
        target.appendTableDef(def);
        state.ResumeTiming();

        const datafiles::LegacyImportSummary summary = datafiles::importLegacySource(
            source, QStringLiteral("cv"), target, [](const QString&) { return false; }, {});
        if (summary.rows() != 2155)
            state.SkipWithError(summary.message("cv").toUtf8().constData());
    }
    state.SetItemsProcessed(state.iterations() * 2155);
}
BENCHMARK(ImportOrderDetails)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
