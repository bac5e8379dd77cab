// The 3-D map in the real window: one full redraw replayed on its surface, at a busy turn and at
// the largest turn file, and a left drag through the real mouse handler, each as a share of a
// 60 Hz frame.

#include <benchmark/benchmark.h>

#include <QMouseEvent>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "GUI/view3d/frmThreeD.h"
#include "bench/CrowdedSky.h"
#include "bench/WindowBenchmarkMain.h"
#include "model/SharedSubsAndVar.h"
#include "platform/ScriptedServices.h"
#include "tests/platform/FormTestAccess.h"
#include "view3d/ThreeDMap.h"

namespace {

using namespace velmora;

constexpr double kFrameSeconds = 1.0 / 60;

// 1,000 labelled aircraft at mixed altitudes within Visibility 10.
void FillBusyTurn(SharedSubsAndVar& s) {
    s.Visibility = 10;
    s.ZoomLevel = 10;
    s.Ceiling = 30000;
    s.OwnAltitude = 12000;
    s.ArenaMode = 1;
    s.OwnSquad = "Hawks";
    for (int i = 0; i < 1000; ++i) {
        const double angle = i * 2.399963;
        const auto r = static_cast<float>(9.5 * std::sqrt((i + 0.5) / 1000));
        AircraftRecord& a = s.AircraftList.Append();
        a.X = r * static_cast<float>(std::cos(angle));
        a.Y = r * static_cast<float>(std::sin(angle));
        a.Altitude = static_cast<int16_t>(1000 + (i * 37) % 25000);
        a.Squad = i % 2 ? "Hawks" : "Owls";
        a.HeadingSector = static_cast<int16_t>(i % 8);
        a.Pic = "P" + std::to_string(i % 100);
    }
}

// The largest turn file, spread over the grid of Visibility 1000.
void FillLargestTurn(SharedSubsAndVar& s) {
    FillCrowdedSky(s);
    s.Visibility = 1000;
    s.Ceiling = 30000;
    for (int i = 1; i <= s.AircraftCount(); ++i) {
        s.AircraftList(i).X *= 20;
        s.AircraftList(i).Y *= 20;
    }
    for (int i = 1; i <= s.ObjectiveCount(); ++i) {
        s.ObjectiveList(i).X *= 20;
        s.ObjectiveList(i).Y *= 20;
    }
}

// The largest number of aircraft, each with a label of its own of extra characters more.
template <std::size_t extra>
void FillLabels(SharedSubsAndVar& s) {
    FillBusyTurn(s);
    s.AircraftList.Clear();
    for (int i = 0; i < kMaxListCount; ++i) {
        const double angle = i * 2.399963;
        const auto r = static_cast<float>(9.5 * std::sqrt((i + 0.5) / kMaxListCount));
        AircraftRecord& a = s.AircraftList.Append();
        a.X = r * static_cast<float>(std::cos(angle));
        a.Y = r * static_cast<float>(std::sin(angle));
        a.Pic = std::to_string(i) + std::string(extra, 'W');
    }
}

struct OpenMap {
    SharedSubsAndVar sky;
    ScriptedServices services;
    Windows windows{sky, services};

    template <class Fill>
    explicit OpenMap(Fill fill) {
        windows.MainForm().Show();
        fill(sky);
        windows.ThreeD().Show(&windows.MainForm());
    }
    ~OpenMap() { windows.MainForm().Unload(); }
    frmThreeD& Map() { return windows.ThreeD(); }
};

void ReportShare(benchmark::State& state, std::chrono::steady_clock::time_point start,
                 double eventsPerIteration = 1) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    // 1.0 would be a whole frame spent on one redraw (or one move event).
    state.counters["frame_share"] = elapsed.count() / static_cast<double>(state.iterations()) /
                                    eventsPerIteration / kFrameSeconds;
}

template <class Fill>
void RedrawInWindow(benchmark::State& state, Fill fill, PresetView view) {
    OpenMap open(fill);
    frmThreeD& map = open.Map();
    ApplyPreset(map.Scene, view);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        map.Redraw();
        benchmark::DoNotOptimize(FormTestAccess::Surface(map).constBits());
    }
    ReportShare(state, start);
    state.counters["objects"] = open.sky.AircraftCount() + open.sky.ObjectiveCount() + 1;
}

void BM_ThreeDRedraw_1000Contacts(benchmark::State& state) {
    RedrawInWindow(state, FillBusyTurn, static_cast<PresetView>(state.range(0)));
}

void BM_ThreeDRedraw_32767Labels(benchmark::State& state) {
    RedrawInWindow(state, FillLabels<0>, static_cast<PresetView>(state.range(0)));
}

// Labels of 2,000 characters and more: only what can show of each is printed.
void BM_ThreeDRedraw_32767LongLabels(benchmark::State& state) {
    RedrawInWindow(state, FillLabels<2000>, static_cast<PresetView>(state.range(0)));
}

void BM_ThreeDRedraw_LargestTurnVisibility1000(benchmark::State& state) {
    RedrawInWindow(state, FillLargestTurn, static_cast<PresetView>(state.range(0)));
}

// The drawing steps alone, without the window.
void BM_ThreeDSteps_LargestTurnVisibility1000(benchmark::State& state) {
    SharedSubsAndVar sky;
    FillLargestTurn(sky);
    ThreeDScene scene;
    BuildScene(scene, sky);
    RedrawBuffers drawing;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        Redraw(scene, sky, {5400, 5700}, drawing);
        benchmark::DoNotOptimize(drawing.Steps.data());
    }
    ReportShare(state, start);
    state.counters["steps"] = static_cast<double>(drawing.Steps.size());
}

// 100 move events with the left button held, sent to the map's drawing area as Qt delivers
// them: each turns or tilts the view and redraws.
template <class Fill>
void LeftDrag(benchmark::State& state, Fill fill) {
    OpenMap open(fill);
    QWidget* area = FormTestAccess::InnerArea(open.Map());
    constexpr int kEvents = 100;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (int i = 0; i < kEvents; ++i) {
            const QPointF at(40 + (i % 2) * 5, 60 + (i % 3) * 4);
            QMouseEvent move(QEvent::MouseMove, at, area->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(area, &move);
        }
        benchmark::DoNotOptimize(FormTestAccess::Surface(open.Map()).constBits());
    }
    ReportShare(state, start, kEvents);
}

void BM_ThreeDLeftDrag_1000Contacts(benchmark::State& state) {
    LeftDrag(state, FillBusyTurn);
}

void BM_ThreeDLeftDrag_LargestTurnVisibility1000(benchmark::State& state) {
    LeftDrag(state, FillLargestTurn);
}

constexpr auto kTopDown = static_cast<int64_t>(PresetView::TopDown);
constexpr auto kWorld = static_cast<int64_t>(PresetView::World);
constexpr auto kSide = static_cast<int64_t>(PresetView::SouthLookingNorth);

}  // namespace

BENCHMARK(BM_ThreeDRedraw_1000Contacts)
    ->Arg(kTopDown)
    ->Arg(kWorld)
    ->Arg(kSide)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ThreeDRedraw_LargestTurnVisibility1000)
    ->Arg(kTopDown)
    ->Arg(kWorld)
    ->Arg(kSide)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ThreeDRedraw_32767Labels)->Arg(kTopDown)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThreeDRedraw_32767LongLabels)
    ->Arg(kTopDown)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ThreeDSteps_LargestTurnVisibility1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThreeDLeftDrag_1000Contacts)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThreeDLeftDrag_LargestTurnVisibility1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char** argv) {
    return velmora::RunWindowBenchmarks(argc, argv);
}
