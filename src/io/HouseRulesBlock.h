#pragma once

#include <map>
#include <optional>
#include <set>

#include "core/HouseRules.h"
#include "io/PadFile.h"

namespace kx {

// The house rules in the pad file: the checked block "KXHR", written when the
// rules differ from the defaults or a game is marked "Bock". Its payload:
// the nine switches of the game value (announcements double, point for under
// 120, against the queens, Doppelkopf, fox caught, Karlchen, Karlchen caught,
// Dulle caught, fox in the last trick), the five Bock triggers (120:120, lost
// solo, lost announcement, 0-point game, by hand), the effect (0 doubled,
// 1 plus two), the stacking (0 stack, 1 extend, 2 ignore) and the highest
// level (1..3), a byte each; then three lists, each a 16-bit count: the base
// value of each Bock row (row byte, signed 16-bit value), the rows marked
// "Bock" (a byte each), and for each solo row the normal games entered
// before it (two bytes).
extern const BlockKind HOUSE_RULES_BLOCK;

// What the block holds.
struct HouseData {
    HouseRules rules;
    std::map<int, int> bockBase;
    std::set<int> bockMarks;
    std::map<int, int> soloAfter;
    bool operator==(const HouseData&) const = default;
};

// The house data of a read pad; the defaults when it has no block.
HouseData houseDataOf(const PadImage& image);

}  // namespace kx
