#pragma once

#include <array>
#include <vector>

#include "core/Program.h"

namespace kx {

// How the main window fits the screen. The drawing area (the entry panel and
// the pad, with their controls, fonts and lines) is shown at one scale, the
// zoom: at 1 every control stands at its specified rectangle. The zoom is
// lowered when the window would not fit the work area of the screen, is
// stepped by the "Ansicht" commands and follows the window when the user
// resizes it. Both skins draw from these numbers.

inline constexpr double MIN_ZOOM = 0.4;
inline constexpr double MAX_ZOOM = 3.0;

// The steps of "Vergrößern" and "Verkleinern".
extern const std::array<double, 13> zoomSteps;
// The first step above zoom (direction 1) or below it (-1); zoom itself when
// there is none.
double nextZoomStep(double zoom, int direction);

// A length and a rectangle of the drawing area at scale s. Rectangles are
// scaled by their edges, so neighbouring cells stay flush at every scale.
int scaledLength(int length, double s);
Rect scaledRect(const Rect& r, double s);

// The largest scale up to `zoom` at which the whole window, frame, menu bar and
// status bar included, fits the work area of `m`; `zoom` when no work area is
// known. Always within MIN_ZOOM..MAX_ZOOM.
double fittingZoom(double zoom, int padWidth, const ScreenMetrics& m);

// "Vergrößern" (direction 1), "Verkleinern" (-1), "Originalgröße" (0). The
// window is refitted; it stays where it is unless it would leave the screen.
void zoomBy(Program& p, int direction);

// The user resized the main window to `frame`; its drawing area is now
// drawWidth × drawHeight pixels. The drawing area scales with it.
void frm0_Resize(Program& p, const Rect& frame, int drawWidth, int drawHeight);

struct PanelPlace {
    int left = 0;
    int width = 0;
    bool operator==(const PanelPlace&) const = default;
};
// Where status panels 1..8 stand (element 0 is panel 1) on a status bar
// barWidth pixels wide at scale s: every fixed panel has its scaled width, the
// panel that fills the rest takes what is left, down to 0.
std::vector<PanelPlace> statusPanelPlaces(const WindowModel& ui, int barWidth, double s);

}  // namespace kx
