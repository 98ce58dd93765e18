// The double-booking check against a year of 10,000 schedule items (target < 10 ms), and a year
// of 10,000 items written as an iCalendar file (target < 1 s).
#include "registers/schedule/schedule_clash.h"
#include "registers/schedule/week_calendar.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 10000;

QList<registers::ScheduleItem> year()
{
    static const QStringList places = {QStringLiteral("Hội trường tầng 2"), QStringLiteral("Phòng họp số 1"),
                                       QStringLiteral("Trụ sở Uỷ ban"), QStringLiteral("Nhà văn hoá xã")};
    QList<registers::ScheduleItem> items;
    const QDate first(2026, 1, 1);
    for (int i = 0; i < kItems; ++i) {
        registers::ScheduleItem s;
        const QDate day = first.addDays(i * 365 / kItems);
        s.table = QStringLiteral("lich2026");
        s.id = i + 1;
        s.day = day.toString(QStringLiteral("dd/MM/yyyy"));
        s.dayKey = day.toString(QStringLiteral("yyyyMMdd"));
        s.time = i % 7 == 0
                     ? QStringLiteral("Cả ngày")
                     : QString::number(7 + i % 10) + QStringLiteral("h") + (i % 2 ? QStringLiteral("30") : QString());
        s.content = QStringLiteral("Họp bàn triển khai nhiệm vụ số %1 của các phòng, ban; \"gấp\"").arg(i);
        s.place = places.at(i % places.size());
        s.chair = QStringLiteral("Đ/c Phó Chủ tịch %1").arg(i % 5);
        s.preparer = QStringLiteral("Văn phòng");
        s.participants = QStringLiteral("Lãnh đạo các phòng, ban chuyên môn");
        s.note = QStringLiteral("Chuẩn bị tài liệu\ntrước một ngày");
        items << s;
    }
    return items;
}

// A new item on a busy day that clashes with nothing: every item of the year is looked at.
void BM_ClashCheck(benchmark::State& state)
{
    const QList<registers::ScheduleItem> items = year();
    registers::ScheduleItem item = items.at(kItems / 2);
    item.id = 0;
    item.chair = QStringLiteral("Đ/c Bí thư");
    item.place = QStringLiteral("Sân vận động");
    for (auto _ : state)
        benchmark::DoNotOptimize(registers::findClash(item, items));
}
BENCHMARK(BM_ClashCheck)->Unit(benchmark::kMillisecond);

void BM_YearToCalendar(benchmark::State& state)
{
    const QList<registers::ScheduleItem> items = year();
    const QDateTime stamp = QDateTime::currentDateTimeUtc();
    for (auto _ : state)
        benchmark::DoNotOptimize(registers::weekCalendar(items, QStringLiteral("Lịch năm 2026"), stamp));
}
BENCHMARK(BM_YearToCalendar)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
