#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/HouseRules.h"

namespace kx {

struct PadState;
struct Program;

// Bock rounds are derived from the games every time, never kept as a
// counter: after every entry, correction, undo, load and rule change the pad
// is recomputed from its games' base values and triggers.

// One game as the Bock rules see it, in the order the games were played.
struct BockGame {
    int row = 0;
    bool normal = true;    // a normal game; solos and penalties are no Bock games
    bool trigger = false;  // the game starts a Bock round
};

struct BockPlan {
    std::map<int, int> levels;  // normal-game row → its Bock level, for levels above 0
    std::vector<int> ahead;     // the levels of the next normal games, in order
    bool operator==(const BockPlan&) const = default;
};

// Which normal game is a Bock game at which level. A round is `roundLength`
// normal games (as many as players); a trigger in a Bock game or while Bock
// games are pending stacks, extends or is ignored as the rules say.
BockPlan deriveBock(const std::vector<BockGame>& games, const BockRules& rules, int roundLength);

// A game's value with Bock at `level`: doubled per level, or 2 more per
// level (for a single player 2 more from each of the three others). Kept
// within the largest value a game may have.
int bockValue(int base, int level, bool singlePlayer, BockEffect effect);

// What a row holds: its player cell (one player or 10 × first + second) and value.
struct RowGame {
    int players = 0;
    int value = 0;
    bool operator==(const RowGame&) const = default;
};

// The pad's games in played order with their triggers, the derived plan, and
// what every entered normal-game and solo row holds when recomputed under the
// pad's house rules (the calculator's rows from their inputs, Bock applied).
struct PadRecompute {
    std::vector<BockGame> games;
    BockPlan plan;
    std::map<int, RowGame> base;  // before Bock
    std::map<int, RowGame> rows;  // with Bock
};
PadRecompute recomputeOf(const PadState& pad);
PadRecompute recomputeOf(const PadState& pad, const HouseRules& rules);

// How many entered games would change their players or value under `rules`.
int gamesChangedBy(const PadState& pad, const HouseRules& rules);

// Brings the table in line with the pad's games and rules: every row that
// differs is corrected through the later rows of its section, the base
// values of Bock rows are kept, and the pad is rebuilt when anything
// changed. Updates the Bock marks of the pad and status panel 3. Returns how
// many rows changed.
int recomputePad(Program& p);

// The Bock level of an entered normal-game row (0 for none).
int bockLevelOf(const PadState& pad, int row);
// The level the next normal game will have (0 for none).
int nextBockLevel(const PadState& pad);
// "Bock: noch 3 Spiele", "Doppelbock: noch 2": the coming Bock games at the
// next game's level, within the normal games left; empty when none.
std::string bockStatusText(const PadState& pad);

}  // namespace kx
