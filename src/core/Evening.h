#pragma once

#include <vector>

#include "core/PadState.h"

namespace kx {

// An evening read from its game table alone, without a window: what the
// chart, the score sheet and the statistics across evenings need.

enum class Section { Game = 1, Solo = 2, Penalty = 3 };

// Section of row r of a pad for n players.
Section sectionOf(int n, int row);

// One entered row and every player's overall score right after it.
struct EnteredRow {
    int row = 0;
    Section section = Section::Game;
    PlayerValues overall{};
};

// The entered rows in pad order (normal games, then solos, then penalties).
// A row's cells hold its section's running totals; a player's overall score
// after the row adds the latest totals of the other sections.
std::vector<EnteredRow> enteredRows(const GameTable& table, int n);

// The overall scores after the last entered row (all 0 on an empty pad).
PlayerValues finalScores(const GameTable& table, int n);

// Whether a player took part in the normal game or solo of an entered row:
// the dealer (and at six players the seat before) recorded in the row sit out.
// Penalty rows are no games.
bool playedInRow(const GameTable& table, int n, int row, int player);

}  // namespace kx
