#pragma once

#include <string>

#include "view/WindowModel.h"

namespace kx {

struct Program;

// What a screen reader says for a control of the main window: a pad cell
// names its row, its player and its value ("Spiel 7, Anna: 12"), a name field
// its player's number, a choice what it chooses. Both skins use these names.
std::string accessibleName(const Program& p, const Control& c);

// The visible label at (x, y) of the drawing area at scale 1, for skins that
// paint the labels themselves and hit-test clicks; nullptr when there is none.
Control* labelAt(WindowModel& ui, int x, int y);

}  // namespace kx
