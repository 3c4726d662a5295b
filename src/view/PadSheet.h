#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Reckoning.h"
#include "core/Services.h"
#include "core/Settlement.h"
#include "view/WindowModel.h"

namespace kx {

struct Program;

// The pad as a printed score sheet and as a spreadsheet shows it: the texts
// of every row as the pad shows them ("xxx" included), the totals with their
// place colours, the turnover and the settlement. Built from the window model,
// so the sheet is exactly the pad on screen.
struct SheetRow {
    std::string label;               // "1", "S1", "StP"
    std::string players;             // "Sp": "3 / 5", "2"
    std::string points;              // "Pk"
    std::vector<std::string> cells;  // players 1..N: a running total, "xxx" or nothing
    bool entered = false;
    bool blockEnd = false;  // a ruled line follows (after every N rows, up to the solos)
    std::optional<Reckoning> reckoning;  // a game entered through the value calculator
};

// A page of the journal printed after the sheet.
struct SheetPage {
    std::string title;               // "Protokoll", "Protokoll (Fortsetzung)"
    std::vector<std::string> lines;  // as the window "Protokoll" shows them
};

// Lines of the journal on one A4 page, below its heading.
inline constexpr std::size_t JOURNAL_LINES_PER_PAGE = 50;

struct PadSheet {
    std::string title;  // "Doppelkopf-Abend"
    std::string date;   // "Montag, 7. Dezember 2026 · Beginn 19:30 Uhr"
    std::vector<std::string> names;
    std::vector<SheetRow> rows;
    std::vector<std::string> totals;
    std::vector<Rgb> totalColours;
    std::vector<std::string> places;  // beside each total: "1.", … (empty before the first entry)
    std::string turnover;             // "Umsatz: 42" or "Umsatz: Fehler"
    SettlementReport settlement;
    std::string footer;  // the program and its version
    // The pad's house rules in words (describeRules), printed above the
    // footer; none with the tournament rules, so the sheet stays as it was.
    std::vector<std::string> rules;
    // How each calculated game's value came about, one line each
    // ("Spiel 5: Kontra gewinnt 5: gewonnen, unter 90, Kontra, gegen die Alten").
    std::vector<std::string> reckonings;
    // The journal on the pages after the sheet, when it holds a correction
    // (so that a dispute at the table can be settled from the paper); none otherwise.
    std::vector<SheetPage> journalPages;
};

PadSheet padSheet(const Program& p, const LocalTime& date);

// "Montag, 7. Dezember 2026"
std::string germanDate(const LocalTime& date);
// The evening's date: that in a name made by "Speichern" ("save07-12-2026_9_5.hsc"),
// else the file's last change, else today.
LocalTime eveningDate(const std::string& fileName, const std::optional<LocalTime>& modified,
                      const LocalTime& today);

// The players' overall scores 1..N and the names as the pad shows them.
std::vector<int> overallScores(const Program& p);
std::vector<std::string> playerNames(const Program& p);

}  // namespace kx
