#pragma once

#include <array>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "core/HouseRules.h"
#include "core/Reckoning.h"

namespace kx {

inline constexpr int MAX_PLAYERS = 6;
inline constexpr int TABLE_ROWS = 41;
inline constexpr int TABLE_COLUMNS = 10;
inline constexpr int TOTALS_ROW = 40;
inline constexpr int LAST_PAD_ROW = 39;

// A cell of the game table that holds nothing. The table keeps exact values
// (running totals of a long evening leave the byte range of the pad file), so
// the in-memory marker lies outside every value a score can take; the pad file
// writes it as the byte 0x80.
inline constexpr int EMPTY_CELL = std::numeric_limits<int>::min();

// Player-indexed arrays use slots 1..6; slot 0 is never used.
using PlayerValues = std::array<int, MAX_PLAYERS + 1>;
using PlayerNames = std::array<std::string, MAX_PLAYERS + 1>;
using GameRow = std::array<int, TABLE_COLUMNS>;
using GameTable = std::array<GameRow, TABLE_ROWS>;

// The one open pad ("Block") of the program: player count, running totals per
// section, the game table whose rows are the lines of the pad, the deal, the
// row counters, the choices made on the entry panel and the three options.
//
// There is exactly one instance for the whole run. A new pad resets it
// (resetForNewPad); the entry handlers, the pad display, corrections and the
// pad file reader change its fields directly.
//
// Game table rows: 1..5N normal games, 5N+1..6N mandatory solos, 6N+1..6N+3
// penalties, TOTALS_ROW the grand totals. Columns: 0 pair code (10 * first +
// second winner) or the single player, 1 value, 2..7 each player's running
// total of the section after the row, 8 dealer, 9 second sit-out.
struct PadState {
    int playerCount = 4;
    PlayerValues gamePoints{};
    PlayerValues soloPoints{};
    PlayerValues penaltyPoints{};
    PlayerNames playerNames;
    GameTable gameTable{};

    int dealer = 0;
    int secondSitOut = 0;
    int nextGameRow = 0;
    int lastGameRow = 0;
    int nextSoloRow = 0;
    int lastSoloRow = 0;
    int nextPenaltyRow = 0;
    bool gamesComplete = false;
    bool solosComplete = false;
    bool padRunning = false;
    int padStartTime = 0;
    int entryMode = 0;

    int lastEntryRow = 0;
    int lastEntryValue = 0;
    int lastEntryPlayer1 = 0;
    int lastEntryPlayer2 = 0;
    int lastEntryDealer = 0;

    // Choices on the entry panel, consumed by OKB_Click.
    int chosenPlayer = 0;
    int chosenPartner = 0;
    int gameValue = 0;
    int soloValue = 0;
    int soloDealer = 0;
    int soloSecondSitOut = 0;
    // The chosen value is one the panel's lists cannot hold (see
    // chooseValueBeyondList); no list shows a selection then.
    bool valueBeyondList = false;
    // The calculator's inputs for the entry being made (see core/Reckoning.h).
    std::optional<Reckoning> pendingReckoning;

    // The inputs of the rows entered through the value calculator, by row.
    std::map<int, Reckoning> reckonings;

    // The table's house rules (core/HouseRules.h); a new pad starts with the defaults.
    HouseRules houseRules;
    // Which game is a Bock game is derived from these every time (core/Bock.h),
    // never kept: the base value of each normal-game row whose table value has
    // Bock applied, the rows marked "Bock" by hand, and for each solo row how
    // many normal games had been entered before it (kept while house rules apply).
    std::map<int, int> bockBase;
    std::set<int> bockMarks;
    std::map<int, int> soloAfter;
    // "Bock" ticked on the panel for the entry being made.
    bool chosenBock = false;

    // The journal of this pad (see view/Journal.h), by number: undo puts a
    // replaced pad back together with its journal.
    int journalId = 0;

    // Options: on at every start, never stored.
    bool autosaveEnabled = true;
    bool rowChangeEnabled = true;
    bool confirmQuit = true;

    // Empties the pad for n players. Names and options stay as they are.
    void resetForNewPad(int n, int startTime);

    int lastPenaltyRow() const { return 6 * playerCount + 3; }
    // A player's name as the window and the exports show it: a control
    // character that a file brought in is shown as a blank.
    std::string shownName(int player) const;
    // Whether a pad has been started or loaded in this run; before that the
    // table and counters are not a pad at all.
    bool padOpen() const { return nextGameRow != 0; }
    // How many rows of the pad hold an entry.
    int entryCount() const;
    int overallScore(int player) const;
    bool operator==(const PadState&) const = default;
};

// The seat before p on a ring of six seats, whatever the table size.
int previousSeat(int p);

// Whether a player takes part in a normal game or a solo whose dealer is d and
// whose second sit-out (six players only) is s.
bool takesPart(int playerCount, int player, int d, int s);

}  // namespace kx
