// Writes the pads the fuzzer of the pad reader starts from (fuzz/corpus): valid
// pads of 4, 5 and 6 players, fresh, partial and full, with and without exact
// values, so that a short fuzzer run starts past the reader's checks.
// Usage: corpus_pads FOLDER
#include <cstdio>
#include <string>

#include "io/PadFile.h"
#include "support/TestProgram.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

using namespace kx;
using namespace kx::test;

namespace {

// Plays `games` normal games, a solo of each of the first `solos` players and
// `penalties` penalties, with values that vary; `big` raises every value so
// that the totals leave the byte range.
bool play(Program& p, int n, int games, int solos, int penalties, bool big) {
    newPad(p, n);
    bool ok = true;
    for (int s = 1; s <= solos; ++s) {
        const int dealer = n == 4 ? 0 : s % n + 1;
        ok = ok && enterSolo(p, s, (s % 2 ? 1 : -1) * 3 * (big ? 13 : s), dealer);
    }
    for (int g = 0; g < games && ok; ++g) {
        int winners[2] = {0, 0};
        for (int k = 1, found = 0; k <= n && found < 2; ++k) {
            // The same winners again and again drive the totals out of the byte range.
            const int seat = big ? k : (k + g) % n + 1;
            if (takesPart(n, seat, p.pad.dealer, p.pad.secondSitOut) && seat != winners[0])
                winners[found++] = seat;
        }
        ok = enterPair(p, std::min(winners[0], winners[1]), std::max(winners[0], winners[1]),
                       big ? 18 : g % 19);
    }
    for (int k = 1; k <= penalties && ok; ++k)
        ok = enterPenalty(p, k);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: corpus_pads ORDNER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    struct Sample {
        const char* name;
        int n, games, solos, penalties;
        bool big;
    };
    const Sample samples[] = {
        {"frisch-4", 4, 0, 0, 0, false}, {"teil-4", 4, 7, 2, 1, false},
        {"voll-4", 4, 20, 4, 3, false},  {"teil-5", 5, 11, 3, 2, false},
        {"voll-5", 5, 25, 5, 3, false},  {"teil-6", 6, 13, 4, 1, false},
        {"voll-6", 6, 30, 6, 3, false},  {"exakt-4", 4, 12, 1, 0, true},
        {"exakt-6", 6, 30, 6, 2, true},
    };
    for (const Sample& sample : samples) {
        TestProgram t;
        if (!play(t.p, sample.n, sample.games, sample.solos, sample.penalties, sample.big)) {
            std::fprintf(stderr, "corpus_pads: an entry of %s was refused\n", sample.name);
            return 1;
        }
        if (sample.big) {
            const char* names[] = {
                "",           "J\xC3\xBCrgen", "K\xC3\xA4the", "\xC3\x96zlem", "Bj\xC3\xB6rn",
                "Sa\xC3\xAF", "Gro\xC3\x9F"};
            for (int k = 1; k <= sample.n; ++k)
                editName(t.p, k, names[k]);
        }
        if (!writePadFile(t.p, folder + sample.name + ".hsc")) return 1;
    }
    return 0;
}
