// One redraw of a crowded tactical view, as a share of a 60 Hz frame.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "bench/CrowdedSky.h"
#include "model/TacticalView.h"

namespace {

using namespace velmora;

constexpr double kFrameSeconds = 1.0 / 60;

void BM_RedrawTacticalView(benchmark::State& state) {
    SharedSubsAndVar sky;
    FillCrowdedSky(sky);
    const ViewGeometry geometry;
    std::size_t ops = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const std::vector<DrawOp> drawn = RedrawTacticalView(sky, geometry);
        ops = drawn.size();
        benchmark::DoNotOptimize(drawn.data());
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.counters["ops"] = static_cast<double>(ops);
    // 1.0 would be a whole frame spent on one redraw.
    state.counters["frame_share"] =
        elapsed.count() / static_cast<double>(state.iterations()) / kFrameSeconds;
}

}  // namespace

BENCHMARK(BM_RedrawTacticalView)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
