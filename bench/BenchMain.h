#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

// The main() of every benchmark program: the Qt application it needs (offscreen unless a
// platform is chosen), then Google Benchmark.
template <class App> int runBenchmarks(int argc, char** argv, bool widgets = false)
{
    if (widgets && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
