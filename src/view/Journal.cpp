#include "view/Journal.h"

#include <cstdio>

#include "core/Correction.h"
#include "core/Program.h"
#include "io/Cp1252.h"
#include "view/History.h"

namespace kx {

namespace {

constexpr const char* ARROW = " \xE2\x86\x92 ";
constexpr const char* TAKE_BACK_LABEL =
    "Zur\xC3\xBC"
    "cknahme ";

std::string quotedName(const std::string& name) {
    return "\xE2\x80\x9E" + name + "\xE2\x80\x9C";
}

std::string signedResult(int value) {
    return value >= 0 ? "gewinnt " + std::to_string(value) : "verliert " + std::to_string(-value);
}

// The players of a row's player cell as the pad names them.
std::string playersText(const PadState& pad, int cell) {
    if (cell > MAX_PLAYERS) return pad.shownName(cell / 10) + " / " + pad.shownName(cell % 10);
    return pad.shownName(cell);
}

}  // namespace

std::string entryText(const PadState& pad, int row) {
    const GameRow& cells = pad.gameTable[static_cast<std::size_t>(row)];
    const std::string who = playersText(pad, cells[0]);
    if (row > pad.lastSoloRow) return rowName(pad, row) + ": " + who + " bekommt -12";
    if (row > pad.lastGameRow) {
        const bool dealer = cells[8] >= 1 && cells[8] <= pad.playerCount;
        return rowName(pad, row) + ": " + who + " " + signedResult(cells[1]) +
               (dealer ? ", Geber " + pad.shownName(cells[8]) : "");
    }
    if (cells[0] > MAX_PLAYERS)
        return rowName(pad, row) + ": " + who + " gewinnen " + std::to_string(cells[1]);
    return rowName(pad, row) + ": " + who + " allein " + signedResult(cells[1]);
}

namespace {

// Players by number, as the correction asks for them.
std::string cellText(bool players, int cell) {
    if (!players) return std::to_string(cell);
    return cell > MAX_PLAYERS ? std::to_string(cell / 10) + " / " + std::to_string(cell % 10)
                              : std::to_string(cell);
}

// "Punkte 3 → 5", "Spieler 4 → 2".
std::string changeText(const JournalLine& line) {
    return std::string(line.players ? "Spieler " : "Punkte ") +
           cellText(line.players, line.before) + ARROW + cellText(line.players, line.after);
}

bool rowFilled(const PadState& pad, int row) {
    return pad.gameTable[static_cast<std::size_t>(row)][0] != EMPTY_CELL;
}

void add(Program& p, JournalLine line) {
    line.time = p.now();
    line.time.second = 0;
    journalOf(p).push_back(std::move(line));
}

void noteRowChanges(Program& p, const std::string& label, const PadState& before) {
    const PadState& pad = p.pad;
    const bool takingBack = label.starts_with(TAKE_BACK_LABEL);
    for (int r = 1; r <= LAST_PAD_ROW; ++r) {
        const GameRow& old = before.gameTable[static_cast<std::size_t>(r)];
        const GameRow& now = pad.gameTable[static_cast<std::size_t>(r)];
        if (!rowFilled(pad, r)) continue;
        if (!rowFilled(before, r)) {
            add(p, {{}, JournalKind::Entry, r, false, 0, 0, entryText(pad, r)});
            continue;
        }
        for (const bool players : {false, true}) {
            const int b = old[players ? 0 : 1], a = now[players ? 0 : 1];
            if (a == b) continue;
            JournalLine line{
                {}, takingBack ? JournalKind::TakeBack : JournalKind::Correction, r, players, b, a,
                ""};
            line.text = (takingBack ? "Zur\xC3\xBC"
                                      "ckgenommen: Korrektur "
                                    : "Korrektur ") +
                        rowName(pad, r) + ": " + changeText(line);
            add(p, std::move(line));
        }
    }
}

void noteRenames(Program& p, const PadState& before) {
    for (int k = 1; k <= p.pad.playerCount; ++k) {
        const std::size_t slot = static_cast<std::size_t>(k);
        if (before.playerNames[slot] == p.pad.playerNames[slot]) continue;
        add(p, {{},
                JournalKind::Rename,
                0,
                false,
                0,
                0,
                "Name " + std::to_string(k) + ": " + quotedName(before.shownName(k)) + ARROW +
                    quotedName(p.pad.shownName(k))});
    }
}

}  // namespace

std::string JournalLine::shown() const {
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", time.hour % 100, time.minute % 100);
    return std::string(clock) + " " + text;
}

int Journals::fresh() {
    journals_.emplace_back();
    return static_cast<int>(journals_.size()) - 1;
}

Journal& Journals::of(int id) {
    if (id < 0 || static_cast<std::size_t>(id) >= journals_.size()) return journals_.front();
    return journals_[static_cast<std::size_t>(id)];
}

const Journal& Journals::of(int id) const {
    if (id < 0 || static_cast<std::size_t>(id) >= journals_.size()) return journals_.front();
    return journals_[static_cast<std::size_t>(id)];
}

Journal& journalOf(Program& p) {
    return p.journals.of(p.pad.journalId);
}

const Journal& journalOf(const Program& p) {
    return p.journals.of(p.pad.journalId);
}

std::string rowName(const PadState& pad, int row) {
    if (row > pad.lastSoloRow) return "Strafpunkte " + std::to_string(row - pad.lastSoloRow);
    if (row > pad.lastGameRow) return "Solo " + std::to_string(row - pad.lastGameRow);
    return "Spiel " + std::to_string(row);
}

void noteChange(Program& p, const std::string& label, const PadState& before) {
    if (!p.pad.padOpen()) return;
    if (before.journalId != p.pad.journalId) {
        // Another pad: a new one starts with an empty journal, a loaded one
        // brings its own.
        if (label == "Laden") noteLoaded(p);
        return;
    }
    noteRowChanges(p, label, before);
    noteRenames(p, before);
}

void noteLoaded(Program& p) {
    if (p.pad.padOpen()) add(p, {{}, JournalKind::Load, 0, false, 0, 0, "Block geladen"});
}

void noteUndo(Program& p, const std::string& label, bool redo) {
    if (!p.pad.padOpen()) return;
    add(p, {{},
            redo ? JournalKind::Redo : JournalKind::Undo,
            0,
            false,
            0,
            0,
            (redo ? "Wiederherstellen: "
                  : "R\xC3\xBC"
                    "ckg\xC3\xA4ngig: ") +
                label});
}

void noteLine(Program& p, JournalKind kind, const std::string& text, int row) {
    if (!p.pad.padOpen()) return;
    add(p, {{}, kind, row, false, 0, 0, text});
}

TakeBackCheck canTakeBack(const Program& p, std::size_t index) {
    const Journal& journal = journalOf(p);
    if (index >= journal.size() || journal[index].kind != JournalKind::Correction)
        return {false,
                "Nur eine Korrektur l\xC3\xA4sst sich zur\xC3\xBC"
                "cknehmen."};
    const JournalLine& line = journal[index];
    const std::string row = rowName(p.pad, line.row);
    for (std::size_t later = index + 1; later < journal.size(); ++later) {
        const JournalLine& other = journal[later];
        const bool changesRow = other.row == line.row && (other.kind == JournalKind::Correction ||
                                                          other.kind == JournalKind::TakeBack);
        if (changesRow)
            return {false, row +
                               " wurde danach noch einmal ge\xC3\xA4ndert; nur die letzte "
                               "Korrektur einer Zeile l\xC3\xA4sst sich zur\xC3\xBC"
                               "cknehmen."};
    }
    const GameRow& cells = p.pad.gameTable[static_cast<std::size_t>(line.row)];
    if (cells[line.players ? 0 : 1] != line.after)
        return {false, row +
                           " steht nicht mehr so, wie die Korrektur es hinterlassen hat "
                           "(etwa nach \xE2\x80\x9E"
                           "R\xC3\xBC"
                           "ckg\xC3\xA4ngig\xE2\x80\x9C)."};
    if (!p.pad.rowChangeEnabled)
        return {false,
                "Korrekturen sind ausgeschaltet (Optionen \xE2\x80\x9EZeile "
                "\xC3\xA4ndern\xE2\x80\x9C)."};
    return {true, ""};
}

bool takeBack(Program& p, std::size_t index) {
    const TakeBackCheck check = canTakeBack(p, index);
    std::string why = check.reason;
    if (check.possible) {
        const JournalLine line = journalOf(p)[index];
        recordChange(p, TAKE_BACK_LABEL + rowName(p.pad, line.row), [&] {
            why = line.players ? correctRow(p, line.row, std::nullopt, line.before)
                               : correctRow(p, line.row, line.before, std::nullopt);
        });
    }
    if (why.empty()) return true;
    if (p.services.dialogs)
        p.services.dialogs->messageBox(why, "Kartotrix", MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

std::string journalText(const Journal& journal) {
    std::string text;
    // A line read from a file may hold control characters; none reaches a terminal.
    for (const JournalLine& line : journal)
        text += printableText(line.shown()) + "\n";
    return text;
}

bool hasCorrections(const Journal& journal) {
    for (const JournalLine& line : journal) {
        if (line.kind == JournalKind::Correction || line.kind == JournalKind::TakeBack) return true;
    }
    return false;
}

}  // namespace kx
