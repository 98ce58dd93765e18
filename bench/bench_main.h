#pragma once

// The main of a benchmark: the Qt application it needs (QCoreApplication, or QGuiApplication /
// QApplication on the offscreen platform unless QT_QPA_PLATFORM says otherwise), then Google
// Benchmark with the command line's options. `before` runs once after both are set up, `after`
// once the benchmarks ran, while the application still stands.

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <type_traits>

namespace bench_support {

template <typename Application>
int runBenchmarks(int argc, char** argv, void (*before)() = nullptr, void (*after)() = nullptr)
{
    if constexpr (!std::is_same_v<Application, QCoreApplication>) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (before)
        before();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (after)
        after();
    return 0;
}

} // namespace bench_support
