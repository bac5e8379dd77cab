// One redraw of a crowded tactical view, as a share of a 60 Hz frame.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "TacticalView.h"

namespace {

using namespace velmora;

constexpr double kFrameSeconds = 1.0 / 60;

SharedSubsAndVar CrowdedSky() {
    SharedSubsAndVar s;
    s.ZoomLevel = 50;
    s.Visibility = 50;
    s.MaxRange = 4;
    s.ArenaMode = 1;
    s.OwnSquad = "Hawks";
    // Every contact within the view, spread over it on a spiral.
    for (int i = 0; i < kMaxListCount; ++i) {
        const double angle = i * 2.399963;
        const float r = static_cast<float>(49.0 * std::sqrt((i + 0.5) / kMaxListCount));
        ObjectiveRecord& o = s.ObjectiveList.Append();
        o.X = r * static_cast<float>(std::cos(angle));
        o.Y = r * static_cast<float>(std::sin(angle));
        AircraftRecord& a = s.AircraftList.Append();
        a.X = -o.X;
        a.Y = o.Y;
        a.Squad = i % 2 ? "Hawks" : "Owls";
        a.HeadingSector = static_cast<int16_t>(i % 8);
    }
    return s;
}

void BM_RedrawTacticalView(benchmark::State& state) {
    const SharedSubsAndVar sky = CrowdedSky();
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
