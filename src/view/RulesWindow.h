#pragma once

#include <string>
#include <vector>

#include "core/HouseRules.h"

namespace kx {

struct Program;

// The window "Hausregeln…" as data: the rules being edited, taken from the
// open pad when it opens; "OK" puts them into the pad.
struct RulesWindowModel {
    HouseRules rules;
    // What "OK" would change, for the window's last line: "Ändert 3 Spiele."
    std::string effectText(const Program& p) const;
};

RulesWindowModel openRulesWindow(const Program& p);

// Puts new house rules into the open pad as one undoable step ("Hausregeln").
// When entered games change, it first asks, naming how many; No keeps the
// old rules. Returns whether the rules were changed.
bool changeHouseRules(Program& p, const HouseRules& rules);

}  // namespace kx
