// Rendering the whole picture set from scratch: every SVG parsed and drawn at its pixel size, as
// the registry does once at start-up. Target: well under 50 ms.

#include "Pictures.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include <benchmark/benchmark.h>

static void BM_RenderAllPictures(benchmark::State& state) {
    qsizetype count = 0;
    for (auto _ : state) {
        const QList<velmora::NamedPicture> pictures = velmora::renderAllPictures();
        count = pictures.size();
        benchmark::DoNotOptimize(pictures.constData());
    }
    state.counters["pictures"] = static_cast<double>(count);
}
BENCHMARK(BM_RenderAllPictures)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    // The program's one rendering at start-up also loads the fonts: time it on its own.
    QElapsedTimer first;
    first.start();
    velmora::renderAllPictures();
    std::printf("first rendering, fonts loaded with it: %.1f ms\n", first.nsecsElapsed() / 1e6);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
