#include "view/WindowFit.h"

#include <algorithm>
#include <cmath>

#include "view/MainWindow.h"

namespace kx {

const std::array<double, 13> zoomSteps{0.5,  0.6, 0.7,  0.8, 0.9, 1.0, 1.1,
                                       1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

namespace {

// Scales closer than this count as the same step (a fitted zoom is rarely a step).
constexpr double SAME_STEP = 0.005;

double clampZoom(double zoom) {
    return std::clamp(zoom, MIN_ZOOM, MAX_ZOOM);
}

}  // namespace

double nextZoomStep(double zoom, int direction) {
    if (direction > 0) {
        for (double step : zoomSteps)
            if (step > zoom + SAME_STEP) return step;
    } else if (direction < 0) {
        for (auto it = zoomSteps.rbegin(); it != zoomSteps.rend(); ++it)
            if (*it < zoom - SAME_STEP) return *it;
    }
    return zoom;
}

int scaledLength(int length, double s) {
    return static_cast<int>(std::lround(length * s));
}

Rect scaledRect(const Rect& r, double s) {
    const int left = scaledLength(r.left, s);
    const int top = scaledLength(r.top, s);
    return {left, top, scaledLength(r.left + r.width, s) - left,
            scaledLength(r.top + r.height, s) - top};
}

double fittingZoom(double zoom, int padWidth, const ScreenMetrics& m) {
    if (m.workWidth <= 0 || m.workHeight <= 0 || padWidth <= 0) return clampZoom(zoom);
    const int chromeHeight =
        m.titleBarHeight + m.menuBarHeight + 2 * m.frameHeight + m.statusBarHeight;
    const double byWidth = static_cast<double>(m.workWidth - 2 * m.frameWidth) / padWidth;
    const double byHeight = static_cast<double>(m.workHeight - chromeHeight) / PAD_HEIGHT;
    return clampZoom(std::min({zoom, byWidth, byHeight}));
}

void zoomBy(Program& p, int direction) {
    p.shell.zoom = direction == 0 ? 1.0 : nextZoomStep(p.shell.zoom, direction);
    fitMainWindow(p);
}

void frm0_Resize(Program& p, const Rect& frame, int drawWidth, int drawHeight) {
    p.ui.frm0.frame = frame;
    const int padWidth = p.shell.padWidth;
    const double byWidth = static_cast<double>(drawWidth) / padWidth;
    const double byHeight = static_cast<double>(drawHeight) / PAD_HEIGHT;
    const double s = std::min(byWidth, byHeight);
    // Within a pixel of the current zoom (along the side that limits it) the
    // drawing area keeps it, so that a size the program set itself leaves
    // zoom 1 exactly 1.
    const int limitingLength = byWidth < byHeight ? padWidth : PAD_HEIGHT;
    if (std::abs(s - p.shell.zoom) * limitingLength <= 1.0 + 1e-9) return;
    p.shell.zoom = clampZoom(s);
}

std::vector<PanelPlace> statusPanelPlaces(const WindowModel& ui, int barWidth, double s) {
    int fixedTotal = 0;
    for (int k = 1; k <= STATUS_PANEL_COUNT; ++k) {
        const StatusPanel& panel = ui.STB[static_cast<std::size_t>(k)];
        if (!panel.fillsRest) fixedTotal += panel.width;
    }
    const int rest = std::max(0, barWidth - scaledLength(fixedTotal, s));
    std::vector<PanelPlace> places;
    int fixedSoFar = 0;  // unscaled width of the fixed panels to the left
    int left = 0;
    for (int k = 1; k <= STATUS_PANEL_COUNT; ++k) {
        const StatusPanel& panel = ui.STB[static_cast<std::size_t>(k)];
        int width = rest;
        if (!panel.fillsRest) {
            width = scaledLength(fixedSoFar + panel.width, s) - scaledLength(fixedSoFar, s);
            fixedSoFar += panel.width;
        }
        places.push_back({left, width});
        left += width;
    }
    // The filler only carries text under house rules with Bock ("Bock: noch 3
    // Spiele"). When the bar leaves it too little room for that, as at four
    // players, the version panel gives up its place: the version is also in
    // "Über Kartotrix", the coming Bock games are nowhere else at a glance.
    constexpr int VERSION_PANEL = 1, FILLER_PANEL = 3, FILLER_ROOM = 130;
    const StatusPanel& filler = ui.STB[FILLER_PANEL];
    if (filler.fillsRest && !filler.text.empty() && rest < scaledLength(FILLER_ROOM, s)) {
        const int given = places[VERSION_PANEL - 1].width;
        places[VERSION_PANEL - 1].width = 0;
        for (int k = VERSION_PANEL + 1; k <= STATUS_PANEL_COUNT; ++k) {
            PanelPlace& place = places[static_cast<std::size_t>(k - 1)];
            if (k < FILLER_PANEL) place.left -= given;
            if (k == FILLER_PANEL) {
                place.left -= given;
                place.width += given;
            }
        }
    }
    return places;
}

}  // namespace kx
