// Opening a turn file of huge texts in the real main window: a 5 MB squadron name for the own
// aircraft and for one other aircraft. What the window adds beyond the bare read, and one
// pointer move onto that aircraft and back onto the own icon, each as a share of a 60 Hz frame. The
// counter "beyond_read_frames" is the median over the iterations of (open - read) / frame, where
// each iteration times a bare read and an open through the window side by side; "point_frames" is
// and "own_frames" the median pointer moves. All should stay well below 1.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "bench/WindowBenchmarkMain.h"
#include "model/SharedSubsAndVar.h"
#include "model/TurnFileReader.h"
#include "platform/ScriptedServices.h"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

constexpr double kFrameSeconds = 1.0 / 60;
constexpr std::size_t kHugeText = 5u << 20;

std::string Repeated(std::string_view words) {
    std::string text;
    text.reserve(kHugeText + words.size());
    while (text.size() < kHugeText) {
        text += words;
    }
    return text;
}

// The own aircraft at the origin, zoom 10; the aircraft 2 km east, its picture centred at
// (2964, 2520) twips on the window.
std::string HugeTurnFile() {
    std::string t(kTurnFileHeader);
    t += "\r\nVISIBILITY=10\r\nMAXRANGE=4\r\nX=0\r\nY=0\r\nHEADING=90\r\nALTITUDE=3000\r\n";
    t += "AIRCRAFT=Kestrel\r\nTEAM=1\r\nSQUAD=" + Repeated("Lancers of the Blue ") + "\r\n";
    t += "[AIRCRAFT]\r\nNAME=Ilse Marrow\r\nPIC=IM\r\nTEAM=2\r\nSQUAD=" +
         Repeated("Owls of the Red ") +
         "\r\nX=2\r\nY=0\r\nALTITUDE=3000\r\nPLANE=Harrow\r\nHEADING=West\r\n[ENDAIRCRAFT]\r\n";
    return t;
}

double Median(std::vector<double> v) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A scratch folder as the current directory, with the turn file and a pilot file in it, so
// that no login window comes up after a read.
struct Scratch {
    Scratch() {
        Previous = QDir::currentPath();
        QDir::setCurrent(Folder.path());
        QFile pilot(QStringLiteral("npdata.vsd"));
        pilot.open(QIODevice::WriteOnly);
        pilot.write("\"Ace\"\r\n\"pw\"\r\n");
        pilot.close();
        QFile file(Path());
        file.open(QIODevice::WriteOnly);
        const std::string bytes = HugeTurnFile();
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    ~Scratch() { QDir::setCurrent(Previous); }
    QString Path() const { return Folder.filePath(QStringLiteral("huge.smv")); }

    QTemporaryDir Folder;
    QString Previous;
};

void BM_OpenBeyondRead(benchmark::State& st) {
    Scratch scratch;
    const std::string path = QFile::encodeName(scratch.Path()).toStdString();
    SharedSubsAndVar state;
    ScriptedServices services;
    Windows windows(state, services);
    GUIForm& form = windows.MainForm();
    form.Show();
    form.Unlock();

    SharedSubsAndVar bare;
    std::vector<double> beyond;
    for (auto _ : st) {
        const Clock::time_point t0 = Clock::now();
        const ReadOutcome read = ReadTurnFile(path, bare);
        const Clock::time_point t1 = Clock::now();
        services.QueueFileChoice(scratch.Path());
        form.menuOpen_Click();
        QCoreApplication::processEvents();
        const Clock::time_point t2 = Clock::now();
        if (read.End != ReadEnd::Complete || !form.PName.Visible()) {
            st.SkipWithError("the turn file did not open");
            break;
        }
        const double readSeconds = std::chrono::duration<double>(t1 - t0).count();
        const double openSeconds = std::chrono::duration<double>(t2 - t1).count();
        beyond.push_back((openSeconds - readSeconds) / kFrameSeconds);
    }
    st.counters["beyond_read_frames"] = Median(beyond);
    st.counters["file_MB"] = static_cast<double>(QFile(scratch.Path()).size()) / (1 << 20);
    form.Unload();
}
BENCHMARK(BM_OpenBeyondRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_PointAtHugeSquadron(benchmark::State& st) {
    Scratch scratch;
    SharedSubsAndVar state;
    ScriptedServices services;
    Windows windows(state, services);
    GUIForm& form = windows.MainForm();
    form.Show();
    form.Unlock();
    services.QueueFileChoice(scratch.Path());
    form.menuOpen_Click();

    std::vector<double> toAircraft, toOwn;
    for (auto _ : st) {
        // Onto the aircraft (relative to the map picture), then back onto the own icon.
        const Clock::time_point t0 = Clock::now();
        form.ViewWindow_MouseMove(0, 0, 2964 - 120, 2520 - 120);
        const Clock::time_point t1 = Clock::now();
        form.CntrFighter_MouseMove(0, 0, 180, 180);
        const Clock::time_point t2 = Clock::now();
        if (state.SelectedAircraft != 0 ||
            form.PName.Caption() != QStringLiteral("Your Aircraft")) {
            st.SkipWithError("the pointer did not show the aircraft and the own aircraft");
            break;
        }
        toAircraft.push_back(std::chrono::duration<double>(t1 - t0).count() / kFrameSeconds);
        toOwn.push_back(std::chrono::duration<double>(t2 - t1).count() / kFrameSeconds);
    }
    st.counters["point_frames"] = Median(toAircraft);
    st.counters["own_frames"] = Median(toOwn);
    form.Unload();
}
BENCHMARK(BM_PointAtHugeSquadron)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return velmora::RunWindowBenchmarks(argc, argv);
}
