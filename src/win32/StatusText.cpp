#include "StatusText.h"

#include <algorithm>
#include <cmath>

namespace kx::win {

namespace {

// The condensed widths tried first, in per cent of the font's own.
constexpr int STRETCHES[] = {92, 85};

int extent(HDC dc, HFONT font, const std::wstring& text) {
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

int averageWidth(HDC dc, HFONT font) {
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    return metrics.tmAveCharWidth;
}

// The first narrower font in which the text fits, or nothing; the caller
// deletes it.
HFONT narrowerFont(HDC dc, HFONT font, const std::wstring& text, int room, int smallestHeight) {
    LOGFONTW face{};
    if (!GetObjectW(font, sizeof face, &face)) return nullptr;
    const int height = std::abs(face.lfHeight);
    const int width = averageWidth(dc, font);
    if (height == 0 || width == 0) return nullptr;
    const auto tryFont = [&](int h, int stretch) -> HFONT {
        face.lfHeight = -h;
        face.lfWidth = std::max(1, width * h * stretch / (height * 100));
        const HFONT made = CreateFontIndirectW(&face);
        if (made && extent(dc, made, text) <= room) return made;
        if (made) DeleteObject(made);
        return nullptr;
    };
    for (int stretch : STRETCHES) {
        if (const HFONT made = tryFont(height, stretch)) return made;
    }
    for (int h = height - 1; h >= std::min(height, smallestHeight); --h) {
        if (const HFONT made = tryFont(h, STRETCHES[std::size(STRETCHES) - 1])) return made;
    }
    return nullptr;
}

// The DPI for which the system reports its fonts.
int systemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

LOGFONTW drawingAreaFace(UINT dpi, double scale) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW face = metrics.lfMessageFont;
    // The system reports the font for its own DPI; the window may sit on another monitor.
    const double zoom = scale * 96.0 / static_cast<int>(dpi);
    const double atDpi = static_cast<double>(std::abs(face.lfHeight)) * static_cast<int>(dpi) /
                         std::max(1, systemDpi());
    const int least = std::max(1, static_cast<int>(std::lround(12 * scale)));
    face.lfHeight = -std::max(static_cast<int>(std::lround(atDpi * zoom)), least);
    return face;
}

PanelFit drawPanelText(HDC dc, const RECT& part, int margin, const std::wstring& text, HFONT font,
                       bool fits, UINT align, int smallestHeight) {
    RECT room = part;
    InflateRect(&room, -margin, 0);
    const int width = room.right - room.left;
    HFONT shown = font;
    HFONT made = nullptr;
    PanelFit fit = PanelFit::Whole;
    if (extent(dc, font, text) > width) {
        made = fits ? narrowerFont(dc, font, text, width, smallestHeight) : nullptr;
        fit = made ? PanelFit::Narrowed : PanelFit::Cut;
        if (made) shown = made;
    }
    const HGDIOBJ old = SelectObject(dc, shown);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &room,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    if (made) DeleteObject(made);
    return fit;
}

}  // namespace kx::win
