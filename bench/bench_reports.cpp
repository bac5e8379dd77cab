// Opening the combat report: a real report against reports of 20 MiB from a broken or hostile
// turn file, one line or many. The box shows a bounded part, so the huge ones cost a small
// multiple of the real one, not seconds.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "GUI/reports/frmCombatReport.h"
#include "bench/WindowBenchmarkMain.h"
#include "model/SharedSubsAndVar.h"
#include "platform/ScriptedServices.h"

namespace {

using namespace velmora;

std::string RealReport() {
    return "--- Turn 14 combat report ---\r\n"
           "Corin Vale (Red Vipers) fired on you from 1.2 km: 3 hits.\r\n"
           "  Left wing: light damage.\r\n"
           "  Fuselage: heavy damage.\r\n"
           "You fired on Ilse Marrow from 1.8 km: 2 hits, no damage reported.\r\n"
           "Tamsin Reyes shot down Garreth Pyle (Red Vipers).\r\n"
           "\r\n"
           "Weather: clear, wind 10 km/h from the west.\r\n";
}

std::string HugeReport(bool oneLine) {
    const std::size_t size = std::size_t{20} << 20;
    if (oneLine) {
        return std::string(size, 'x') + "\r\n";
    }
    const std::string line = std::string(78, 'x') + "\r\n";
    std::string text;
    text.reserve(size);
    while (text.size() < size) {
        text += line;
    }
    return text;
}

void OpenCombatReport(benchmark::State& state, const std::string& report) {
    SharedSubsAndVar turn;
    ScriptedServices services;
    Windows windows(turn, services);
    GUIForm& main = windows.MainForm();
    main.Show();
    turn.CombatText = report;
    frmCombatReport& combat = windows.CombatReport();
    for (auto _ : state) {
        combat.Show(&main);
        QCoreApplication::processEvents();
        combat.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    main.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_OpenRealReport(benchmark::State& state) {
    OpenCombatReport(state, RealReport());
}
void BM_OpenHugeOneLineReport(benchmark::State& state) {
    OpenCombatReport(state, HugeReport(true));
}
void BM_OpenHugeManyLineReport(benchmark::State& state) {
    OpenCombatReport(state, HugeReport(false));
}

}  // namespace

BENCHMARK(BM_OpenRealReport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenHugeOneLineReport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenHugeManyLineReport)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    return velmora::RunWindowBenchmarks(argc, argv);
}
