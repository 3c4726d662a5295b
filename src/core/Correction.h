#pragma once

#include <optional>
#include <string>

namespace kx {

struct Program;

// Ctrl+click on an entered row's points (PKT) or players (SPL): asks for the
// new value or players and carries the change through the later rows of the
// row's section. Only the row and the shift bits matter.
void PKT_MouseDown(Program& p, int row, int button, int shift, int x, int y);
void SPL_MouseDown(Program& p, int row, int button, int shift, int x, int y);

// Whether a Ctrl+click on the row would correct it: an entered row of the
// normal games or solos while "Zeile ändern" is on.
bool correctable(const Program& p, int row);

// Moves a pair game's result by d in row r: +d for p1 and p2, -d for every
// other player who played (sit-out s and, at six players, the seat before s).
void applyPairChange(Program& p, int r, int d, int p1, int p2, int s);
// Moves a single-player game's result by d in row r: +d for the player, -d/3
// for every other player who played.
void applySoloChange(Program& p, int r, int d, int player, int s);

// Corrects the entered row `row` without asking, as a Ctrl+click with these
// answers would: to `value`, or to the players `players` (one player, or
// 10 × first + second). Returns why it cannot (German), with nothing changed,
// or an empty text when it was done. Not recorded for undo by itself.
std::string correctRow(Program& p, int row, std::optional<int> value, std::optional<int> players);

// A typed whole number: blanks around it, an optional sign, digits and an
// optional decimal fraction (rounded). Nothing for any other text.
std::optional<int> parseAnswer(const std::string& text);

}  // namespace kx
