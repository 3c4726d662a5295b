// The Windows program's drawings of "Extras": the chart's PNG carries each
// player's markers where the chart's geometry puts them, in the player's
// colour, and the printed sheet fills every total in its place colour.
#include <gtest/gtest.h>

#include "ChartPainter.h"
#include "SheetPainter.h"
#include "StatusText.h"
#include "core/Settlement.h"
#include "view/MainWindow.h"
#include "view/WindowFit.h"

namespace kx::win {
namespace {

namespace G = Gdiplus;

COLORREF ref(const Rgb& c) {
    return RGB(c.red, c.green, c.blue);
}

TEST(WindowsChart, PngShowsTheMarkersInTheirColours) {
    ScoreChart chart;
    chart.title = "Verlauf des Abends";
    chart.xLabels = {"Start", "1", "2", "3"};
    chart.series = {{"Anna", {0, 12, 30, 18}, seriesStyle(1)},
                    {"Bert", {0, -12, -30, -18}, seriesStyle(2)}};
    const std::optional<Bytes> png = chartPng(chart, 800, 500);
    ASSERT_TRUE(png);

    const GdiPlusSession session;
    IStream* stream = nullptr;
    ASSERT_TRUE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)));
    stream->Write(png->data(), static_cast<ULONG>(png->size()), nullptr);
    {
        G::Bitmap image(stream);
        ASSERT_EQ(image.GetLastStatus(), G::Ok);
        EXPECT_EQ(image.GetWidth(), 800u);
        EXPECT_EQ(image.GetHeight(), 500u);
        const ChartGeometry g = chartGeometry(chart, 800, 500);
        // The markers' middles after the start, where no other line crosses.
        for (const ChartSeries& s : chart.series) {
            for (int i = 1; i < chart.pointCount(); ++i) {
                G::Color pixel;
                image.GetPixel(g.x(i, chart.pointCount()),
                               g.y(s.values[static_cast<std::size_t>(i)]), &pixel);
                EXPECT_EQ(RGB(pixel.GetR(), pixel.GetG(), pixel.GetB()), ref(s.style.colour))
                    << s.name << " at " << i;
            }
        }
        G::Color corner;
        image.GetPixel(2, 2, &corner);
        EXPECT_EQ(RGB(corner.GetR(), corner.GetG(), corner.GetB()), RGB(255, 255, 255));
    }
    stream->Release();
}

TEST(WindowsSheet, TotalsInTheirPlaceColoursOnWhitePaper) {
    PadSheet sheet;
    sheet.title = "Doppelkopf-Abend";
    sheet.date = "Montag, 7. Dezember 2026";
    sheet.names = {"Anna", "Bert", "Carla", "Dieter"};
    for (int r = 1; r <= 24; ++r)
        sheet.rows.push_back(
            {std::to_string(r), "1 / 2", "2", {"2", "2", "-2", "-2"}, r < 3, r % 4 == 0});
    sheet.totals = {"4", "2", "-2", "-4"};
    sheet.totalColours = {{10, 200, 10}, {200, 200, 10}, {250, 150, 50}, {240, 60, 60}};
    sheet.turnover = "Umsatz: 12";
    sheet.settlement = settlementReport(sheet.names, {4, 2, -2, -4}, 5);
    sheet.footer = "Kartotrix";

    // A4 at 100 dpi in a bitmap of its own.
    constexpr int W = 827, H = 1169;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_TRUE(bitmap);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT page{0, 0, W, H};
    paintSheet(dc, page, 100, sheet);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const auto at = [&](int x, int y) {
        const std::uint32_t p =
            pixels[static_cast<std::size_t>(y) * W + static_cast<std::size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    EXPECT_EQ(at(3, 3), RGB(255, 255, 255));
    EXPECT_EQ(at(W - 3, H - 3), RGB(255, 255, 255));
    // Each total's cell: about 27 x 6 mm, less its text.
    for (const Rgb& colour : sheet.totalColours) {
        int count = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                count += at(x, y) == ref(colour);
        EXPECT_GT(count, 1500) << colour.red << "," << colour.green << "," << colour.blue;
        EXPECT_LT(count, 4000);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// A full page of the journal: every line has ink in its band, and the last
// line ends above the footer.
TEST(WindowsSheet, JournalPageHoldsItsLinesAboveTheFooter) {
    PadSheet sheet;
    sheet.date = "Montag, 7. Dezember 2026";
    sheet.footer = "Kartotrix";
    SheetPage journal{"Protokoll", {}};
    for (std::size_t k = 0; k < JOURNAL_LINES_PER_PAGE; ++k)
        journal.lines.push_back("21:02 Korrektur Spiel 5: Punkte 3 \xE2\x86\x92 5");
    constexpr int W = 827, H = 1169;  // A4 at 100 dpi
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_TRUE(bitmap);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    paintJournalPage(dc, {0, 0, W, H}, 100, sheet, journal);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    // Dark pixels between two heights given in millimetres from the top.
    const auto ink = [&](double fromMm, double toMm) {
        int count = 0;
        for (int y = static_cast<int>(fromMm * 100 / 25.4); y < toMm * 100 / 25.4; ++y)
            for (int x = 0; x < W; ++x)
                count += (pixels[static_cast<std::size_t>(y) * W + static_cast<std::size_t>(x)] &
                          0xFF) < 100;
        return count;
    };
    const double first = 13 + 17;  // the margin and the heading
    for (std::size_t k = 0; k < JOURNAL_LINES_PER_PAGE; ++k)
        EXPECT_GT(ink(first + 4.8 * static_cast<double>(k), first + 4.8 * (k + 1.0)), 50) << k;
    EXPECT_EQ(ink(first + 4.8 * JOURNAL_LINES_PER_PAGE, 297 - 12 - 6), 0);
    EXPECT_GT(ink(13, first), 100);  // "Protokoll" and the date
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
// "Zeit: " with three digits of minutes shows whole at scale 1 in the panel
// the status bar gives it on a four-player pad, in the main window's font.
TEST(WindowsStatusBar, ElapsedTimeFitsItsPanel) {
    Program p;
    initProgram(p, "");
    frm0_Load(p, ScreenMetrics{});
    ASSERT_TRUE(p.ui.STB[7].fitsText);
    const PanelPlace place = statusPanelPlaces(p.ui, 660, 1.0)[6];
    EXPECT_EQ(place.width, 80);

    LOGFONTW face = drawingAreaFace(96, 1.0);
    const HFONT font = CreateFontIndirectW(&face);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_TRUE(bitmap);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    // The panel within its sunken border, as the status bar hands it over for drawing.
    RECT inside{0, 0, place.width, 22};
    DrawEdge(dc, &inside, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    for (const wchar_t* text : {L"Zeit: 165 min", L"Zeit: 999 min"})
        EXPECT_NE(drawPanelText(dc, inside, 2, text, font, true, DT_LEFT, 8), PanelFit::Cut)
            << "face height " << face.lfHeight;
    // In far less room even the narrowest font cuts it.
    RECT narrow = inside;
    narrow.right = narrow.left + 40;
    EXPECT_EQ(drawPanelText(dc, narrow, 2, L"Zeit: 999 min", font, true, DT_LEFT, 8),
              PanelFit::Cut);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteObject(font);
}

}  // namespace kx::win
