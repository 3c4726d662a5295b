#include "ChartPainter.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/WinText.h"

namespace kx::win {

namespace G = Gdiplus;

GdiPlusSession::GdiPlusSession() {
    G::GdiplusStartupInput input;
    if (G::GdiplusStartup(&token_, &input, nullptr) != G::Ok) token_ = 0;
}

GdiPlusSession::~GdiPlusSession() {
    if (token_) G::GdiplusShutdown(token_);
}

namespace {

G::Color colourOf(const Rgb& c) {
    return G::Color(255, static_cast<BYTE>(c.red), static_cast<BYTE>(c.green),
                    static_cast<BYTE>(c.blue));
}
G::Color grey(BYTE v) {
    return G::Color(255, v, v, v);
}
G::RectF rectOf(const Rect& r) {
    return G::RectF(static_cast<G::REAL>(r.left), static_cast<G::REAL>(r.top),
                    static_cast<G::REAL>(r.width), static_cast<G::REAL>(r.height));
}

// The first face GDI+ has of: the system's message font, the faces of
// Windows and the faces Wine finds on Linux; else GDI+'s own sans serif.
class ChartFonts {
  public:
    ChartFonts() {
        std::vector<std::wstring> faces;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            faces.emplace_back(metrics.lfMessageFont.lfFaceName);
        for (const wchar_t* face :
             {L"Segoe UI", L"Tahoma", L"Arial", L"Liberation Sans", L"DejaVu Sans"})
            faces.emplace_back(face);
        for (const std::wstring& face : faces) {
            own_ = std::make_unique<G::FontFamily>(face.c_str());
            if (own_->IsAvailable()) {
                family_ = own_.get();
                return;
            }
        }
        own_.reset();
        family_ = G::FontFamily::GenericSansSerif();
    }
    // Null when GDI+ has no face at all; the texts are then left out.
    std::unique_ptr<G::Font> font(int pixels, bool bold = false) const {
        if (!family_) return nullptr;
        return std::make_unique<G::Font>(family_, static_cast<G::REAL>(pixels),
                                         bold ? G::FontStyleBold : G::FontStyleRegular,
                                         G::UnitPixel);
    }

  private:
    std::unique_ptr<G::FontFamily> own_;
    const G::FontFamily* family_ = nullptr;
};

using FontPtr = std::unique_ptr<G::Font>;

}  // namespace

std::unique_ptr<G::Font> sansFont(float pixels, bool bold) {
    // Looked up each time: a family kept beyond the GDI+ session would
    // outlive it.
    const ChartFonts fonts;
    const int whole = static_cast<int>(pixels);
    return fonts.font(whole < 1 ? 1 : whole, bold);
}

namespace {

// Text in a box, aligned both ways; too long a text ends with "…".
void text(G::Graphics& g, const std::string& utf8, const FontPtr& font, const G::Color& colour,
          const G::RectF& box, G::StringAlignment across,
          G::StringAlignment down = G::StringAlignmentCenter) {
    if (!font) return;
    G::StringFormat format(G::StringFormatFlagsNoWrap);
    format.SetAlignment(across);
    format.SetLineAlignment(down);
    format.SetTrimming(G::StringTrimmingEllipsisCharacter);
    const G::SolidBrush brush(colour);
    const std::wstring wide = widen(utf8);
    g.DrawString(wide.c_str(), static_cast<INT>(wide.size()), font.get(), box, &format, &brush);
}

G::REAL textWidth(G::Graphics& g, const std::string& utf8, const FontPtr& font) {
    if (!font) return 0;
    const std::wstring wide = widen(utf8);
    G::RectF bounds;
    g.MeasureString(wide.c_str(), static_cast<INT>(wide.size()), font.get(), G::PointF(0, 0),
                    &bounds);
    return bounds.Width;
}

// Dash patterns in multiples of the pen's width, as the chart's styles name them.
void setDash(G::Pen& pen, LineDash dash) {
    static const std::array<G::REAL, 2> DASH{4, 2}, DOT{1.2f, 1.6f}, LONG_DASH{8, 2.4f};
    static const std::array<G::REAL, 4> DASH_DOT{4, 1.6f, 1.2f, 1.6f};
    static const std::array<G::REAL, 6> DASH_DOT_DOT{4, 1.6f, 1.2f, 1.6f, 1.2f, 1.6f};
    switch (dash) {
        case LineDash::Solid:
            break;
        case LineDash::Dash:
            pen.SetDashPattern(DASH.data(), static_cast<INT>(DASH.size()));
            break;
        case LineDash::Dot:
            pen.SetDashPattern(DOT.data(), static_cast<INT>(DOT.size()));
            break;
        case LineDash::DashDot:
            pen.SetDashPattern(DASH_DOT.data(), static_cast<INT>(DASH_DOT.size()));
            break;
        case LineDash::DashDotDot:
            pen.SetDashPattern(DASH_DOT_DOT.data(), static_cast<INT>(DASH_DOT_DOT.size()));
            break;
        case LineDash::LongDash:
            pen.SetDashPattern(LONG_DASH.data(), static_cast<INT>(LONG_DASH.size()));
            break;
    }
}

std::unique_ptr<G::Pen> seriesPen(const SeriesStyle& style, G::REAL width) {
    auto pen = std::make_unique<G::Pen>(colourOf(style.colour), width);
    pen->SetLineCap(G::LineCapFlat, G::LineCapFlat, G::DashCapFlat);
    pen->SetLineJoin(G::LineJoinRound);
    setDash(*pen, style.dash);
    return pen;
}

// A filled marker with a white rim, so that markers on top of each other stay apart.
void drawMarker(G::Graphics& g, Marker marker, G::PointF at, G::REAL r, const G::Color& colour) {
    G::GraphicsPath path;
    const G::REAL x = at.X, y = at.Y;
    switch (marker) {
        case Marker::Circle:
            path.AddEllipse(x - r, y - r, 2 * r, 2 * r);
            break;
        case Marker::Square:
            path.AddRectangle(G::RectF(x - r * 0.9f, y - r * 0.9f, 1.8f * r, 1.8f * r));
            break;
        case Marker::TriangleUp:
        case Marker::TriangleDown: {
            const G::REAL s = marker == Marker::TriangleUp ? 1.0f : -1.0f;
            const G::PointF corners[] = {{x, y - s * r * 1.2f},
                                         {x + r * 1.1f, y + s * r * 0.8f},
                                         {x - r * 1.1f, y + s * r * 0.8f}};
            path.AddPolygon(corners, 3);
            break;
        }
        case Marker::Diamond: {
            const G::PointF corners[] = {
                {x, y - r * 1.25f}, {x + r * 1.1f, y}, {x, y + r * 1.25f}, {x - r * 1.1f, y}};
            path.AddPolygon(corners, 4);
            break;
        }
        case Marker::Cross: {
            // The outline of the two bars, so that the rim goes round the whole cross.
            const G::REAL a = r * 0.45f, b = r * 1.15f;
            const G::PointF corners[] = {{x - a, y - b}, {x + a, y - b}, {x + a, y - a},
                                         {x + b, y - a}, {x + b, y + a}, {x + a, y + a},
                                         {x + a, y + b}, {x - a, y + b}, {x - a, y + a},
                                         {x - b, y + a}, {x - b, y - a}, {x - a, y - a}};
            path.AddPolygon(corners, 12);
            break;
        }
    }
    const G::SolidBrush fill(colour);
    const G::Pen rim(G::Color(255, 255, 255, 255), 1.2f);
    g.FillPath(&fill, &path);
    g.DrawPath(&rim, &path);
}

void paintGrid(G::Graphics& g, const ChartGeometry& geometry, const ChartFonts& fonts) {
    const Rect& plot = geometry.plot;
    const FontPtr font = fonts.font(12);
    for (int value : geometry.ticks) {
        const int y = geometry.y(value);
        const G::Pen line(value == 0 ? grey(120) : G::Color(255, 225, 228, 232),
                          value == 0 ? 1.5f : 1.0f);
        g.DrawLine(&line, plot.left, y, plot.left + plot.width - 1, y);
        text(g, std::to_string(value), font, grey(70),
             G::RectF(static_cast<G::REAL>(plot.left - 60), static_cast<G::REAL>(y - 9), 52, 18),
             G::StringAlignmentFar);
    }
    const G::Pen frame(grey(150), 1);
    g.DrawRectangle(&frame, plot.left, plot.top, plot.width - 1, plot.height - 1);
}

void paintXLabels(G::Graphics& g, const ChartGeometry& geometry, const ScoreChart& chart,
                  const ChartFonts& fonts) {
    const FontPtr font = fonts.font(12);
    const int n = chart.pointCount();
    const int top = geometry.plot.top + geometry.plot.height + 4;
    for (int i = 0; i < n; ++i) {
        // Every labelStep-th label and the last one, which the one before must not crowd.
        if (i != n - 1 && (i % geometry.labelStep != 0 || n - 1 - i < geometry.labelStep)) continue;
        const int x = geometry.x(i, n);
        text(g, chart.xLabels[static_cast<std::size_t>(i)], font, grey(70),
             G::RectF(static_cast<G::REAL>(x - 30), static_cast<G::REAL>(top), 60, 18),
             G::StringAlignmentCenter, G::StringAlignmentNear);
    }
}

void paintBorders(G::Graphics& g, const ChartGeometry& geometry, const ScoreChart& chart,
                  const ChartFonts& fonts) {
    const FontPtr font = fonts.font(12, true);
    const Rect& plot = geometry.plot;
    G::Pen pen(grey(90), 1.2f);
    pen.SetDashStyle(G::DashStyleDash);
    std::vector<int> widths;
    for (const ChartBorder& border : chart.borders)
        widths.push_back(static_cast<int>(textWidth(g, border.label, font)));
    const std::vector<ChartLabelPlace> places = borderLabelPlaces(geometry, chart, widths);
    for (std::size_t i = 0; i < chart.borders.size(); ++i) {
        const int x = geometry.x(chart.borders[i].index, chart.pointCount());
        g.DrawLine(&pen, x, plot.top, x, plot.top + plot.height - 1);
        const Rect& r = places[i].rect;
        text(g, chart.borders[i].label, font, grey(60),
             G::RectF(static_cast<G::REAL>(r.left), static_cast<G::REAL>(r.top),
                      static_cast<G::REAL>(r.width), static_cast<G::REAL>(r.height)),
             places[i].rightOfLine ? G::StringAlignmentNear : G::StringAlignmentFar,
             G::StringAlignmentNear);
    }
}

void paintSeries(G::Graphics& g, const ChartGeometry& geometry, const ScoreChart& chart) {
    const int n = chart.pointCount();
    for (const ChartSeries& s : chart.series) {
        std::vector<G::PointF> line;
        for (int i = 0; i < n; ++i)
            line.emplace_back(
                static_cast<G::REAL>(geometry.x(i, n)),
                static_cast<G::REAL>(geometry.y(s.values[static_cast<std::size_t>(i)])));
        if (line.size() > 1)
            g.DrawLines(seriesPen(s.style, 2.6f).get(), line.data(), static_cast<INT>(line.size()));
        for (const G::PointF& point : line)
            drawMarker(g, s.style.marker, point, 4.2f, colourOf(s.style.colour));
    }
}

void paintLegend(G::Graphics& g, const ChartGeometry& geometry, const ScoreChart& chart,
                 const ChartFonts& fonts) {
    const int players = static_cast<int>(chart.series.size());
    if (players == 0) return;
    const Rect& legend = geometry.legend;
    const int perRow = std::max(1, legend.width / 150);
    const int entryWidth = legend.width / std::min(perRow, players);
    const FontPtr font = fonts.font(14);
    for (int k = 0; k < players; ++k) {
        const ChartSeries& s = chart.series[static_cast<std::size_t>(k)];
        const int left = legend.left + (k % perRow) * entryWidth;
        const int mid = legend.top + (k / perRow) * 24 + 12;
        g.DrawLine(seriesPen(s.style, 2.6f).get(), left, mid, left + 34, mid);
        drawMarker(g, s.style.marker,
                   G::PointF(static_cast<G::REAL>(left + 17), static_cast<G::REAL>(mid)), 4.2f,
                   colourOf(s.style.colour));
        text(g, s.name, font, grey(30),
             G::RectF(static_cast<G::REAL>(left + 42), static_cast<G::REAL>(mid - 10),
                      static_cast<G::REAL>(entryWidth - 46), 20),
             G::StringAlignmentNear);
    }
}

// The class id of the PNG encoder that GDI+ brings.
std::optional<CLSID> pngEncoder() {
    UINT count = 0, size = 0;
    if (G::GetImageEncodersSize(&count, &size) != G::Ok || size == 0) return std::nullopt;
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<G::ImageCodecInfo*>(buffer.data());
    if (G::GetImageEncoders(count, size, encoders) != G::Ok) return std::nullopt;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png") return encoders[i].Clsid;
    }
    return std::nullopt;
}

// Everything written to a stream made in memory on global memory.
std::optional<Bytes> streamBytes(IStream* stream) {
    STATSTG status{};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME)) ||
        FAILED(GetHGlobalFromStream(stream, &memory)))
        return std::nullopt;
    const auto* start = static_cast<const std::uint8_t*>(GlobalLock(memory));
    if (!start) return std::nullopt;
    Bytes bytes(start, start + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return bytes;
}

}  // namespace

void paintScoreChart(G::Graphics& g, int width, int height, const ScoreChart& chart) {
    g.SetSmoothingMode(G::SmoothingModeAntiAlias);
    g.SetTextRenderingHint(G::TextRenderingHintAntiAliasGridFit);
    const G::SolidBrush white(G::Color(255, 255, 255, 255));
    g.FillRectangle(&white, 0, 0, width, height);
    const ChartFonts fonts;
    const ChartGeometry geometry = chartGeometry(chart, width, height);
    text(g, chart.title, fonts.font(17, true), G::Color(255, 31, 58, 95),
         G::RectF(static_cast<G::REAL>(geometry.plot.left), 10,
                  static_cast<G::REAL>(geometry.plot.width), 28),
         G::StringAlignmentNear);
    paintGrid(g, geometry, fonts);
    paintXLabels(g, geometry, chart, fonts);
    paintBorders(g, geometry, chart, fonts);
    if (chart.pointCount() <= 1)
        text(g, "Noch kein Spiel eingetragen", fonts.font(15), grey(90), rectOf(geometry.plot),
             G::StringAlignmentCenter);
    const Rect& plot = geometry.plot;
    g.SetClip(G::Rect(plot.left - 8, plot.top - 8, plot.width + 16, plot.height + 16));
    paintSeries(g, geometry, chart);
    g.ResetClip();
    paintLegend(g, geometry, chart, fonts);
}

std::optional<Bytes> chartPng(const ScoreChart& chart, int width, int height) {
    const GdiPlusSession session;
    if (!session.started()) return std::nullopt;
    const std::optional<CLSID> encoder = pngEncoder();
    if (!encoder) return std::nullopt;
    G::Bitmap image(width, height, PixelFormat24bppRGB);
    if (image.GetLastStatus() != G::Ok) return std::nullopt;
    {
        G::Graphics graphics(&image);
        paintScoreChart(graphics, width, height, chart);
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return std::nullopt;
    std::optional<Bytes> bytes;
    if (image.Save(stream, &*encoder, nullptr) == G::Ok) bytes = streamBytes(stream);
    stream->Release();
    return bytes;
}

}  // namespace kx::win
