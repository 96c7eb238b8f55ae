#pragma once
// The windows' benchmarks run offscreen, with no window's closing ending the
// run; `beforeExit` lets go of what must go before the program's statics.
#include "platform/forms/window.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <functional>

namespace qvbench {

inline int runOffscreen(int argc, char** argv, const std::function<void()>& beforeExit)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    qv::Windows::setOnLastClosed([] {});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    beforeExit();
    return 0;
}

} // namespace qvbench
