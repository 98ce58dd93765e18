// The week view on a schedule year of 10,000 items built here (about 190 in a week): opening the
// view on a week, stepping forward one week at a time through the year, and printing a week to PDF.
// Targets: each step < 30 ms; printing a week < 1 s.
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/reference_recordsets.h"
#include "app/core/table_copy.h"
#include "register_program.h"
#include "registers/form_registry.h"
#include "registers/schedule/frmgridtuan.h"
#include "registers/schedule/schedule_forms.h"
#include "registers/schedule/schedule_record.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 10000;

// A program folder whose schedule file holds the year 2026 with kItems items.
class Program : public bench_support::RegisterProgram
{
public:
    Program() : RegisterProgram({"brlichtuan.rpt"})
    {
        app::Module1& m = app::module1();
        app::copyTableStructure(m.schedule, m.schedule, QStringLiteral("lichmau"), m.scheduleTable, false);
        fill();
        registers::registerScheduleForms();
    }

private:
    void fill()
    {
        static const QStringList places = {QStringLiteral("Hội trường tầng 2"), QStringLiteral("Phòng họp số 1"),
                                           QStringLiteral("Trụ sở Uỷ ban"), QStringLiteral("Nhà văn hoá xã")};
        app::Module1& m = app::module1();
        db::Recordset rs = m.schedule.openRecordset(m.scheduleTable);
        m.schedule.beginTrans();
        const QDate first(2026, 1, 1);
        for (int i = 0; i < kItems; ++i) {
            const QDate day = first.addDays(i * 365 / kItems);
            const QString time =
                QString::number(7 + i % 10) + QStringLiteral("h") + (i % 2 ? QStringLiteral("30") : QString());
            rs.addNew();
            rs.setValue(QStringLiteral("ngay"), day.toString(QStringLiteral("dd/MM/yyyy")));
            rs.setValue(QStringLiteral("ngaychuan"), day.toString(QStringLiteral("yyyyMMdd")));
            rs.setValue(QStringLiteral("gio"), time);
            rs.setValue(QStringLiteral("giochuan"), registers::timeKey(time));
            rs.setValue(QStringLiteral("ndung"),
                        QStringLiteral("Họp bàn triển khai nhiệm vụ số %1 của các phòng, ban").arg(i));
            rs.setValue(QStringLiteral("diadiem"), places.at(i % places.size()));
            rs.setValue(QStringLiteral("nguoictri"), QStringLiteral("Đ/c Chủ tịch"));
            rs.setValue(QStringLiteral("nguoicbi"), QStringLiteral("Văn phòng"));
            rs.setValue(QStringLiteral("thanhphan"), QStringLiteral("Lãnh đạo các phòng, ban chuyên môn"));
            rs.update();
        }
        m.schedule.commitTrans();
    }
};

registers::WeekViewForm* view()
{
    static Program p;
    return registers::form<registers::WeekViewForm>(QStringLiteral("frmgridtuan"));
}

void BM_OpenWeekView(benchmark::State& state)
{
    registers::WeekViewForm* v = view();
    for (auto _ : state) {
        v->openWeek(QDate(2026, 6, 17));
        benchmark::DoNotOptimize(v->Data1->recordset().recordCount());
    }
    state.counters["rows"] = v->Data1->recordset().recordCount();
}
BENCHMARK(BM_OpenWeekView)->Unit(benchmark::kMillisecond)->Iterations(10);

// One iteration is one step: 52 steps forward from the first week of the year.
void BM_StepWeekForward(benchmark::State& state)
{
    registers::WeekViewForm* v = view();
    v->openWeek(QDate(2026, 1, 5));
    for (auto _ : state) {
        v->cmdsau_Click();
        benchmark::DoNotOptimize(v->Data1->recordset().recordCount());
    }
    state.counters["last_monday"] = v->week().monday.toJulianDay() - QDate(2026, 1, 5).toJulianDay();
}
BENCHMARK(BM_StepWeekForward)->Unit(benchmark::kMillisecond)->Iterations(52);

void BM_PrintWeek(benchmark::State& state)
{
    registers::WeekViewForm* v = view();
    v->openWeek(QDate(2026, 6, 17));
    int pages = 0;
    for (auto _ : state) {
        v->Cmdinlich_Click();
        pages = v->CrystalReport1.lastResult().pageCount;
    }
    state.counters["rows"] = v->Data1->recordset().recordCount();
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintWeek)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runRegisterBenchmarks(argc, argv);
}
