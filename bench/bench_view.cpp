// One redraw of a crowded tactical view in the real main window, as a share of a 60 Hz frame.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "model/SharedSubsAndVar.h"
#include "platform/ScriptedServices.h"

namespace {

using namespace velmora;

constexpr double kFrameSeconds = 1.0 / 60;

// Every contact within the view, spread over it on a spiral.
void FillSky(SharedSubsAndVar& s) {
    s.ZoomLevel = 50;
    s.Visibility = 50;
    s.MaxRange = 4;
    s.ArenaMode = 1;
    s.OwnSquad = "Hawks";
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
}

void BM_RedrawInMainWindow(benchmark::State& state) {
    SharedSubsAndVar sky;
    ScriptedServices services;
    Windows windows(sky, services);
    GUIForm& form = windows.MainForm();
    form.Show();
    FillSky(sky);
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
