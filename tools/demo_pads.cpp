// Writes the pads of the screenshots in docs/: a 4-player, a 5-player and a
// 6-player evening in mid-play. Usage: demo_pads FOLDER
#include <cstdio>
#include <string>

#include "io/PadFile.h"
#include "support/TestProgram.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

using namespace kx;
using namespace kx::test;

namespace {

void name(Program& p, const char* const* names, int n) {
    for (int k = 1; k <= n; ++k)
        editName(p, k, names[k - 1]);
}

bool fourPlayers(Program& p) {
    const char* names[] = {"Anna", "Bert", "Carla", "Dieter"};
    newPad(p, 4);
    name(p, names, 4);
    const int games[][3] = {{1, 2, 3}, {3, 4, 2}, {1, 3, 5}, {2, 4, 1}, {1, 4, 4},
                            {2, 3, 2}, {1, 2, 0}, {3, 4, 6}, {1, 3, 2}};
    bool ok = true;
    for (const auto& g : games)
        ok = ok && enterPair(p, g[0], g[1], g[2]);
    ok = ok && enterSolo(p, 2, 12) && enterSingle(p, 2, -9) && enterPair(p, 2, 4, 3);
    ok = ok && enterSolo(p, 4, -6) && enterPenalty(p, 3);
    return ok;
}

bool sixPlayers(Program& p) {
    const char* names[] = {"Anna", "Bert", "Carla", "Dieter", "Erika", "Frank"};
    newPad(p, 6);
    name(p, names, 6);
    // Winners are chosen among the players who take part in each game.
    const int games[][3] = {{2, 3, 2}, {3, 4, 1}, {1, 5, 3}, {1, 2, 4}, {2, 6, 2},
                            {1, 3, 0}, {2, 5, 5}, {3, 6, 2}, {4, 6, 1}, {1, 5, 3},
                            {2, 6, 2}, {1, 2, 6}, {4, 5, 2}, {3, 5, 1}};
    bool ok = true;
    for (const auto& g : games)
        ok = ok && enterPair(p, g[0], g[1], g[2]);
    ok = ok && enterSolo(p, 1, 15, 3) && enterSolo(p, 5, -9, 2) && enterSingle(p, 4, 12);
    ok = ok && enterPenalty(p, 2);
    return ok;
}

bool fivePlayers(Program& p) {
    const char* names[] = {"anna", "Bert", "Carla", "Erika", "Gustav"};
    newPad(p, 5);
    name(p, names, 5);
    const int games[][3] = {{2, 3, 2}, {1, 4, 3}, {1, 2, 1}, {2, 5, 4},
                            {1, 3, 2}, {3, 4, 0}, {1, 5, 5}, {2, 4, 2}};
    bool ok = true;
    for (const auto& g : games)
        ok = ok && enterPair(p, g[0], g[1], g[2]);
    return ok && enterSolo(p, 3, -12, 4) && enterSolo(p, 5, 9, 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: demo_pads ORDNER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    TestProgram four, five, six;
    if (!fourPlayers(four.p) || !fivePlayers(five.p) || !sixPlayers(six.p)) {
        std::fprintf(stderr, "demo_pads: an entry was refused\n");
        return 1;
    }
    return writePadFile(four.p, folder + "abend-4.hsc") &&
                   writePadFile(five.p, folder + "abend-5.hsc") &&
                   writePadFile(six.p, folder + "abend-6.hsc")
               ? 0
               : 1;
}
