// The work-plan register on a year of 20,000 plans built here: opening the list ordered by start
// and end, a search with two text criteria and the urgent and not-finished flags (beside the same
// SELECT on raw SQLite), and printing all 20,000 plans to PDF.
// Targets: list < 200 ms, search within 2x raw SQLite, print < 10 s.
#include "raw_sqlite.h"

#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/reference_recordsets.h"
#include "app/core/table_copy.h"
#include "register_program.h"
#include "registers/form_registry.h"
#include "registers/plans/frmgridcongviec.h"
#include "registers/plans/frmtracuukh.h"
#include "registers/plans/plan_forms.h"
#include "ui_frmtracuukh.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kPlans = 20000;

// A program folder whose plans file holds the year 2026 with kPlans plans.
class Program : public bench_support::RegisterProgram
{
public:
    Program() : RegisterProgram({"brkehoach.rpt"})
    {
        app::Module1& m = app::module1();
        app::copyTableStructure(m.schedule, m.schedule, QStringLiteral("kehoachmau"), m.plansTable, false);
        fill();
        registers::registerPlanForms();
    }

    QString plansPath() const { return app::module1().schedulePath; }

private:
    void fill()
    {
        static const QStringList units = {QStringLiteral("Văn phòng"), QStringLiteral("Phòng Tổ chức"),
                                          QStringLiteral("Phòng Tài chính"), QStringLiteral("Ban Tuyên giáo")};
        app::Module1& m = app::module1();
        db::Recordset rs = m.schedule.openRecordset(m.plansTable);
        m.schedule.beginTrans();
        for (int i = 1; i <= kPlans; ++i) {
            const int month = 1 + (i * 12 / (kPlans + 1));
            const int day = 1 + i % 27;
            const auto date = [&](int d) {
                return QStringLiteral("%1/%2/2026").arg(d, 2, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
            };
            rs.addNew();
            rs.setValue(QStringLiteral("Tendonvi"), units.at(i % units.size()));
            rs.setValue(QStringLiteral("ndungtt"), (i % 3 ? QStringLiteral("Báo cáo tình hình quý %1")
                                                          : QStringLiteral("Triển khai nhiệm vụ số %1"))
                                                       .arg(i));
            rs.setValue(QStringLiteral("Tgianbdau"), date(day));
            rs.setValue(
                QStringLiteral("Tgianbdauchuan"),
                QStringLiteral("2026%1%2").arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0')));
            rs.setValue(QStringLiteral("Tgiankthuc"), date(day + 1));
            rs.setValue(
                QStringLiteral("Tgiankthucchuan"),
                QStringLiteral("2026%1%2").arg(month, 2, 10, QLatin1Char('0')).arg(day + 1, 2, 10, QLatin1Char('0')));
            rs.setValue(QStringLiteral("canbo"), QStringLiteral("Nguyễn Văn An"));
            rs.setValue(QStringLiteral("ketqua"), QString(300, QLatin1Char('x')));
            rs.setValue(QStringLiteral("khan"), i % 4 == 0);
            rs.setValue(QStringLiteral("ketthuc"), i % 3 == 0);
            rs.update();
        }
        m.schedule.commitTrans();
    }
};

Program& program()
{
    static Program p;
    return p;
}

registers::PlansListForm* list()
{
    return registers::form<registers::PlansListForm>(QStringLiteral("frmgridcongviec"));
}
registers::PlansSearchForm* search()
{
    return registers::form<registers::PlansSearchForm>(QStringLiteral("frmtracuukh"));
}

void BM_OpenListByStartAndEnd(benchmark::State& state)
{
    program();
    const QString table = app::module1().plansTable;
    for (auto _ : state) {
        list()->openList(table, registers::planListSource(table));
        benchmark::DoNotOptimize(list()->Data1->recordset().recordCount());
        state.PauseTiming();
        list()->hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenListByStartAndEnd)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SearchTwoTextsAndFlags(benchmark::State& state)
{
    program();
    search()->open();
    search()->cmdxoa_Click();
    search()->ui().mban->setText(QStringLiteral("Phòng"));
    search()->ui().mndungtt->setText(QStringLiteral("báo cáo"));
    search()->ui().chkkhan->setChecked(true);
    search()->ui().chkchuahthanh->setChecked(true);
    int hits = 0;
    for (auto _ : state) {
        search()->cmdtracuu_Click();
        hits = list()->Data1->recordset().recordCount();
    }
    state.counters["hits"] = hits;
}
BENCHMARK(BM_SearchTwoTextsAndFlags)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SearchRawSqlite(benchmark::State& state)
{
    program();
    sqlite3* db = nullptr;
    sqlite3_open_v2(program().plansPath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const char* sql = "SELECT * FROM kehoach2026 WHERE tendonvi LIKE '%Phòng%' AND ndungtt LIKE '%báo cáo%' "
                      "AND khan = 1 AND ketthuc = 0 ORDER BY tgianbdauchuan || tgiankthucchuan";
    int hits = 0;
    for (auto _ : state) {
        hits = bench_support::countRows(db, sql);
    }
    sqlite3_close(db);
    state.counters["hits"] = hits;
}
BENCHMARK(BM_SearchRawSqlite)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_PrintAllPlans(benchmark::State& state)
{
    program();
    const QString table = app::module1().plansTable;
    list()->openList(table, registers::planListSource(table));
    int pages = 0;
    for (auto _ : state) {
        list()->cmdin_Click();
        pages = list()->CrystalReport1.lastResult().pageCount;
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintAllPlans)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runRegisterBenchmarks(argc, argv);
}
