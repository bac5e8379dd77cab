// One redraw of a crowded tactical view in the real main window, as a share of a 60 Hz frame.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "CrowdedSky.h"
#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "model/SharedSubsAndVar.h"
#include "platform/ScriptedServices.h"

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
        benchmark::DoNotOptimize(form.Surface().constBits());
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.counters["contacts"] = sky.AircraftCount() + sky.ObjectiveCount();
    // 1.0 would be a whole frame spent on one redraw.
    state.counters["frame_share"] =
        elapsed.count() / static_cast<double>(state.iterations()) / kFrameSeconds;
    form.Unload();
}

}  // namespace

BENCHMARK(BM_RedrawInMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
