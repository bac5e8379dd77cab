// The whole picture set as a fresh registry gives it out when every picture is asked for
// (unpacking the pixels embedded when the program was built), beside rendering it from its
// drawings, as the build does.

#include <QGuiApplication>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "pictures/PictureDefs.h"
#include "pictures/PictureRenderer.h"
#include "pictures/Pictures.h"

namespace {

void BM_UnpackAllPictures(benchmark::State& state) {
    qsizetype count = 0;
    for (auto _ : state) {
        const velmora::Pictures pictures;
        const QStringList names = pictures.Names();
        for (const QString& name : names) {
            benchmark::DoNotOptimize(pictures.get(name).constBits());
        }
        count = names.size();
    }
    state.counters["pictures"] = static_cast<double>(count);
}
BENCHMARK(BM_UnpackAllPictures)->Unit(benchmark::kMillisecond);

void BM_RenderAllPictures(benchmark::State& state) {
    const std::vector<velmora::PictureDef> defs = velmora::PictureDefs();
    for (auto _ : state) {
        velmora::PictureRenderer renderer;
        for (const velmora::PictureDef& def : defs) {
            benchmark::DoNotOptimize(renderer.Render(def).constBits());
        }
    }
    state.counters["pictures"] = static_cast<double>(defs.size());
}
BENCHMARK(BM_RenderAllPictures)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
