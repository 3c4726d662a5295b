#pragma once

#include <string>
#include <vector>

#include "view/WindowModel.h"

namespace kx {

struct Program;

// The neutral colour of the pad: the window behind it, and name fields and
// totals that have no place colour.
inline constexpr Rgb padBackColour{255, 255, 255};

struct RowSlot {
    std::string label;  // "1".."30", "S1".."S6", "StP"
    int top = 0;
};

// Label and top of every row of the pad for n players, and the top of the
// totals line. Rows come in blocks of n with a 2-pixel gap after each block.
struct RowLayout {
    int rowHeight = 0;
    std::vector<RowSlot> rows;  // rows[i - 1] is pad row i
    int totalsTop = 0;
};
const RowLayout& rowLayoutTable(int n);

int padWidthFor(int n);

// Advances the counter of laid-out player cells and gives "xxx" when that cell
// of a normal-game row belongs to a player who sits out (the dealer at five
// players; the dealer and the seat before at six), the empty text otherwise.
std::string nextSitOutMark(int& sitOutCellCount, int n);

// Starts an empty pad for n players: resets the pad and the entry panel, lays
// out the rows and widens the window.
void newPad(Program& p, int n);

}  // namespace kx
