// The turn file reader against a bare line split of the same bytes, on a turn file at the largest
// counts the format allows (32767 aircraft blocks, 32767 objective blocks), built in memory.
// BM_ReaderOverSplit gives the ratio reader / split (counter "ratio", also printed at the end);
// the target is at most 3. Build with optimisation (CMAKE_BUILD_TYPE=Release or RelWithDebInfo).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "model/TextLines.h"
#include "model/TurnFileReader.h"

namespace {

using velmora::kMaxListCount;

const char* const kCompass[] = {"North", "Northeast", "East", "Southeast",
                                "South", "Southwest", "West", "Northwest"};

std::string LargestTurnFile() {
    std::string t(velmora::kTurnFileHeader);
    t += "\r\n";
    t += "SERVERADDR=turns@skelmar-arena.example\r\nVISIBILITY=20\r\nARENA=2\r\nCEILING=30000\r\n"
         "MAXRANGE=2.5\r\nAIRCRAFT=Kestrel Mk II\r\nTEAM=1\r\nSQUAD=Blue Lancers\r\nX=12.5\r\n"
         "Y=-4.25\r\nHEADING=90\r\nALTITUDE=12000\r\nAIRSPEED=320\r\nVICTORIES=7\r\n"
         "DEFEATS=2\r\nDAMAGEENGINE=0\r\nDAMAGELEFTWING=1\r\nDAMAGERIGHTWING=0\r\n"
         "DAMAGEFUSELAGE=2\r\nDAMAGECONTROLS=0\r\n";
    for (int c = 1; c <= 12; ++c) {
        t += "[COMMAND]\r\nNAME=Custom Command " + std::to_string(c) +
             "\r\nSTR~Target Name\r\nINT~Priority\r\nSTR~Note\r\n[ENDCOMMAND]\r\n";
    }
    char buf[512];
    for (int i = 0; i < kMaxListCount; ++i) {
        const int n = std::snprintf(
            buf, sizeof buf,
            "[AIRCRAFT]\r\nNAME=Pilot Number %d\r\nPIC=P%d\r\nARENA=2\r\nTEAM=%d\r\n"
            "SQUAD=Squadron %d\r\nX=%.2f\r\nY=%.2f\r\nALTITUDE=%d\r\nAIRSPEED=%d\r\n"
            "PLANE=Harrow F.3\r\nHEADING=%s\r\nPVICTORIES=%d\r\nPDEFEATS=%d\r\n[ENDAIRCRAFT]\r\n",
            i, i % 100, 1 + i % 2, i % 40, (i % 4000) / 100.0 - 20, (i % 3700) / 90.0 - 20,
            1000 + (i * 7) % 20000, 200 + i % 150, kCompass[i % 8], i % 30, i % 11);
        t.append(buf, static_cast<std::size_t>(n));
    }
    for (int i = 0; i < kMaxListCount; ++i) {
        const int n =
            std::snprintf(buf, sizeof buf,
                          "[OBJECTIVE]\r\nONAME=Objective %d\r\nOX=%.2f\r\nOY=%.2f\r\nOALT=%.1f\r\n"
                          "[ENDOBJECTIVE]\r\n",
                          i, (i % 3000) / 75.0 - 20, (i % 2900) / 72.5 - 20, (i % 500) * 3.5);
        t.append(buf, static_cast<std::size_t>(n));
    }
    t += "[COMBAT]\r\n";
    for (int i = 0; i < 60; ++i) {
        t += "Pilot Number " + std::to_string(i) + " fired on Pilot Number " +
             std::to_string(i + 1) + " from 1.2 km: 2 hits.\r\n";
    }
    t += "[ENDCOMBAT]\r\n";
    return t;
}

const std::string& Bytes() {
    static const std::string kBytes = LargestTurnFile();
    return kBytes;
}

void BM_ReadTurnData(benchmark::State& st) {
    const std::string& bytes = Bytes();
    velmora::SharedSubsAndVar state;  // one state for the run, as in the program
    for (auto _ : st) {
        const velmora::ReadOutcome o = velmora::ReadTurnData(bytes, state);
        benchmark::DoNotOptimize(o);
        if (o.End != velmora::ReadEnd::Complete || state.AircraftCount() != kMaxListCount ||
            state.ObjectiveCount() != kMaxListCount) {
            st.SkipWithError("the generated file did not read complete");
            break;
        }
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) *
                         static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadTurnData)->Unit(benchmark::kMillisecond);

// The first file of a run: the lists and their texts are built from nothing and freed again.
void BM_ReadTurnDataFreshState(benchmark::State& st) {
    const std::string& bytes = Bytes();
    for (auto _ : st) {
        velmora::SharedSubsAndVar state;
        benchmark::DoNotOptimize(velmora::ReadTurnData(bytes, state));
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) *
                         static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadTurnDataFreshState)->Unit(benchmark::kMillisecond);

// The bare line split: every line's view is taken and touched, nothing else.
int64_t BareLineSplit(const std::string& bytes) {
    velmora::LineCursor cursor(bytes);
    std::string_view line;
    int64_t lines = 0;
    std::size_t chars = 0;
    while (cursor.Next(line)) {
        ++lines;
        chars += line.size();
        benchmark::DoNotOptimize(line.data());
    }
    benchmark::DoNotOptimize(chars);
    return lines;
}

void BM_BareLineSplit(benchmark::State& st) {
    const std::string& bytes = Bytes();
    int64_t lines = 0;
    for (auto _ : st) {
        lines = BareLineSplit(bytes);
    }
    st.counters["lines"] = static_cast<double>(lines);
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) *
                         static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_BareLineSplit)->Unit(benchmark::kMillisecond);

// The ratio itself, from the two timed side by side: each iteration splits the bytes, then reads
// them, so that both see the same machine. On a shared machine a neighbour's load can slow a
// stretch of the run by half, the reader more than the split, so two figures are given:
// "ratio", the median of the iterations' ratios, and "ratio_best", the fastest read over the
// fastest split (the undisturbed cost).
struct RatioFigures {
    double Median = 0;
    double Best = 0;
};
RatioFigures g_lastRatio;  // of the last (the measured) run of BM_ReaderOverSplit

void BM_ReaderOverSplit(benchmark::State& st) {
    using Clock = std::chrono::steady_clock;
    const std::string& bytes = Bytes();
    velmora::SharedSubsAndVar state;
    std::vector<double> ratios;
    double bestSplit = 1e9;
    double bestRead = 1e9;
    for (auto _ : st) {
        const Clock::time_point t0 = Clock::now();
        BareLineSplit(bytes);
        const Clock::time_point t1 = Clock::now();
        benchmark::DoNotOptimize(velmora::ReadTurnData(bytes, state));
        const Clock::time_point t2 = Clock::now();
        const double split = std::chrono::duration<double>(t1 - t0).count();
        const double read = std::chrono::duration<double>(t2 - t1).count();
        ratios.push_back(read / split);
        bestSplit = std::min(bestSplit, split);
        bestRead = std::min(bestRead, read);
    }
    std::sort(ratios.begin(), ratios.end());
    g_lastRatio.Median = ratios.empty() ? 0 : ratios[ratios.size() / 2];
    g_lastRatio.Best = bestRead / bestSplit;
    st.counters["ratio"] = g_lastRatio.Median;
    st.counters["ratio_best"] = g_lastRatio.Best;
}
BENCHMARK(BM_ReaderOverSplit)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
#ifndef __OPTIMIZE__
    std::printf(
        "warning: built without optimisation; configure with CMAKE_BUILD_TYPE=Release or "
        "RelWithDebInfo for figures that mean anything\n");
#endif
    std::printf("turn file: %zu bytes, %d aircraft and %d objective blocks\n", Bytes().size(),
                kMaxListCount, kMaxListCount);
    benchmark::RunSpecifiedBenchmarks();
    if (g_lastRatio.Best > 0) {
        std::printf(
            "reader / bare line split: %.2f fastest over fastest, %.2f median of interleaved "
            "iterations (target <= 3)\n",
            g_lastRatio.Best, g_lastRatio.Median);
    }
    benchmark::Shutdown();
    return 0;
}
