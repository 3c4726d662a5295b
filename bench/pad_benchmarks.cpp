// Every entry must feel instant at the card table: the work behind one "OK",
// one correction and one load stays far below a frame. The statistics read a
// folder of 1,000 evenings in well under a second.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/Correction.h"
#include "io/PadFile.h"
#include "io/Statistics.h"
#include "support/TestProgram.h"
#include "view/History.h"
#include "view/PadLayout.h"
#include "view/QuickEntry.h"

using namespace kx;
using namespace kx::test;

namespace {

// A six-player pad with every normal game entered.
void fillSixPlayerPad(Program& p) {
    newPad(p, 6);
    for (int game = 0; game < 30; ++game) {
        const int dealer = p.pad.dealer;
        int a = dealer % 6 + 1;
        int b = a % 6 + 1;
        if (b == previousSeat(dealer)) b = b % 6 + 1;
        enterPair(p, std::min(a, b), std::max(a, b), game % 7);
    }
}

// One normal game through the entry panel; argument 1 with the autosave file written.
void EnterGame(benchmark::State& state) {
    TestProgram t;
    t.p.pad.autosaveEnabled = state.range(0) != 0;
    newPad(t.p, 4);
    for (auto _ : state) {
        if (t.p.pad.gamesComplete) {
            state.PauseTiming();
            newPad(t.p, 4);
            state.ResumeTiming();
        }
        if (!enterPair(t.p, 1, 2, 3)) state.SkipWithError("entry refused");
    }
}
BENCHMARK(EnterGame)->Arg(0)->Arg(1);

void CorrectFirstGame(benchmark::State& state) {
    TestProgram t;
    t.p.pad.autosaveEnabled = false;
    fillSixPlayerPad(t.p);
    int value = 1;
    for (auto _ : state) {
        t.dialogs.inputAnswers.push_back(std::to_string(value++ % 18 + 1));
        PKT_MouseDown(t.p, 1, 1, 2, 0, 0);
    }
}
BENCHMARK(CorrectFirstGame);

void LoadFullPad(benchmark::State& state) {
    TestProgram t;
    fillSixPlayerPad(t.p);
    const Bytes bytes = encodePadFile(t.p);
    for (auto _ : state) applyPadImage(t.p, *decodePadFile(bytes).image);
}
BENCHMARK(LoadFullPad);

// Reads, checks and sums up 1,000 full six-player pads, each a different evening.
void StatisticsOf1000Pads(benchmark::State& state) {
    TestProgram t;
    t.p.pad.autosaveEnabled = false;
    fillSixPlayerPad(t.p);
    Bytes bytes = encodePadFile(t.p);
    const std::string folder = t.file("abende");
    std::filesystem::create_directory(folder);
    for (int i = 0; i < 1000; ++i) {
        bytes[18] = static_cast<std::uint8_t>(i);  // the start time tells the evenings apart
        bytes[19] = static_cast<std::uint8_t>(i >> 8);
        putFile(folder + "/abend-" + std::to_string(i) + ".hsc", bytes);
    }
    for (auto _ : state) {
        const Statistics s = collectStatistics(*t.files, folder);
        if (s.evenings != 1000) state.SkipWithError("not every pad was counted");
        benchmark::DoNotOptimize(s.players.data());
    }
}
BENCHMARK(StatisticsOf1000Pads)->Unit(benchmark::kMillisecond);
// The quick-entry preview runs on every key typed.
void PreviewQuickEntry(benchmark::State& state) {
    TestProgram t;
    fillSixPlayerPad(t.p);
    for (auto _ : state) benchmark::DoNotOptimize(previewQuickEntry(t.p, "s 3 -6 5"));
}
BENCHMARK(PreviewQuickEntry);

void UndoAndRedo(benchmark::State& state) {
    TestProgram t;
    t.p.pad.autosaveEnabled = false;
    fillSixPlayerPad(t.p);
    for (auto _ : state) {
        undoChange(t.p);
        redoChange(t.p);
    }
    state.counters["snapshot_bytes"] = static_cast<double>(snapshotBytes(takeSnapshot(t.p)));
}
BENCHMARK(UndoAndRedo);

}  // namespace

BENCHMARK_MAIN();
