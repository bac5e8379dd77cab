// Rendering the whole picture set from scratch: every SVG parsed and drawn at its pixel size, as
// a fresh registry does when every picture is asked for. Target: well under 50 ms.

#include "Pictures.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include <benchmark/benchmark.h>

namespace {

qsizetype RenderEveryPicture() {
    const velmora::Pictures pictures;
    const QStringList names = pictures.names();
    for (const QString& name : names) {
        benchmark::DoNotOptimize(pictures.get(name).constBits());
    }
    return names.size();
}

void BM_RenderAllPictures(benchmark::State& state) {
    qsizetype count = 0;
    for (auto _ : state) {
        count = RenderEveryPicture();
    }
    state.counters["pictures"] = static_cast<double>(count);
}
BENCHMARK(BM_RenderAllPictures)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    // The first rendering also loads the fonts: time it on its own.
    QElapsedTimer first;
    first.start();
    RenderEveryPicture();
    std::printf("first rendering, fonts loaded with it: %.1f ms\n", first.nsecsElapsed() / 1e6);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
