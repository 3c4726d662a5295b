#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "view/WindowModel.h"

namespace kx {

struct Program;

inline constexpr Rgb COLOUR_HIGHEST{140, 255, 140};
inline constexpr Rgb COLOUR_LOWEST{255, 140, 140};
inline constexpr Rgb COLOUR_SECOND_HIGHEST{210, 255, 140};
inline constexpr Rgb COLOUR_SECOND_LOWEST{255, 200, 140};
inline constexpr Rgb COLOUR_OTHER{255, 255, 140};
// The shading of the row that the window "Protokoll" points at.
inline constexpr Rgb COLOUR_HIGHLIGHT{196, 222, 255};

// The shading of a Bock game's points, darker for each level (1..3).
Rgb bockShade(int level);
// What stands beside a Bock game's points, so that the mark does not rest on
// colour alone: "B" for Bock, "2B" for Doppelbock, "3B"; empty for level 0.
std::string bockMark(int level);
// Shades and marks the points of every normal-game row by its Bock level
// (row → level, for levels above 0); every other row's points lose both.
// Only the cell's own rectangle is filled: nothing on the pad moves.
void showBockRows(Program& p, const std::map<int, int>& levels);

// The colour of each player's place, for the overall scores of players 1..N
// (scores[0] is player 1). Equal scores share a colour.
std::vector<Rgb> placeColours(const std::vector<int>& scores);

// Each player's place by overall score, 1 for the highest; equal scores share
// a place and the next place is left out (5, 5, 0 give 1, 1, 3).
std::vector<int> places(const std::vector<int>& scores);

// The status text of the turnover for the overall scores.
std::string turnoverText(const std::vector<int>& scores);

// Shows an entered row (row > 0, kind 1 game, 2 solo, 3 penalty) with the
// section's running totals and stores them in the game table; always shows
// the grand totals and the turnover; recomputes the place colours unless row
// is 0. sitOutPlayer's cell of a solo or six-player penalty row gets "xxx".
void refreshPad(Program& p, int row, int kind, int sitOutPlayer);

struct Line {
    int x1, y1, x2, y2;
};

// What frm0_Paint draws: the background, then black separator lines.
struct PaintPlan {
    Rect background;
    Rgb backColour;
    std::vector<Line> lines;
};
PaintPlan frm0_Paint(const Program& p);

// The background a skin paints behind a control: its own, or the shading of
// the highlighted row (WindowModel::highlightedRow) for that row's cells. The
// shading only fills the cells' rectangles, so nothing on the pad moves.
std::optional<Rgb> shownBackground(const WindowModel& ui, const Control& c);

}  // namespace kx
