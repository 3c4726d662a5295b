#include "view/RulesWindow.h"

#include "core/Bock.h"
#include "core/Program.h"
#include "io/PadFile.h"
#include "view/Extras.h"
#include "view/History.h"
#include "view/Journal.h"

namespace kx {

namespace {

std::string gamesText(int n) {
    return std::to_string(n) + (n == 1 ? " Spiel" : " Spiele");
}

void putRules(Program& p, const HouseRules& rules) {
    PadState& pad = p.pad;
    pad.houseRules = rules;
    if (rules.isDefault()) {
        // The defaults keep nothing besides the table: the file stays as it always was.
        pad.bockMarks.clear();
        pad.soloAfter.clear();
    } else {
        // Solos entered under the defaults count as played after the games so far.
        for (int row = pad.lastGameRow + 1; row < pad.nextSoloRow; ++row)
            pad.soloAfter.emplace(row, pad.nextGameRow - 1);
    }
    recomputePad(p);
    noteLine(p, JournalKind::Rules, "Hausregeln ge\xC3\xA4ndert");
    ++p.shell.changesSinceSave;
    if (pad.autosaveEnabled) autosave(p);
}

}  // namespace

std::string RulesWindowModel::effectText(const Program& p) const {
    if (!p.pad.padOpen()) return "";
    const int n = gamesChangedBy(p.pad, rules);
    return n == 0 ? "\xC3\x84ndert keine eingetragenen Spiele."
                  : "\xC3\x84ndert " + gamesText(n) + ".";
}

RulesWindowModel openRulesWindow(const Program& p) {
    return {p.pad.houseRules};
}

bool changeHouseRules(Program& p, const HouseRules& rules) {
    if (!p.pad.padOpen() || rules == p.pad.houseRules) return false;
    const int n = gamesChangedBy(p.pad, rules);
    if (n > 0 && p.services.dialogs &&
        p.services.dialogs->messageBox(
            "Mit den neuen Hausregeln \xC3\xA4ndern sich " + gamesText(n) +
                " und alle Zwischenst\xC3\xA4nde danach. "
                "\xC3\x9C"
                "bernehmen?",
            "Kartotrix", MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return false;
    return recordChange(p, "Hausregeln", [&] { putRules(p, rules); });
}

bool rulesWindowOk(Program& p, const RulesWindowModel& w) {
    return w.rules == p.pad.houseRules || changeHouseRules(p, w.rules);
}

void houseRulesCommand(Program& p) {
    if (!p.pad.padOpen()) return;
    RulesWindowModel w = openRulesWindow(p);
    if (p.services.extras && p.services.extras->showHouseRules(p, w)) return;
    if (p.services.dialogs)
        p.services.dialogs->messageBox(
            "Das bietet diese Oberfl\xC3\xA4"
            "che nicht an.",
            "Kartotrix", MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace kx
