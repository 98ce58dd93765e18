#pragma once

// The letter counts a benchmark runs at, so that growth shows: 10,000 and 100,000 letters (or the
// benchmark's own defaults) unless SELVARO_BENCH_LETTERS names others ("10000,100000,1000000"). Product and floor
// benchmarks take the same counts; run them with --benchmark_enable_random_interleaving=true and repetitions so that
// both see the same machine.

#include <QByteArray>
#include <QList>
#include <benchmark/benchmark.h>

namespace bench_support {

inline QList<int> letterCounts(const QList<int>& defaults = {10000, 100000})
{
    QList<int> counts;
    const QByteArray wanted = qgetenv("SELVARO_BENCH_LETTERS");
    for (const QByteArray& part : wanted.split(',')) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (ok && n > 0)
            counts << n;
    }
    return counts.isEmpty() ? defaults : counts;
}

// Registers every letter count as the benchmark's first argument (with `extra` as the second
// when given).
inline void perLetterCount(benchmark::internal::Benchmark* b, const QList<int>& extra = {})
{
    for (const int letters : letterCounts()) {
        if (extra.isEmpty()) {
            b->Arg(letters);
        } else {
            for (const int e : extra)
                b->Args({letters, e});
        }
    }
}

} // namespace bench_support
