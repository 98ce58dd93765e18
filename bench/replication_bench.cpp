// Backup replication on a year of 10,000 letters: the run after 10,000 rows were added (inserted
// into an existing backup table), after 10,000 rows were changed (one joined update), and the first
// replication of a new year (the whole table copied into the backup file).
#include "app/core/data_paths.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/table_copy.h"
#include "datafiles/replication.h"
#include "platform/sys/file_ops.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {

constexpr int kRows = 10'000;

class SilentMessenger : public app::Messenger
{
public:
    QString show(const QString&, const QString& kind) override
    {
        if (kind == QLatin1String("ok"))
            failures++;
        return QStringLiteral("ok");
    }
    void closeNotice() override {}
    int failures = 0;
};

// Files prepared once; each iteration starts from copies of them.
struct Files
{
    QTemporaryDir dir;
    QString letters;     // cvden2009 with kRows rows, flags as the scenario needs
    QString backup;      // the backup before the run
    QString workLetters; // the copies an iteration works on
    QString workBackup;
};

QString templateFile()
{
    return QDir(QStringLiteral(SELVARO_DATA_DIR)).filePath(QStringLiteral("vemogoc.mdb"));
}

void fillYear(db::Database& letters, const QString& table, int flag)
{
    app::copyTableStructure(letters, letters, QStringLiteral("cvdenmau"), table, false);
    letters.beginTrans();
    for (int i = 1; i <= kRows; ++i) {
        letters.execute(
            QStringLiteral("INSERT INTO %1 (stt, ng_den, ng_denchuan, noigui, so_cv, ng_cv, ng_cvchuan, loai, "
                           "dv_nhan, cd_dang, mat, tt_ndung, da_xuli, kieuupdate, idcu) VALUES (%2, "
                           "'05/03/2009', '20090305', 'Sở Nội vụ tỉnh', '%2/SNV', '01/03/2009', '20090301', "
                           "'Công văn', 'Phòng Tổ chức, Văn phòng', 'Đảng,NN', 'Thường', "
                           "'Về việc triển khai kế hoạch công tác năm 2009 số %2', False, %3, %2)")
                .arg(table)
                .arg(i)
                .arg(flag));
    }
    letters.commitTrans();
}

enum class Scenario
{
    NewRows,
    ChangedRows,
    NewYear
};

Files& prepared(Scenario scenario)
{
    static Files files[3];
    Files& f = files[static_cast<int>(scenario)];
    if (!f.letters.isEmpty())
        return f;
    f.letters = f.dir.filePath(QStringLiteral("vemocv.mdb"));
    f.backup = f.dir.filePath(QStringLiteral("backup.mdb"));
    f.workLetters = f.dir.filePath(QStringLiteral("work.mdb"));
    f.workBackup = f.dir.filePath(QStringLiteral("workbackup.mdb"));
    sys::copyFile(templateFile(), f.letters);
    db::Database letters = db::Database::open(f.letters, app::kConnect);
    switch (scenario) {
    case Scenario::NewRows:
        // The backup holds the year's table with as many rows already; 10,000 more were added.
        fillYear(letters, QStringLiteral("cvden2009"), 0);
        letters.close();
        sys::copyFile(f.letters, f.backup);
        letters = db::Database::open(f.letters, app::kConnect);
        letters.execute(QStringLiteral("UPDATE cvden2009 SET idcu = idcu + %1").arg(kRows));
        letters.execute(QStringLiteral("UPDATE cvden2009 SET kieuupdate = 1"));
        break;
    case Scenario::ChangedRows:
        fillYear(letters, QStringLiteral("cvden2009"), 0);
        letters.close();
        sys::copyFile(f.letters, f.backup);
        letters = db::Database::open(f.letters, app::kConnect);
        letters.execute(QStringLiteral("UPDATE cvden2009 SET kieuupdate = 2, tt_ndung = 'Đã sửa ' + tt_ndung"));
        break;
    case Scenario::NewYear:
        letters.close();
        sys::copyFile(f.letters, f.backup); // a backup without the new year's table
        letters = db::Database::open(f.letters, app::kConnect);
        fillYear(letters, QStringLiteral("cvden2009"), 1);
        break;
    }
    letters.close();
    return f;
}

void runScenario(benchmark::State& state, Scenario scenario, datafiles::ReplicationOutcome expected)
{
    SilentMessenger messenger;
    app::Messenger* previous = app::setMessenger(&messenger);
    Files& f = prepared(scenario);
    for (auto _ : state) {
        state.PauseTiming();
        app::resetModule1();
        sys::copyFile(f.letters, f.workLetters);
        sys::copyFile(f.backup, f.workBackup);
        app::Module1& m = app::module1();
        m.lettersPath = f.workLetters;
        m.backupPath = f.workBackup;
        m.workingYear = QStringLiteral("2009");
        m.setYearTables();
        m.letters = db::Database::open(f.workLetters, app::kConnect);
        state.ResumeTiming();

        const datafiles::ReplicationOutcome outcome =
            datafiles::replicate(app::module1().incomingTable, datafiles::incomingLetters());

        state.PauseTiming();
        if (outcome != expected || messenger.failures != 0) {
            state.SkipWithError("replication did not do what the scenario expects");
            break;
        }
        app::resetModule1();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    app::setMessenger(previous);
}

void BM_ReplicateAddedRows(benchmark::State& state)
{
    runScenario(state, Scenario::NewRows, datafiles::ReplicationOutcome::RowsCopied);
}
BENCHMARK(BM_ReplicateAddedRows)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReplicateChangedRows(benchmark::State& state)
{
    runScenario(state, Scenario::ChangedRows, datafiles::ReplicationOutcome::RowsCopied);
}
BENCHMARK(BM_ReplicateChangedRows)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CopyWholeYearTable(benchmark::State& state)
{
    runScenario(state, Scenario::NewYear, datafiles::ReplicationOutcome::TableCopied);
}
BENCHMARK(BM_CopyWholeYearTable)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
