#include "view/Accessibility.h"

#include "core/HouseRules.h"
#include "core/Program.h"

namespace kx {

namespace {

// "Spiel 7", "Solo 2" or "Strafpunkte 1" for pad row i.
std::string rowName(int n, int i) {
    if (i <= 5 * n) return "Spiel " + std::to_string(i);
    if (i <= 6 * n) return "Solo " + std::to_string(i - 5 * n);
    return "Strafpunkte " + std::to_string(i - 6 * n);
}

std::string playerName(const Program& p, int j) {
    const std::string& name = p.pad.playerNames[static_cast<std::size_t>(j)];
    return name.empty() ? "Spieler " + std::to_string(j) : name;
}

std::string cellValue(const std::string& text) {
    if (text.empty()) return "leer";
    if (text == "xxx") return "setzt aus";
    return text;
}

// The player column of an "SP1".."SP6" cell, or 0.
int playerColumn(const Control& c) {
    if (c.name.size() != 3 || c.name[0] != 'S' || c.name[1] != 'P') return 0;
    const int j = c.name[2] - '0';
    return j >= 1 && j <= MAX_PLAYERS ? j : 0;
}

}  // namespace

std::string accessibleName(const Program& p, const Control& c) {
    const int n = p.pad.playerCount;
    const std::string k = std::to_string(c.index);
    if (c.name == "CNT") return rowName(n, c.index);
    if (c.name == "SPL") return rowName(n, c.index) + ", Spieler: " + cellValue(c.text);
    if (c.name == "PKT") {
        // The Bock mark: "B", "2B", "3B".
        const int level = c.mark.empty() ? 0 : c.mark.size() == 1 ? 1 : c.mark[0] - '0';
        return rowName(n, c.index) + ", Punkte: " + cellValue(c.text) +
               (level > 0 ? ", " + bockName(level) : "");
    }
    if (const int j = playerColumn(c))
        return rowName(n, c.index) + ", " + playerName(p, j) + ": " + cellValue(c.text);
    if (c.name == "SPsum") {
        const std::string place =
            c.mark.empty() ? "" : ", Platz " + c.mark.substr(0, c.mark.size() - 1);
        return "Gesamt, " + playerName(p, c.index) + ": " + cellValue(c.text) + place;
    }
    if (c.name == "NMS") return "Spieler " + k;
    if (c.name == "SPF") return "Spalte Spieler";
    if (c.name == "PKF") return "Spalte Punkte";
    if (c.name == "WER1") return "Spiel: " + c.text;
    if (c.name == "WER2") return "Solo: Spieler " + c.text;
    if (c.name == "WER3") return "Strafpunkte: Spieler " + c.text;
    if (c.name == "WAS1" || c.name == "WAS1s") return "Punkte des Spiels";
    if (c.name == "WAS2") return "Punkte des Solos";
    if (c.name == "WIE2") return "Geber des Solos";
    return c.text;
}

Control* labelAt(WindowModel& ui, int x, int y) {
    Control* hit = nullptr;
    for (Control* c : ui.controls()) {
        const Rect& r = c->rect;
        if (c->kind == ControlKind::Label && c->visible && x >= r.left && x < r.left + r.width &&
            y >= r.top && y < r.top + r.height)
            hit = c;  // the last one created lies on top
    }
    return hit;
}

}  // namespace kx
