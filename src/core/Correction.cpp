#include "core/Correction.h"

#include <algorithm>
#include <cmath>

#include "core/Bock.h"
#include "core/EntryPanel.h"
#include "core/Program.h"
#include "core/Reckoning.h"
#include "io/PadFile.h"
#include "view/History.h"

namespace kx {

namespace {

constexpr const char* CAPTION = "Kartotrix";
constexpr int CTRL_SHIFT = 2;  // the shift bits of a Ctrl+click

int& cell(Program& p, int r, int player) {
    return p.pad.gameTable[static_cast<std::size_t>(r)][static_cast<std::size_t>(player + 1)];
}

bool playedIn(const Program& p, int k, int s) {
    const int n = p.pad.playerCount;
    if (n == 5) return k != s;
    if (n == 6) return k != s && k != previousSeat(s);
    return true;
}

// The entered row a Ctrl+click may correct, with its game's facts.
struct Target {
    int row = 0;
    int lastRow = 0;   // last entered row of the section
    int a = 0, b = 0;  // players; equal for a single player
    int sitOut = 0;
    bool solo = false;  // a mandatory solo row
};

std::optional<Target> target(const Program& p, int row, int shift) {
    const PadState& pad = p.pad;
    if (!pad.rowChangeEnabled || shift != CTRL_SHIFT) return std::nullopt;
    if (row < 1 || row > pad.lastSoloRow) return std::nullopt;
    Target t;
    t.row = row;
    if (row <= pad.lastGameRow) {
        if (row >= pad.nextGameRow) return std::nullopt;
        t.lastRow = pad.nextGameRow - 1;
    } else {
        if (row >= pad.nextSoloRow) return std::nullopt;
        t.lastRow = pad.nextSoloRow - 1;
        t.solo = true;
    }
    const GameRow& cells = pad.gameTable[static_cast<std::size_t>(row)];
    if (cells[0] == EMPTY_CELL || cells[1] == EMPTY_CELL) return std::nullopt;
    if (cells[0] > 6) {
        t.a = cells[0] / 10;
        t.b = cells[0] % 10;
    } else {
        t.a = t.b = cells[0];
    }
    t.sitOut = cells[8] == EMPTY_CELL ? 0 : cells[8];
    return t;
}

std::optional<std::string> ask(Program& p, const std::string& prompt) {
    if (!p.services.dialogs) return std::nullopt;
    std::optional<std::string> answer = p.services.dialogs->inputBox(CAPTION, prompt);
    if (!answer || answer->empty()) return std::nullopt;
    return answer;
}

// The answer as a number, or a message and nothing.
std::optional<int> askNumber(Program& p, const std::string& prompt) {
    const std::optional<std::string> answer = ask(p, prompt);
    if (!answer) return std::nullopt;
    const std::optional<int> value = parseAnswer(*answer);
    if (!value) {
        p.services.dialogs->messageBox(
            "\xE2\x80\x9E" + *answer +
                "\xE2\x80\x9C ist keine Zahl. Es wurde nichts ge\xC3\xA4ndert.",
            CAPTION, MessageButtons::Ok, MessageIcon::Warning);
    }
    return value;
}

// Carries the change through the rows of the section. A loaded pad may hold
// large running totals; a change that would carry one beyond what a pad file
// accepts is refused before anything is changed.
bool moveResult(Program& p, const Target& t, int oldValue, int newValue, int newA, int newB) {
    const GameTable before = p.pad.gameTable;
    for (int r = t.row; r <= t.lastRow; ++r) {
        if (t.a != t.b) {
            applyPairChange(p, r, -oldValue, t.a, t.b, t.sitOut);
            applyPairChange(p, r, newValue, newA, newB, t.sitOut);
        } else {
            applySoloChange(p, r, -oldValue, t.a, t.sitOut);
            applySoloChange(p, r, newValue, newA, t.sitOut);
        }
        for (int k = 1; k <= p.pad.playerCount; ++k) {
            const int total = cell(p, r, k);
            if (total < -MAX_CELL_VALUE || total > MAX_CELL_VALUE) {
                p.pad.gameTable = before;
                p.services.dialogs->messageBox(
                    "Diese Korrektur erg\xC3\xA4"
                    "be einen Stand au\xC3\x9F"
                    "erhalb von \xC2\xB1" +
                        std::to_string(MAX_CELL_VALUE) + " Punkten. Es wurde nichts geändert.",
                    CAPTION, MessageButtons::Ok, MessageIcon::Stop);
                return false;
            }
        }
    }
    return true;
}

enum class InputsAfter { Keep, Drop, Cancel };

// A row entered through the value calculator keeps its inputs while the
// corrected players and value still follow from them; otherwise they are
// dropped, after asking when `ask` is set.
InputsAfter inputsAfter(Program& p, int row, int players, int value, bool ask) {
    const auto found = p.pad.reckonings.find(row);
    if (found == p.pad.reckonings.end()) return InputsAfter::Keep;
    const GameRow& cells = p.pad.gameTable[static_cast<std::size_t>(row)];
    const std::optional<ReckonedRow> still =
        reckonedRow(found->second, p.pad.playerCount, cells[8], cells[9], p.pad.houseRules.values);
    if (still && *still == ReckonedRow{players, value}) return InputsAfter::Keep;
    if (!ask || !p.services.dialogs) return InputsAfter::Drop;
    const std::string game = row > p.pad.lastGameRow
                                 ? "Solo " + std::to_string(row - p.pad.lastGameRow)
                                 : "Spiel " + std::to_string(row);
    const MessageAnswer answer = p.services.dialogs->messageBox(
        game +
            " wurde mit dem Spielwert-Rechner eingetragen, und seine Rechnung passt nicht zu "
            "der Korrektur. Korrigieren und die Rechnung verwerfen?",
        CAPTION, MessageButtons::YesNo, MessageIcon::Question);
    return answer == MessageAnswer::Yes ? InputsAfter::Drop : InputsAfter::Cancel;
}

int playerCell(int a, int b) {
    return a == b ? a : 10 * std::min(a, b) + std::max(a, b);
}

void finish(Program& p) {
    ++p.shell.changesSinceSave;
    rebuildPad(p);
    recomputePad(p);
    if (p.pad.autosaveEnabled) autosave(p);
}

bool playersAdmissible(const Program& p, const Target& t, int p1, int p2) {
    const auto admissible = [&](int player) {
        return player >= 1 && player <= p.pad.playerCount && playedIn(p, player, t.sitOut);
    };
    return admissible(p1) && admissible(p2) && ((t.a != t.b) == (p1 != p2));
}

// The mandatory-solo mark moves with a corrected soloist: the old soloist
// may play it again, the new one has played it.
void moveSoloMark(Program& p, int oldSoloist, int newSoloist) {
    WindowModel& ui = p.ui;
    const bool singlesFollowSolos = !p.pad.gamesComplete && p.pad.playerCount < 6;
    ui.WER2(oldSoloist).visible = !p.pad.solosComplete;
    if (singlesFollowSolos) ui.WER1(15 + oldSoloist).visible = false;
    ui.WER2(newSoloist).visible = false;
    if (singlesFollowSolos) ui.WER1(15 + newSoloist).visible = true;
}

}  // namespace

bool correctable(const Program& p, int row) {
    return target(p, row, 2).has_value();
}

std::optional<int> parseAnswer(const std::string& text) {
    std::size_t i = 0;
    const auto blank = [&text](std::size_t k) { return text[k] == ' ' || text[k] == '\t'; };
    while (i < text.size() && blank(i))
        ++i;
    std::size_t end = text.size();
    while (end > i && blank(end - 1))
        --end;
    const std::string number = text.substr(i, end - i);
    std::size_t k = 0;
    if (k < number.size() && (number[k] == '-' || number[k] == '+')) ++k;
    std::size_t digits = 0;
    for (; k < number.size() && number[k] >= '0' && number[k] <= '9'; ++k)
        ++digits;
    if (k < number.size() && (number[k] == '.' || number[k] == ',')) {
        for (++k; k < number.size() && number[k] >= '0' && number[k] <= '9'; ++k)
            ++digits;
    }
    if (digits == 0 || k != number.size() || digits > 9) return std::nullopt;
    return textValue(number);
}

void applyPairChange(Program& p, int r, int d, int p1, int p2, int s) {
    cell(p, r, p1) += d;
    cell(p, r, p2) += d;
    for (int k = 1; k <= p.pad.playerCount; ++k) {
        if (k != p1 && k != p2 && playedIn(p, k, s)) cell(p, r, k) -= d;
    }
}

void applySoloChange(Program& p, int r, int d, int player, int s) {
    cell(p, r, player) += d;
    for (int k = 1; k <= p.pad.playerCount; ++k) {
        if (k != player && playedIn(p, k, s))
            cell(p, r, k) -= static_cast<int>(std::lround(d / 3.0));
    }
}

namespace {

// "Korrektur Spiel 3", "Korrektur Solo 1": what undo names a correction of the row.
std::string correctionLabel(const PadState& pad, int row) {
    if (row > pad.lastGameRow) return "Korrektur Solo " + std::to_string(row - pad.lastGameRow);
    return "Korrektur Spiel " + std::to_string(row);
}

void changeValue(Program& p, int row, int shift) {
    const std::optional<Target> t = target(p, row, shift);
    if (!t) return;
    const std::optional<int> n =
        askNumber(p, "Ergebnis des " + std::to_string(row) + ". Spieles \xC3\xA4ndern");
    if (!n) return;
    Dialogs& dialogs = *p.services.dialogs;
    if (*n < -MAX_GAME_VALUE || *n > MAX_GAME_VALUE) {
        dialogs.messageBox(
            "Ein Spiel z\xC3\xA4hlt h\xC3\xB6"
            "chstens " +
                std::to_string(MAX_GAME_VALUE) + " Punkte. Es wurde nichts ge\xC3\xA4ndert.",
            CAPTION, MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    if (*n == 0 &&
        dialogs.messageBox("Ergebnis 0? Stimmt das wirklich", CAPTION, MessageButtons::YesNo,
                           MessageIcon::Question) != MessageAnswer::Yes)
        return;
    const int old = p.pad.gameTable[static_cast<std::size_t>(row)][1];
    if (t->a == t->b && (*n == 0 || *n % 3 != 0)) {
        dialogs.messageBox("Kein Solo-Ergebnis! Abbruch.", CAPTION, MessageButtons::Ok,
                           MessageIcon::Stop);
        return;
    }
    const InputsAfter inputs = inputsAfter(p, row, playerCell(t->a, t->b), *n, true);
    if (inputs == InputsAfter::Cancel) return;
    if (!moveResult(p, *t, old, *n, t->a, t->b)) return;
    if (inputs == InputsAfter::Drop) p.pad.reckonings.erase(row);
    // The typed value is the game's own; Bock is applied to it anew.
    p.pad.bockBase.erase(row);
    p.ui.PKT(row).text = std::to_string(*n);
    p.pad.gameTable[static_cast<std::size_t>(row)][1] = *n;
    finish(p);
}

void changePlayers(Program& p, int row, int shift) {
    const std::optional<Target> t = target(p, row, shift);
    if (!t) return;
    const std::string game = std::to_string(row) + ". Spieles \xC3\xA4ndern";
    const bool pair = t->a != t->b;
    const std::optional<int> first =
        askNumber(p, (pair ? "1. Spieler des " : "Spieler des ") + game);
    if (!first) return;
    std::optional<int> second = first;
    if (pair) {
        second = askNumber(p, "2. Spieler des " + game);
        if (!second) return;
    }
    int p1 = *first;
    int p2 = *second;
    const int n = p.pad.playerCount;
    const auto admissible = [&](int player) {
        return player >= 1 && player <= n && playedIn(p, player, t->sitOut);
    };
    if (!admissible(p1) || !admissible(p2) || (pair && p1 == p2)) return;
    if (p1 > p2) std::swap(p1, p2);

    const int value = p.pad.gameTable[static_cast<std::size_t>(row)][1];
    const auto base = p.pad.bockBase.find(row);
    const int ownValue = base == p.pad.bockBase.end() ? value : base->second;
    const InputsAfter inputs = inputsAfter(p, row, playerCell(p1, p2), ownValue, true);
    if (inputs == InputsAfter::Cancel) return;
    if (!moveResult(p, *t, value, value, p1, p2)) return;
    if (inputs == InputsAfter::Drop) p.pad.reckonings.erase(row);
    GameRow& cells = p.pad.gameTable[static_cast<std::size_t>(row)];
    if (pair) {
        cells[0] = 10 * p1 + p2;
        p.ui.SPL(row).text = std::to_string(p1) + " / " + std::to_string(p2);
    } else {
        cells[0] = p1;
        p.ui.SPL(row).text = std::to_string(p1);
        if (t->solo && p1 != t->a) moveSoloMark(p, t->a, p1);
    }
    finish(p);
}

}  // namespace

std::string correctRow(Program& p, int row, std::optional<int> value, std::optional<int> players) {
    if (!p.pad.rowChangeEnabled)
        return "Korrekturen sind ausgeschaltet (Optionen \xE2\x80\x9EZeile "
               "\xC3\xA4ndern\xE2\x80\x9C).";
    const std::optional<Target> t = target(p, row, CTRL_SHIFT);
    if (!t) return "Diese Zeile kann nicht korrigiert werden.";
    GameRow& cells = p.pad.gameTable[static_cast<std::size_t>(row)];
    const int oldValue = cells[1];
    const int newValue = value.value_or(oldValue);
    int p1 = t->a, p2 = t->b;
    if (players) {
        p1 = *players > MAX_PLAYERS ? *players / 10 : *players;
        p2 = *players > MAX_PLAYERS ? *players % 10 : *players;
        if (p1 > p2) std::swap(p1, p2);
    }
    if (!playersAdmissible(p, *t, p1, p2)) return "Diese Spieler passen nicht zu der Zeile.";
    if (newValue < -MAX_GAME_VALUE || newValue > MAX_GAME_VALUE ||
        (t->a == t->b && (newValue == 0 || newValue % 3 != 0)))
        return "Diesen Wert kann die Zeile nicht haben.";
    const auto base = p.pad.bockBase.find(row);
    const int ownValue = value || base == p.pad.bockBase.end() ? newValue : base->second;
    const InputsAfter inputs = inputsAfter(p, row, playerCell(p1, p2), ownValue, false);
    if (!moveResult(p, *t, oldValue, newValue, p1, p2))
        return "Der Stand l\xC3\xA4ge au\xC3\x9F"
               "erhalb der Grenzen.";
    if (inputs == InputsAfter::Drop) p.pad.reckonings.erase(row);
    if (value) p.pad.bockBase.erase(row);
    cells[1] = newValue;
    p.ui.PKT(row).text = std::to_string(newValue);
    cells[0] = p1 == p2 ? p1 : 10 * p1 + p2;
    p.ui.SPL(row).text =
        p1 == p2 ? std::to_string(p1) : std::to_string(p1) + " / " + std::to_string(p2);
    if (t->solo && p1 != t->a) moveSoloMark(p, t->a, p1);
    finish(p);
    return "";
}

// The questions come first; a correction that was made is one step of undo.
void PKT_MouseDown(Program& p, int row, int button, int shift, int /*x*/, int /*y*/) {
    // A plain click on the points of a calculated game shows how they came about;
    // the right button opens the row's menu instead (view/RowMenu.h).
    if (shift == 0 && button == 1 && p.services.dialogs && row >= 1 && row <= LAST_PAD_ROW) {
        const std::vector<std::string> lines = rowReckoning(p.pad, row);
        if (lines.empty()) return;
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : "\n") + line;
        p.services.dialogs->messageBox(text, "Spielwert", MessageButtons::Ok,
                                       MessageIcon::Information);
        return;
    }
    if (!target(p, row, shift)) return;
    recordChange(p, correctionLabel(p.pad, row), [&] { changeValue(p, row, shift); });
}

void SPL_MouseDown(Program& p, int row, int /*button*/, int shift, int /*x*/, int /*y*/) {
    if (!target(p, row, shift)) return;
    recordChange(p, correctionLabel(p.pad, row), [&] { changePlayers(p, row, shift); });
}

}  // namespace kx
