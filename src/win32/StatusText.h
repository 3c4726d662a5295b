#pragma once

#include <windows.h>

#include <string>

namespace kx::win {

// How a status panel's text was drawn.
enum class PanelFit {
    Whole,     // in the panel's font
    Narrowed,  // in a narrower font, still whole
    Cut,       // ended with "…": the panel's tooltip shows it whole
};

// The face of the main window's controls and status bar: the system's message
// font at the window's DPI, grown with the zoom, and never smaller than 12
// pixels of the drawing area. `scale` is the zoom times the DPI over 96.
LOGFONTW drawingAreaFace(UINT dpi, double scale);

// Draws a status panel's text in one line, vertically centred, inside `part`
// (the panel within its border) less `margin` pixels at either side. A panel
// that fits its text (`fits`) keeps its width: a text that would not fit is
// drawn with letters a little condensed, then smaller, down to
// `smallestHeight` pixels; only what even that cannot hold is cut with "…",
// as the text of every other panel is.
PanelFit drawPanelText(HDC dc, const RECT& part, int margin, const std::wstring& text, HFONT font,
                       bool fits, UINT align, int smallestHeight);

}  // namespace kx::win
