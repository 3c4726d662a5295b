#include "view/RowMenu.h"

#include "core/Bock.h"
#include "core/Correction.h"
#include "core/Program.h"
#include "core/Reckoning.h"
#include "view/Commands.h"

namespace kx {

namespace {

constexpr const char* HINT = "Strg+Klick oder Rechtsklick: korrigieren";

bool isRowLabel(const Control& c) {
    if (c.name == "CNT" || c.name == "SPL" || c.name == "PKT") return true;
    return c.name.size() == 3 && c.name.starts_with("SP") && c.name[2] >= '1' && c.name[2] <= '6';
}

bool entered(const Program& p, int row) {
    const PadState& pad = p.pad;
    return pad.padOpen() && row >= 1 && row <= pad.lastPenaltyRow() && row <= LAST_PAD_ROW &&
           pad.gameTable[static_cast<std::size_t>(row)][0] != EMPTY_CELL;
}

// "Doppelbock: Grundwert 3, eingetragen 12" for a Bock game, and a line for
// a game marked "Bock" by hand; empty for every other row.
std::string bockLines(const PadState& pad, int row) {
    std::string lines;
    if (const int level = bockLevelOf(pad, row); level > 0) {
        const auto base = pad.bockBase.find(row);
        const int entered = pad.gameTable[static_cast<std::size_t>(row)][1];
        lines += bockName(level) + ": Grundwert " +
                 std::to_string(base == pad.bockBase.end() ? entered : base->second) +
                 ", eingetragen " + std::to_string(entered) + "\n";
    }
    if (pad.houseRules.bock.triggers.byHand && pad.bockMarks.count(row) > 0)
        lines += "Bock von Hand markiert: l\xC3\xB6st eine Bockrunde aus\n";
    return lines;
}

}  // namespace

int padRowOf(const Control& c) {
    return isRowLabel(c) ? c.index : 0;
}

std::vector<RowMenuEntry> rowMenu(const Program& p, int row) {
    if (!entered(p, row)) return {};
    const bool enabled = correctable(p, row);
    return {{RowMenuCommand::Points, "Punkte \xC3\xA4ndern\xE2\x80\xA6", enabled},
            {RowMenuCommand::Players, "Spieler \xC3\xA4ndern\xE2\x80\xA6", enabled}};
}

void rowMenuChosen(Program& p, int row, RowMenuCommand command) {
    if (!p.ui.frm0.enabled || !entered(p, row)) return;
    if (command == RowMenuCommand::Points)
        PKT_MouseDown(p, row, 2, CTRL_BIT, 0, 0);
    else
        SPL_MouseDown(p, row, 2, CTRL_BIT, 0, 0);
}

int keyboardMenuRow(const Program& p) {
    const int row = p.pad.lastEntryRow;
    return entered(p, row) ? row : 0;
}

std::string padToolTip(const Program& p, const Control& c) {
    const int row = padRowOf(c);
    if (!c.visible || !entered(p, row)) return "";
    // The points of a calculated game show how they came about.
    std::string reckoning = bockLines(p.pad, row);
    if (c.name == "PKT") {
        for (const std::string& line : rowReckoning(p.pad, row))
            reckoning += line + "\n";
    }
    if (correctable(p, row)) return reckoning + HINT;
    if (row > p.pad.lastSoloRow) return "Strafpunkte lassen sich nicht korrigieren.";
    return reckoning + "Korrigieren ist ausgeschaltet (Optionen \xE2\x80\xBA Zeile \xC3\xA4ndern).";
}

}  // namespace kx
