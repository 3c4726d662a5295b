#include "view/PadRender.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/Program.h"
#include "view/PadLayout.h"

namespace kx {

std::vector<Rgb> placeColours(const std::vector<int>& scores) {
    std::vector<int> sorted = scores;
    std::sort(sorted.begin(), sorted.end());
    const int n = static_cast<int>(sorted.size());
    std::vector<Rgb> colours;
    if (n == 0) return colours;
    const int top = sorted.back();
    const int bottom = sorted.front();
    std::optional<int> secondLow, secondHigh;
    for (int k = 1; k <= n - 2 && !secondLow; ++k) {
        if (sorted[static_cast<std::size_t>(k)] > bottom)
            secondLow = sorted[static_cast<std::size_t>(k)];
    }
    for (int k = n - 2; k >= 1 && !secondHigh; --k) {
        if (sorted[static_cast<std::size_t>(k)] < top)
            secondHigh = sorted[static_cast<std::size_t>(k)];
    }
    for (int v : scores) {
        if (v == top)
            colours.push_back(COLOUR_HIGHEST);
        else if (v == bottom)
            colours.push_back(COLOUR_LOWEST);
        else if (v == secondHigh)
            colours.push_back(COLOUR_SECOND_HIGHEST);
        else if (v == secondLow)
            colours.push_back(COLOUR_SECOND_LOWEST);
        else
            colours.push_back(COLOUR_OTHER);
    }
    return colours;
}

std::vector<int> places(const std::vector<int>& scores) {
    std::vector<int> result;
    for (int v : scores)
        result.push_back(1 + static_cast<int>(std::count_if(scores.begin(), scores.end(),
                                                            [v](int other) { return other > v; })));
    return result;
}

std::string turnoverText(const std::vector<int>& scores) {
    long long sum = 0;
    long long absSum = 0;
    for (int v : scores) {
        sum += v;
        absSum += std::llabs(v);
    }
    if (sum != 0) return "Umsatz: Fehler";
    return "Umsatz: " + std::to_string(absSum / 2);
}

namespace {

const PlayerValues& sectionTotals(const PadState& pad, int kind) {
    if (kind == 1) return pad.gamePoints;
    if (kind == 2) return pad.soloPoints;
    return pad.penaltyPoints;
}

void drawRow(Program& p, int row, int kind, int sitOutPlayer) {
    PadState& pad = p.pad;
    const PlayerValues totals = sectionTotals(pad, kind);
    const bool marked = (kind == 2 && pad.playerCount > 4) || (kind == 3 && pad.playerCount == 6);
    if (marked && sitOutPlayer >= 1 && sitOutPlayer <= MAX_PLAYERS)
        p.ui.SP[static_cast<std::size_t>(sitOutPlayer)](row).text = "xxx";
    for (int j = 1; j <= MAX_PLAYERS; ++j) {
        Control& cell = p.ui.SP[static_cast<std::size_t>(j)](row);
        const int value = totals[static_cast<std::size_t>(j)];
        if (cell.text != "xxx") cell.text = std::to_string(value);
        pad.gameTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(j + 1)] = value;
    }
}

}  // namespace

void refreshPad(Program& p, int row, int kind, int sitOutPlayer) {
    PadState& pad = p.pad;
    if (row > 0) drawRow(p, row, kind, sitOutPlayer);

    std::vector<int> scores;
    GameRow& totalsRow = pad.gameTable[TOTALS_ROW];
    for (int j = 1; j <= MAX_PLAYERS; ++j) {
        const int t = pad.overallScore(j);
        p.ui.SPsum(j).text = std::to_string(t);
        totalsRow[static_cast<std::size_t>(j + 1)] = t;
        scores.push_back(t);
    }
    p.ui.setStatus(4, turnoverText(scores));

    if (row == 0) return;
    scores.resize(static_cast<std::size_t>(pad.playerCount));
    const std::vector<Rgb> colours = placeColours(scores);
    const std::vector<int> place = places(scores);
    for (int j = 1; j <= pad.playerCount; ++j) {
        const auto k = static_cast<std::size_t>(j - 1);
        p.ui.SPsum(j).background = p.ui.NMS(j).background = colours[k];
        p.ui.SPsum(j).mark = std::to_string(place[k]) + ".";
    }
}

Rgb bockShade(int level) {
    static const Rgb shades[] = {{255, 236, 179}, {255, 213, 128}, {255, 183, 77}};
    return shades[std::clamp(level, 1, 3) - 1];
}

std::string bockMark(int level) {
    if (level <= 0) return "";
    return level == 1 ? "B" : std::to_string(level) + "B";
}

void showBockRows(Program& p, const std::map<int, int>& levels) {
    for (Control& cell : p.ui.PKT) {
        const auto level = levels.find(cell.index);
        const bool bock = level != levels.end() && level->second > 0;
        cell.background = bock ? std::optional<Rgb>(bockShade(level->second)) : std::nullopt;
        cell.mark = bock ? bockMark(level->second) : "";
    }
}

PaintPlan frm0_Paint(const Program& p) {
    PaintPlan plan{{0, 0, p.shell.padWidth, PAD_HEIGHT}, padBackColour, {}};
    if (!p.pad.padRunning) return plan;
    const int n = p.pad.playerCount;
    const int h = rowLayoutTable(n).rowHeight;
    const int a = n * h + 2;
    const int b = 24 + n * h;
    for (int k = 0; k <= 5; ++k)
        plan.lines.push_back({170, a * k + b, 320 + 80 * n, a * k + b});
    return plan;
}

std::optional<Rgb> shownBackground(const WindowModel& ui, const Control& c) {
    const bool rowCell =
        c.look == Look::RowLabel || c.look == Look::RowInfo || c.look == Look::PlayerCell;
    if (rowCell && ui.highlightedRow > 0 && c.index == ui.highlightedRow) return COLOUR_HIGHLIGHT;
    return c.background;
}

}  // namespace kx
