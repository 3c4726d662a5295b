#pragma once

#include <string>
#include <vector>

#include "core/HouseRules.h"
#include "view/ValueWindow.h"

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

inline constexpr const char* RULES_WINDOW_TITLE = "Hausregeln";

// The window's fields, in the order of the Tab key, with the kinds and
// rectangles of the window "Spielwert" (view/ValueWindow.h): a check box per
// switch, choices for "Re"/"Kontra", the Bock effect and the stacking, a
// list of the highest Bock level, the rules in words, what "OK" would change,
// and the buttons "ok" and "abbrechen". The Bock effect and the stacking can
// be chosen only while some trigger is on, the highest level only when
// rounds stack.
ValueWindowView rulesWindowView(const Program& p, const RulesWindowModel& w);
// The user changed field `name` to `value` (a check box 0 or 1, a choice 1
// when it was chosen, the list its item). A field that cannot be used, and
// an unknown name, change nothing.
void rulesWindowInput(RulesWindowModel& w, const std::string& name, int value);
// "OK": the rules go into the pad through changeHouseRules. True when the
// window closes: the rules were taken or nothing changed; false when the
// user kept the old rules at the question (the window stays open).
bool rulesWindowOk(Program& p, const RulesWindowModel& w);

// The menu entry "Hausregeln…"; nothing without an open pad.
void houseRulesCommand(Program& p);

}  // namespace kx
