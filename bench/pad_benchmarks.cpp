// Every entry must feel instant at the card table: the work behind one "OK",
// one correction and one load stays far below a frame. The statistics read a
// folder of 1,000 evenings in well under a second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

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

// A whole six-player evening on a new pad: the normal games, a solo by each
// player and three penalties, 39 entries, each recorded for undo. Returns
// whether every entry was taken.
bool playEvening(Program& p) {
    fillSixPlayerPad(p);
    bool taken = p.pad.gamesComplete;
    for (int k = 1; k <= 3; ++k)
        taken = enterPenalty(p, k) && taken;
    for (int k = 1; k <= 6; ++k)
        taken = enterSolo(p, k, 3, k % 6 + 1) && taken;
    return taken;
}

// The logic's whole evening, with undo recording, no disk; the history's
// bytes per entry come along as a counter.
void WholeEvening(benchmark::State& state) {
    TestProgram t;
    t.p.pad.autosaveEnabled = false;
    std::size_t bytesPerEntry = 0;
    for (auto _ : state) {
        const bool taken = playEvening(t.p);
        state.PauseTiming();
        if (!taken) {
            state.SkipWithError("entry refused");
            break;
        }
        bytesPerEntry = t.p.history.bytes() / std::max<std::size_t>(t.p.history.undoSteps(), 1);
        t.p.history = EditHistory();
        state.ResumeTiming();
    }
    state.counters["history_bytes_per_entry"] = static_cast<double>(bytesPerEntry);
}
BENCHMARK(WholeEvening)->Unit(benchmark::kMicrosecond);

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
    playEvening(t.p);
    for (auto _ : state) {
        undoChange(t.p);
        redoChange(t.p);
    }
    state.counters["history_bytes"] = static_cast<double>(t.p.history.bytes());
}
BENCHMARK(UndoAndRedo);

}  // namespace

// With --full-pad FILE, writes the pad of playEvening for the start-up
// measurements instead of timing.
int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--full-pad") {
        TestProgram t;
        t.p.pad.autosaveEnabled = false;
        return playEvening(t.p) && writePadFile(t.p, argv[2]) ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
