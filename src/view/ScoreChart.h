#pragma once

#include <string>
#include <vector>

#include "core/PadState.h"
#include "view/WindowModel.h"

namespace kx {

// The score chart ("Verlauf") as data: one line per player through the overall
// scores after each entered row, in pad order, and where the sections begin.
// A skin draws it with the geometry below, so every skin places the points
// alike and tests can find them.

enum class LineDash { Solid, Dash, Dot, DashDot, DashDotDot, LongDash };
enum class Marker { Circle, Square, TriangleUp, Diamond, TriangleDown, Cross };

// Line styles that stay apart for colour-blind readers: colours of the
// Okabe-Ito palette (without its yellow, too pale on white), each with its own
// dash pattern and point marker.
struct SeriesStyle {
    Rgb colour;
    LineDash dash;
    Marker marker;
};
const SeriesStyle& seriesStyle(int seat);  // seats 1..6

struct ChartSeries {
    std::string name;
    std::vector<int> values;  // values[0] is the start (0), values[i] after the i-th entered row
    SeriesStyle style;
};

// A section that starts after the point `index`: the line is drawn there.
struct ChartBorder {
    int index = 0;
    std::string label;  // "Soli", "Strafpunkte"
};

// A Bock game: its point and level, drawn as a shaded band with its mark
// ("B", "2B", "3B", as beside the points on the pad).
struct ChartBock {
    int index = 0;
    int level = 0;
    std::string mark;
    Rgb shade;
};

struct ScoreChart {
    std::string title;                 // "Verlauf des Abends"
    std::vector<std::string> xLabels;  // "Start", then the rows' labels "1", "S1", "StP"
    std::vector<ChartSeries> series;
    std::vector<ChartBorder> borders;
    std::vector<ChartBock> bock;  // none unless the pad's house rules have Bock
    int pointCount() const { return static_cast<int>(xLabels.size()); }
};

// The chart of a pad, one line per player in seat order.
ScoreChart scoreChart(const PadState& pad);

// Where things go in a chart of width x height pixels.
struct ChartGeometry {
    Rect plot;               // the lines and their points
    Rect legend;             // below the plot: one entry per player
    int low = 0, high = 0;   // value range of the plot, from the ticks
    std::vector<int> ticks;  // values with a grid line
    int labelStep = 1;       // every labelStep-th x label is written

    int x(int index, int pointCount) const;
    int y(int value) const;
};
ChartGeometry chartGeometry(const ScoreChart& chart, int width, int height);

// The band behind a Bock game's point: the plot's height, from halfway to the
// point before to halfway to the next. Its mark stands at the band's foot,
// in `markRect` (centred there, as wide as the text needs).
Rect bockBand(const ChartGeometry& g, int index, int pointCount);
Rect bockMarkRect(const ChartGeometry& g, int index, int pointCount);

// Where a section border's label stands: right of its line, or left of it
// where the plot ends; a label that would cover an earlier one moves down a
// line. `textWidths` holds each label's width in the skin's font.
struct ChartLabelPlace {
    Rect rect;
    bool rightOfLine = true;
};
std::vector<ChartLabelPlace> borderLabelPlaces(const ChartGeometry& g, const ScoreChart& chart,
                                               const std::vector<int>& textWidths);

// Round grid values ("nice" steps 1, 2, 5 x 10^k) covering low..high, at most about maxCount.
std::vector<int> niceTicks(int low, int high, int maxCount);

}  // namespace kx
