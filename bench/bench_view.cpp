// One redraw of a crowded tactical view in the real main window, and one pointer move onto a
// stack of contacts, each as a share of a 60 Hz frame.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "bench/CrowdedSky.h"
#include "bench/WindowBenchmarkMain.h"
#include "model/SharedSubsAndVar.h"
#include "platform/ScriptedServices.h"
#include "tests/platform/FormTestAccess.h"

namespace {

using namespace velmora;

constexpr double kFrameSeconds = 1.0 / 60;

void BM_RedrawInMainWindow(benchmark::State& state) {
    SharedSubsAndVar sky;
    ScriptedServices services;
    Windows windows(sky, services);
    GUIForm& form = windows.MainForm();
    form.Show();
    FillCrowdedSky(sky);
    form.ViewWindow.SetVisible(true);

    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        form.RedrawTacticalView();
        benchmark::DoNotOptimize(FormTestAccess::Surface(form).constBits());
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.counters["contacts"] = sky.AircraftCount() + sky.ObjectiveCount();
    // 1.0 would be a whole frame spent on one redraw.
    state.counters["frame_share"] =
        elapsed.count() / static_cast<double>(state.iterations()) / kFrameSeconds;
    form.Unload();
}

// The pointer onto a stack of every contact a turn can hold, 32767 aircraft and 32767
// objectives on one spot 2 km east: each is shown in turn within the one pointer move.
void BM_PointAtStackInMainWindow(benchmark::State& state) {
    SharedSubsAndVar sky;
    ScriptedServices services;
    Windows windows(sky, services);
    GUIForm& form = windows.MainForm();
    form.Show();
    sky.ZoomLevel = 10;
    sky.Visibility = 10;
    sky.MaxRange = 4;
    for (int i = 0; i < kMaxListCount; ++i) {
        ObjectiveRecord& o = sky.ObjectiveList.Append();
        o.X = 2;
        o.Name = "Depot " + std::to_string(i);
        AircraftRecord& a = sky.AircraftList.Append();
        a.X = 2;
        a.Name = "Pilot " + std::to_string(i);
        a.Squad = i % 2 ? "Hawks" : "Owls";
    }
    form.ViewWindow.SetVisible(true);

    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        sky.SelectedAircraft = 0;
        form.LastObjective = 0;
        form.ViewWindow_MouseMove(0, 0, 2964 - 120, 2520 - 120);
        benchmark::DoNotOptimize(FormTestAccess::Surface(form).constBits());
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (sky.SelectedAircraft != kMaxListCount) {
        state.SkipWithError("the pointer did not reach the stack");
    }
    state.counters["contacts"] = sky.AircraftCount() + sky.ObjectiveCount();
    // 1.0 would be a whole frame spent on one pointer move.
    state.counters["frame_share"] =
        elapsed.count() / static_cast<double>(state.iterations()) / kFrameSeconds;
    form.Unload();
}

}  // namespace

BENCHMARK(BM_RedrawInMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PointAtStackInMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    return velmora::RunWindowBenchmarks(argc, argv);
}
