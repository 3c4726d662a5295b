#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/GameValue.h"

namespace kx {

struct PadState;
struct Program;

// A game entered through the value calculator keeps its inputs with its row,
// so the pad can show and print how its value came about.
struct Reckoning {
    int re1 = 0, re2 = 0;  // the Re players; equal for one player alone or a soloist
    GamePlay play;
    bool operator==(const Reckoning&) const = default;
};

// What the calculator enters for a reckoning in a row whose game is dealt by
// `dealer` (with `second` sitting out too at six players): the row's player
// cell (one player, or 10 × first + second winner) and its value. Nothing
// when the game has no value (impossible inputs, a single player's 0).
struct ReckonedRow {
    int players = 0;
    int value = 0;
    bool operator==(const ReckonedRow&) const = default;
};
std::optional<ReckonedRow> reckonedRow(const Reckoning& r, int playerCount, int dealer, int second,
                                       const GameValueRules& rules = {});

// Whether the row holds what its reckoning gives under the pad's house rules,
// before any Bock.
bool reckoningMatches(const PadState& pad, int row, const Reckoning& r);

// The reckoning of an entered row, one German line per item, headed by the
// row ("Spiel 5: Kontra gewinnt 5"); empty when the row has none.
std::vector<std::string> rowReckoning(const PadState& pad, int row);

// The calculator's inputs go with the next entry "OK" makes, until the user
// changes a choice of the panel.
void setPendingReckoning(Program& p, const Reckoning& r);

}  // namespace kx
