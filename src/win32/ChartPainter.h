#pragma once

#include <windows.h>
// GDI+ needs the COM stream types, which WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
// The order matters: gdiplus.h needs both before it.
#include <gdiplus.h>

#include <memory>
#include <optional>

#include "io/FileSystem.h"
#include "view/ScoreChart.h"

namespace kx::win {

// GDI+ is started for as long as one of these lives; they may nest.
class GdiPlusSession {
  public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;
    bool started() const { return token_ != 0; }

  private:
    ULONG_PTR token_ = 0;
};

// The score chart drawn with GDI+ from the chart's data and geometry, with
// the colours, dashes and markers the chart gives each player: the window
// and the PNG file are drawn by the same code.
void paintScoreChart(Gdiplus::Graphics& graphics, int width, int height, const ScoreChart& chart);

// A font of the first face GDI+ has of those the chart uses (the system's
// message font, Windows' faces, those Wine finds on Linux); null when GDI+
// has none. Needs a running GdiPlusSession.
std::unique_ptr<Gdiplus::Font> sansFont(float pixels, bool bold);

inline constexpr int CHART_IMAGE_WIDTH = 1200;
inline constexpr int CHART_IMAGE_HEIGHT = 720;
// The chart as PNG bytes; nothing when GDI+ could not draw or encode it.
std::optional<Bytes> chartPng(const ScoreChart& chart, int width = CHART_IMAGE_WIDTH,
                              int height = CHART_IMAGE_HEIGHT);

}  // namespace kx::win
