#include "view/ScoreChart.h"

#include <algorithm>
#include <array>
#include <map>

#include "core/Bock.h"
#include "core/Evening.h"
#include "core/Settlement.h"
#include "view/PadLayout.h"
#include "view/PadRender.h"

namespace kx {

const SeriesStyle& seriesStyle(int seat) {
    static const std::array<SeriesStyle, MAX_PLAYERS> styles{{
        {{0, 114, 178}, LineDash::Solid, Marker::Circle},             // blue
        {{213, 94, 0}, LineDash::Dash, Marker::Square},               // vermillion
        {{0, 158, 115}, LineDash::Dot, Marker::TriangleUp},           // bluish green
        {{204, 121, 167}, LineDash::DashDot, Marker::Diamond},        // reddish purple
        {{230, 159, 0}, LineDash::DashDotDot, Marker::TriangleDown},  // orange
        {{86, 180, 233}, LineDash::LongDash, Marker::Cross},          // sky blue
    }};
    return styles.at(static_cast<std::size_t>(std::clamp(seat, 1, MAX_PLAYERS) - 1));
}

ScoreChart scoreChart(const PadState& pad) {
    const int n = pad.playerCount;
    ScoreChart chart;
    chart.title = "Verlauf des Abends";
    chart.xLabels.push_back("Start");
    for (int k = 1; k <= n; ++k)
        chart.series.push_back({seatLabel(pad.shownName(k), k), {0}, seriesStyle(k)});
    const RowLayout& layout = rowLayoutTable(n);
    std::map<int, int> levels;
    if (pad.houseRules.bock.triggers.any()) levels = recomputeOf(pad).plan.levels;
    Section previous = Section::Game;
    for (const EnteredRow& row : enteredRows(pad.gameTable, n)) {
        if (row.section != previous) {
            chart.borders.push_back(
                {chart.pointCount() - 1, row.section == Section::Solo ? "Soli" : "Strafpunkte"});
            previous = row.section;
        }
        chart.xLabels.push_back(layout.rows[static_cast<std::size_t>(row.row - 1)].label);
        if (const auto level = levels.find(row.row); level != levels.end())
            chart.bock.push_back({chart.pointCount() - 1, level->second, bockMark(level->second),
                                  bockShade(level->second)});
        for (int k = 1; k <= n; ++k)
            chart.series[static_cast<std::size_t>(k - 1)].values.push_back(
                row.overall[static_cast<std::size_t>(k)]);
    }
    return chart;
}

Rect bockBand(const ChartGeometry& g, int index, int pointCount) {
    const int x = g.x(index, pointCount);
    const int left = index > 0 ? (g.x(index - 1, pointCount) + x) / 2 : x;
    const int right = index + 1 < pointCount ? (x + g.x(index + 1, pointCount)) / 2 : x;
    return {left, g.plot.top, std::max(1, right - left), g.plot.height};
}

Rect bockMarkRect(const ChartGeometry& g, int index, int pointCount) {
    constexpr int WIDTH = 30, HEIGHT = 16, BOTTOM = 3;
    const int x = g.x(index, pointCount);
    return {x - WIDTH / 2, g.plot.top + g.plot.height - HEIGHT - BOTTOM, WIDTH, HEIGHT};
}

std::vector<ChartLabelPlace> borderLabelPlaces(const ChartGeometry& g, const ScoreChart& chart,
                                               const std::vector<int>& textWidths) {
    constexpr int GAP = 5, PADDING = 4, TOP = 3, LINE = 18;
    std::vector<ChartLabelPlace> places;
    for (std::size_t i = 0; i < chart.borders.size() && i < textWidths.size(); ++i) {
        const int x = g.x(chart.borders[i].index, chart.pointCount());
        const int width = textWidths[i] + PADDING;
        ChartLabelPlace place;
        place.rightOfLine = x + GAP + width <= g.plot.left + g.plot.width;
        place.rect = {place.rightOfLine ? x + GAP : x - GAP - width, g.plot.top + TOP, width, LINE};
        const auto covers = [&place](const ChartLabelPlace& earlier) {
            const Rect& a = place.rect;
            const Rect& b = earlier.rect;
            return a.top == b.top && a.left < b.left + b.width && b.left < a.left + a.width;
        };
        while (std::any_of(places.begin(), places.end(), covers))
            place.rect.top += LINE;
        places.push_back(place);
    }
    return places;
}

std::vector<int> niceTicks(int low, int high, int maxCount) {
    if (high <= low) high = low + 1;
    const long long span = static_cast<long long>(high) - low;
    long long step = 1;
    for (long long scale = 1;; scale *= 10) {
        bool found = false;
        for (long long m : {1, 2, 5}) {
            if (span / (m * scale) + 1 <= maxCount) {
                step = m * scale;
                found = true;
                break;
            }
        }
        if (found) break;
    }
    const auto floorTo = [step](long long v) {
        return (v >= 0 ? v / step : -((-v + step - 1) / step)) * step;
    };
    std::vector<int> ticks;
    const long long first = floorTo(low);
    long long last = floorTo(high);
    if (last < high) last += step;
    for (long long v = first; v <= last; v += step)
        ticks.push_back(static_cast<int>(v));
    return ticks;
}

namespace {

constexpr int MARGIN = 16;
constexpr int TITLE_HEIGHT = 30;
constexpr int AXIS_WIDTH = 56;      // value labels left of the plot
constexpr int X_LABEL_HEIGHT = 24;  // row labels below the plot
constexpr int LEGEND_ROW = 24;
constexpr int LEGEND_ENTRY = 150;  // width of one legend entry
constexpr int X_LABEL_SPACE = 26;  // pixels a row label needs

}  // namespace

int ChartGeometry::x(int index, int pointCount) const {
    if (pointCount <= 1) return plot.left;
    return plot.left +
           static_cast<int>(static_cast<long long>(index) * (plot.width - 1) / (pointCount - 1));
}

int ChartGeometry::y(int value) const {
    const long long span = std::max(1, high - low);
    return plot.top + plot.height - 1 -
           static_cast<int>((static_cast<long long>(value) - low) * (plot.height - 1) / span);
}

ChartGeometry chartGeometry(const ScoreChart& chart, int width, int height) {
    ChartGeometry g;
    const int players = static_cast<int>(chart.series.size());
    const int plotWidth = std::max(10, width - 2 * MARGIN - AXIS_WIDTH - 12);
    // The legend is as wide as the plot; the skins put legend.width / 150 entries in a row.
    const int perRow = std::max(1, plotWidth / LEGEND_ENTRY);
    const int legendRows = (players + perRow - 1) / perRow;
    const int legendHeight = legendRows * LEGEND_ROW;
    g.plot = {MARGIN + AXIS_WIDTH, MARGIN + TITLE_HEIGHT, plotWidth,
              std::max(10, height - 2 * MARGIN - TITLE_HEIGHT - X_LABEL_HEIGHT - legendHeight - 8)};
    g.legend = {MARGIN + AXIS_WIDTH, g.plot.top + g.plot.height + X_LABEL_HEIGHT + 8, g.plot.width,
                legendHeight};

    int low = 0, high = 0;
    for (const ChartSeries& s : chart.series) {
        for (int v : s.values) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    g.ticks = niceTicks(low, high, std::clamp(g.plot.height / 40, 3, 12));
    g.low = g.ticks.front();
    g.high = g.ticks.back();
    const int points = std::max(1, chart.pointCount());
    g.labelStep =
        std::max(1, (points * X_LABEL_SPACE + g.plot.width - 1) / std::max(1, g.plot.width));
    return g;
}

}  // namespace kx
