#pragma once

#include <string>
#include <vector>

#include "core/GameValue.h"

namespace kx {

// What starts a Bock round: a round of as many normal games as players, each
// worth more.
struct BockTriggers {
    bool tie120 = false;            // a 120:120 game (the calculator's card points)
    bool lostSolo = false;          // a solo or a single player's game lost
    bool lostAnnouncement = false;  // "Re" or "Kontra" announced and lost
    bool zeroGame = false;          // a game worth 0
    bool byHand = false;            // "Bock" marked on the game
    bool any() const { return tie120 || lostSolo || lostAnnouncement || zeroGame || byHand; }
    bool operator==(const BockTriggers&) const = default;
};

// What a Bock game is worth: doubled once per level, or 2 more per level.
enum class BockEffect { Double, PlusTwo };
// A trigger in a Bock round: stacks a level onto the next round's games (up to
// maxLevel), adds a round after the pending ones, or is ignored.
enum class BockStacking { Stack, Extend, Ignore };

struct BockRules {
    BockTriggers triggers;
    BockEffect effect = BockEffect::Double;
    BockStacking stacking = BockStacking::Stack;
    int maxLevel = 3;  // 1 Bock, 2 Doppelbock, 3 Dreifachbock
    bool operator==(const BockRules&) const = default;
};

inline constexpr int MAX_BOCK_LEVEL = 3;

// The rules a table plays by, kept with its pad. The defaults are the
// tournament rules without Bock.
struct HouseRules {
    GameValueRules values;
    BockRules bock;
    bool isDefault() const { return *this == HouseRules{}; }
    bool operator==(const HouseRules&) const = default;
};

// "Bock", "Doppelbock", "Dreifachbock" for levels 1..3.
std::string bockName(int level);

// The rules in German, one line each, as printed by "--regeln", on the sheet
// and in the rules window's summary. Only what differs from the tournament
// rules is listed, after a first line that says so.
std::vector<std::string> describeRules(const HouseRules& rules);

}  // namespace kx
