// Importing old data: an old letters file of 5 years × 20,000 incoming letters imported into the
// letters file in use (target: under 5 s), and the old reference lists merged into the reference
// file in use, three lists of 5,000 rows against lists of 5,000 rows, half of them present already
// (target: under 1 s).
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/table_copy.h"
#include "app/core/year_tables.h"
#include "datafiles/data_import.h"
#include "platform/db/sql_quote.h"
#include "platform/sys/file_ops.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLetters = 20'000;
constexpr int kYears = 5;
constexpr int kListRows = 5'000;

class QuietMessenger : public app::Messenger
{
public:
    QString show(const QString& text, const QString&) override
    {
        last = text;
        return QStringLiteral("yes");
    }
    void closeNotice() override {}
    QString last;
};

QString templateFile()
{
    return QDir(QStringLiteral(SELVARO_DATA_DIR)).filePath(QStringLiteral("vemogoc.mdb"));
}

// Fills table with rows copies of one row (values: column -> Jet literal), by doubling.
void fill(db::Database& db, const QString& table, const QStringList& columns, const QStringList& values, int rows)
{
    const QString list = columns.join(QLatin1Char(','));
    db.execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + list + QStringLiteral(") VALUES (") +
               values.join(QLatin1Char(',')) + QStringLiteral(")"));
    int count = 1;
    while (count < rows) {
        const int more = std::min(count, rows - count);
        db.execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + list + QStringLiteral(") SELECT ") +
                   list + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE id <= ") + QString::number(more));
        count += more;
    }
}

// Distinct names: the counter joined to a stem.
void numberNames(db::Database& db, const QString& table, const QString& column, const QString& stem, int offset)
{
    db.execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + column + QStringLiteral(" = ") +
               db::quoteLiteral(stem) + QStringLiteral(" + CStr(id + ") + QString::number(offset) +
               QStringLiteral(")"));
}

struct Files
{
    QTemporaryDir dir;
    QString program, old, letters, schedule, reference, oldReference;
};

Files& files()
{
    static Files f;
    if (!f.old.isEmpty())
        return f;
    f.program = f.dir.path();
    QDir(f.program).mkpath(QStringLiteral("data"));
    f.old = f.dir.filePath(QStringLiteral("cũ/vemocv.mdb"));
    QDir(f.program).mkpath(QStringLiteral("cũ"));
    f.letters = f.dir.filePath(QStringLiteral("data/vemocv.MDB"));
    f.schedule = f.dir.filePath(QStringLiteral("data/vemolich.MDB"));
    f.reference = f.dir.filePath(QStringLiteral("data/vemotk.MDB"));
    f.oldReference = f.dir.filePath(QStringLiteral("cũ/vemotk.mdb"));
    for (const QString& path : {f.old, f.letters, f.schedule, f.reference, f.oldReference})
        sys::copyFile(templateFile(), path);

    db::Database old = db::Database::open(f.old, app::kConnect);
    for (int year = 2009 - kYears + 1; year <= 2009; ++year) {
        const QString table = QStringLiteral("cvden") + QString::number(year);
        app::copyTableStructure(old, old, QStringLiteral("cvdenmau"), table, false);
        fill(old, table,
             {QStringLiteral("stt"), QStringLiteral("ng_den"), QStringLiteral("ng_denchuan"), QStringLiteral("noigui"),
              QStringLiteral("so_cv"), QStringLiteral("loai"), QStringLiteral("dv_nhan"), QStringLiteral("tt_ndung")},
             {QStringLiteral("1"), QStringLiteral("#3/5/2009#"), QStringLiteral("'20090305'"),
              QStringLiteral("'Sở Nội vụ tỉnh'"), QStringLiteral("'15/SNV'"), QStringLiteral("'Công văn'"),
              QStringLiteral("'Phòng Tổ chức, Văn phòng'"),
              QStringLiteral("'Về việc triển khai kế hoạch công tác năm 2009 của các đơn vị trực thuộc'")},
             kLetters);
    }
    old.close();

    db::Database oldReference = db::Database::open(f.oldReference, app::kConnect);
    db::Database reference = db::Database::open(f.reference, app::kConnect);
    for (db::Database* db : {&oldReference, &reference}) {
        const int offset = db == &oldReference ? kListRows / 2 : 0; // half the old names are present
        fill(*db, QStringLiteral("donvi"), {QStringLiteral("tendonvi")}, {QStringLiteral("'x'")}, kListRows);
        numberNames(*db, QStringLiteral("donvi"), QStringLiteral("tendonvi"), QStringLiteral("Ban "), offset);
        fill(*db, QStringLiteral("noigui"), {QStringLiteral("tendonvi")}, {QStringLiteral("'x'")}, kListRows);
        numberNames(*db, QStringLiteral("noigui"), QStringLiteral("tendonvi"), QStringLiteral("Sở "), offset);
        fill(*db, QStringLiteral("bophan"), {QStringLiteral("phong"), QStringLiteral("donvi")},
             {QStringLiteral("'x'"), QStringLiteral("'Văn phòng'")}, kListRows);
        numberNames(*db, QStringLiteral("bophan"), QStringLiteral("phong"), QStringLiteral("Tổ "), offset);
    }
    return f;
}

// The shared state as start-up leaves it, on fresh copies of the files in use.
void openFilesInUse(const Files& f)
{
    app::resetModule1();
    app::Module1& m = app::module1();
    m.programFolder = f.program;
    const QString work = f.dir.filePath(QStringLiteral("data/work"));
    QDir().mkpath(work);
    m.lettersPath = work + QStringLiteral("/vemocv.MDB");
    m.schedulePath = work + QStringLiteral("/vemolich.MDB");
    m.referencePath = m.lettersReferencePath = m.scheduleReferencePath = work + QStringLiteral("/vemotk.mdb");
    sys::copyFile(f.letters, m.lettersPath);
    sys::copyFile(f.schedule, m.schedulePath);
    sys::copyFile(f.reference, m.referencePath);
    m.letters = db::Database::open(m.lettersPath, app::kConnect);
    m.schedule = db::Database::open(m.schedulePath, app::kConnect);
    m.reference = db::Database::open(m.referencePath, app::kConnect);
    m.lettersReference = db::Database::open(m.referencePath, app::kConnect);
    m.scheduleReference = db::Database::open(m.referencePath, app::kConnect);
    m.workingYear = QStringLiteral("2009");
    app::createYearTables(app::module1());
}

int rowCount(db::Database& db, const QString& table)
{
    db::Recordset rs = db.openRecordset(QStringLiteral("select count(*) from ") + table, db::RecordsetType::Snapshot);
    return rs.value(0).toInt();
}

// True when the import put every row where it belongs (a merge that fails is passed over, so
// its time alone proves nothing).
bool imported(const QString& kind)
{
    app::Module1& m = app::module1();
    if (kind == QLatin1String("cv"))
        return rowCount(m.letters, QStringLiteral("cvden2005")) == kLetters &&
               rowCount(m.letters, QStringLiteral("cvden2009")) == kLetters;
    for (const char* list : {"donvi", "noigui", "bophan"}) {
        if (rowCount(m.scheduleReference, QString::fromLatin1(list)) != kListRows + kListRows / 2)
            return false;
    }
    return true;
}

void runImport(benchmark::State& state, const QString& kind, const QString& path, const QString& done)
{
    QuietMessenger messenger;
    app::Messenger* previous = app::setMessenger(&messenger);
    Files& f = files();
    datafiles::ImportHooks hooks;
    hooks.administrator = [] { return true; };
    hooks.chooseFile = [path](const datafiles::OpenFileRequest&) { return path; };
    for (auto _ : state) {
        state.PauseTiming();
        openFilesInUse(f);
        state.ResumeTiming();

        const datafiles::ImportOutcome outcome = datafiles::importOldData(kind, hooks);

        state.PauseTiming();
        if (outcome != datafiles::ImportOutcome::Done || messenger.last != done || !imported(kind)) {
            state.SkipWithError(qPrintable(QStringLiteral("the import failed: ") + messenger.last));
            break;
        }
        app::resetModule1();
        state.ResumeTiming();
    }
    app::setMessenger(previous);
}

void BM_ImportFiveYearsOfLetters(benchmark::State& state)
{
    runImport(state, QStringLiteral("cv"), files().old, QStringLiteral("Đã nhập xong dữ liệu công văn cũ!"));
    state.SetItemsProcessed(state.iterations() * kYears * kLetters);
}
BENCHMARK(BM_ImportFiveYearsOfLetters)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MergeReferenceLists(benchmark::State& state)
{
    runImport(state, QStringLiteral("tk"), files().oldReference, QStringLiteral("Đã nhập xong các bảng tham khảo!"));
    state.SetItemsProcessed(state.iterations() * 3 * kListRows);
}
BENCHMARK(BM_MergeReferenceLists)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
