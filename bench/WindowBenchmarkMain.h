#pragma once
// The main() of the benchmarks that open real windows: Qt's offscreen platform unless another
// is chosen, so that they run on a machine without a display.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace velmora {

inline int RunWindowBenchmarks(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
#ifndef __OPTIMIZE__
    std::printf(
        "warning: built without optimisation; configure with CMAKE_BUILD_TYPE=Release or "
        "RelWithDebInfo for figures that mean anything\n");
#endif
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace velmora
