// The menu "Extras" without a window: its entries, the chart's data and what
// each command asks, shows and writes.
#include <gtest/gtest.h>

#include <filesystem>

#include "io/PadFile.h"
#include "io/Statistics.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/Extras.h"
#include "view/PadLayout.h"
#include "view/PadSheet.h"
#include "view/ScoreChart.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::enterPair;
using test::TestProgram;

// Records what the commands hand to the skin.
struct FakeExtras : ExtrasHost {
    std::vector<std::string> shown;
    std::optional<ScoreChart> chart;
    std::optional<PadSheet> sheet;
    std::optional<Bytes> pdf = Bytes{'%', 'P', 'D', 'F'};
    bool pdfWriter = true;
    bool showSettlement(Program&) override { return shown.push_back("settlement"), true; }
    bool showChart(Program&, const ScoreChart& c) override { return chart = c, true; }
    bool printSheet(const PadSheet& s) override { return sheet = s, true; }
    std::optional<Bytes> sheetPdf(const PadSheet& s) override { return sheet = s, pdf; }
    bool showStatistics(const Statistics& s) override { return shown.push_back(s.folder), true; }
    bool offersPdf() const override { return pdfWriter; }
};

struct Evening : TestProgram {
    FakeExtras extras;
    Evening() { p.services.extras = &extras; }
};

TEST(ExtrasMenu, StandsBeforeTheHelpMenuAndWaitsForAPad) {
    TestProgram t;
    const std::vector<int> order = menuBarOrder(t.p.ui);
    const auto at = [&](int k) { return std::find(order.begin(), order.end(), k) - order.begin(); };
    EXPECT_LT(at(16), at(CMD_EXTRAS));      // after "Optionen"
    EXPECT_LT(at(CMD_STATISTICS), at(21));  // before "?"
    const char* captions[] = {"Extras",
                              "Abrechnung\xE2\x80\xA6",
                              "Verlauf\xE2\x80\xA6",
                              "Drucken\xE2\x80\xA6",
                              "PDF-Export\xE2\x80\xA6",
                              "CSV-Export\xE2\x80\xA6",
                              "Statistik\xE2\x80\xA6"};
    for (int k = CMD_EXTRAS; k <= CMD_STATISTICS; ++k)
        EXPECT_EQ(t.p.ui.menu[static_cast<std::size_t>(k)].caption, captions[k - CMD_EXTRAS]);
    EXPECT_EQ(t.p.ui.menu[CMD_EXTRAS_END].role, MenuRole::End);
    for (int k = CMD_SETTLEMENT; k <= CMD_CSV; ++k)
        EXPECT_FALSE(t.p.ui.menu[static_cast<std::size_t>(k)].enabled);
    EXPECT_TRUE(t.p.ui.menu[CMD_STATISTICS].enabled);

    // A disabled entry does nothing, not even its question.
    frm0_MenuEvent(t.p, CMD_CSV);
    EXPECT_TRUE(t.dialogs.savePresets.empty());
    newPad(t.p, 5);
    for (int k = CMD_SETTLEMENT; k <= CMD_CSV; ++k)
        EXPECT_TRUE(t.p.ui.menu[static_cast<std::size_t>(k)].enabled);
}

// A game after the solos still counts in its place among the normal games.
TEST(ScoreChartData, OverallScoresInPadOrderWithSectionBorders) {
    TestProgram t;
    newPad(t.p, 4);
    editName(t.p, 1, "Anna");
    ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    ASSERT_TRUE(test::enterSolo(t.p, 3, 9));
    ASSERT_TRUE(enterPair(t.p, 1, 3, 2));
    ASSERT_TRUE(test::enterPenalty(t.p, 1));
    const ScoreChart chart = scoreChart(t.p.pad);
    EXPECT_EQ(chart.xLabels, (std::vector<std::string>{"Start", "1", "2", "S1", "StP"}));
    ASSERT_EQ(chart.series.size(), 4u);
    EXPECT_EQ(chart.series[0].name, "Anna");
    EXPECT_EQ(chart.series[1].name, "Spieler 2");
    const std::vector<std::vector<int>> values{
        {0, 3, 5, 2, -10}, {0, 3, 1, -2, 2}, {0, -3, -1, 8, 12}, {0, -3, -5, -8, -4}};
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(chart.series[k].values, values[k]) << k;
    ASSERT_EQ(chart.borders.size(), 2u);
    EXPECT_EQ(chart.borders[0].index, 2);
    EXPECT_EQ(chart.borders[0].label, "Soli");
    EXPECT_EQ(chart.borders[1].index, 3);
    EXPECT_EQ(chart.borders[1].label, "Strafpunkte");
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(chart.series[static_cast<std::size_t>(k - 1)].values.back(),
                  t.p.pad.overallScore(k));

    // Every seat has its own colour, dash and marker.
    for (int a = 1; a <= 6; ++a)
        for (int b = a + 1; b <= 6; ++b) {
            EXPECT_NE(seriesStyle(a).colour, seriesStyle(b).colour);
            EXPECT_NE(seriesStyle(a).dash, seriesStyle(b).dash);
            EXPECT_NE(seriesStyle(a).marker, seriesStyle(b).marker);
        }
}

TEST(ScoreChartData, GeometryKeepsEveryPointInThePlot) {
    EXPECT_EQ(niceTicks(-13, 27, 6), (std::vector<int>{-20, -10, 0, 10, 20, 30}));
    EXPECT_EQ(niceTicks(0, 0, 5), (std::vector<int>{0, 1}));
    EXPECT_EQ(niceTicks(-3, 4, 10), (std::vector<int>{-3, -2, -1, 0, 1, 2, 3, 4}));
    ScoreChart chart;
    chart.xLabels = std::vector<std::string>(40, "x");
    chart.series = {{"A", std::vector<int>(40, 0), seriesStyle(1)},
                    {"B", std::vector<int>(40, 0), seriesStyle(2)}};
    chart.series[0].values[7] = 123;
    chart.series[1].values[39] = -87;
    const ChartGeometry g = chartGeometry(chart, 800, 500);
    EXPECT_LE(g.low, -87);
    EXPECT_GE(g.high, 123);
    EXPECT_EQ(g.x(0, 40), g.plot.left);
    EXPECT_EQ(g.x(39, 40), g.plot.left + g.plot.width - 1);
    EXPECT_EQ(g.y(g.high), g.plot.top);
    EXPECT_EQ(g.y(g.low), g.plot.top + g.plot.height - 1);
    EXPECT_GE(g.legend.top, g.plot.top + g.plot.height);
    EXPECT_LE(g.legend.top + g.legend.height, 500);
    EXPECT_GT(g.labelStep, 1);  // 40 labels do not fit side by side in 700 pixels

    // Six players in the rows the skins draw (legend.width / 150 entries each)
    // fit into the legend's height, at widths where a row of the whole
    // width would take one more entry than the plot's width.
    chart.series.resize(6, chart.series[0]);
    for (int width : {940, 1000, 1200}) {
        const ChartGeometry six = chartGeometry(chart, width, 600);
        const int perRow = std::max(1, six.legend.width / 150);
        EXPECT_EQ(six.legend.height, (6 + perRow - 1) / perRow * 24) << width;
        EXPECT_LE(six.legend.top + six.legend.height, 600) << width;
    }
}

TEST(ScoreChartData, SectionLabelsNeverCoverEachOther) {
    ScoreChart chart;
    chart.xLabels = std::vector<std::string>(30, "x");
    chart.series = {{"A", std::vector<int>(30, 0), seriesStyle(1)}};
    const ChartGeometry g = chartGeometry(chart, 900, 500);
    const auto overlap = [](const Rect& a, const Rect& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height;
    };
    // One solo between the sections: the second label would stand on the first.
    chart.borders = {{20, "Soli"}, {21, "Strafpunkte"}};
    std::vector<ChartLabelPlace> places = borderLabelPlaces(g, chart, {40, 90});
    ASSERT_EQ(places.size(), 2u);
    EXPECT_TRUE(places[0].rightOfLine);
    EXPECT_EQ(places[0].rect.left, g.x(20, 30) + 5);
    EXPECT_FALSE(overlap(places[0].rect, places[1].rect));
    EXPECT_GT(places[1].rect.top, places[0].rect.top);

    // Far apart they share the top line; at the plot's end a label stands left of its line.
    chart.borders = {{5, "Soli"}, {29, "Strafpunkte"}};
    places = borderLabelPlaces(g, chart, {40, 90});
    EXPECT_EQ(places[0].rect.top, places[1].rect.top);
    EXPECT_FALSE(places[1].rightOfLine);
    EXPECT_EQ(places[1].rect.left + places[1].rect.width, g.x(29, 30) - 5);
}

TEST(ExtrasCommands, SettlementIsShownOrRefused) {
    Evening t;
    newPad(t.p, 4);
    ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    frm0_MenuEvent(t.p, CMD_SETTLEMENT);
    EXPECT_EQ(t.extras.shown, std::vector<std::string>{"settlement"});
    EXPECT_TRUE(t.dialogs.messages.empty());

    // Without a window of its own the skin gets the text.
    t.p.services.extras = nullptr;
    frm0_MenuEvent(t.p, CMD_SETTLEMENT);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_NE(t.dialogs.messages[0].text.find("Spieler 3 zahlt Spieler 1 0,15 \xE2\x82\xAC"),
              std::string::npos);

    // A pad whose totals do not add up: "Umsatz: Fehler" and no settlement.
    t.p.services.extras = &t.extras;
    t.p.pad.gameTable[1][2] = 4;
    rebuildPad(t.p);
    ASSERT_EQ(t.p.ui.status(4), "Umsatz: Fehler");
    frm0_MenuEvent(t.p, CMD_SETTLEMENT);
    EXPECT_EQ(t.extras.shown.size(), 1u);
    EXPECT_EQ(t.dialogs.messages.back().text, SETTLEMENT_REFUSED);
    EXPECT_EQ(t.dialogs.messages.back().caption, "Kartotrix");
}

TEST(ExtrasCommands, PdfAndCsvGoThroughTheirDialogAndReplaceFile) {
    Evening t;
    newPad(t.p, 4);
    ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    t.dialogs.saveAnswers = {t.file("blatt.pdf"), t.file("tabelle.csv"), "",
                             t.file("fehlt/tabelle.csv")};
    frm0_MenuEvent(t.p, CMD_PDF);
    EXPECT_EQ(test::fileBytes(t.file("blatt.pdf")), t.extras.pdf);
    EXPECT_EQ(t.extras.sheet->totals, (std::vector<std::string>{"3", "3", "-3", "-3"}));
    frm0_MenuEvent(t.p, CMD_CSV);
    EXPECT_EQ(t.dialogs.saveExtensions, (std::vector<std::string>{"pdf", "csv"}));
    EXPECT_EQ(t.dialogs.savePresets, (std::vector<std::string>{"karto.pdf", "karto.csv"}));
    const auto csv = test::fileBytes(t.file("tabelle.csv"));
    ASSERT_TRUE(csv);
    EXPECT_EQ(std::string(csv->begin(), csv->begin() + 3), "\xEF\xBB\xBF");

    frm0_MenuEvent(t.p, CMD_CSV);  // cancelled: nothing written, nothing said
    EXPECT_TRUE(t.dialogs.messages.empty());
    frm0_MenuEvent(t.p, CMD_CSV);  // a folder that does not exist
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].text.rfind("Fehler beim CSV-Export. Die Datei \xE2\x80\x9E", 0),
              0u)
        << t.dialogs.messages[0].text;
    EXPECT_FALSE(test::fileExists(t.file("fehlt/tabelle.csv")));
}

// A skin without a PDF writer points to printing; a document that could not
// be made is reported. Neither asks for a file name.
TEST(ExtrasCommands, PdfNotOfferedOrFailedAsksForNoFile) {
    Evening t;
    newPad(t.p, 4);
    t.extras.pdfWriter = false;
    frm0_MenuEvent(t.p, CMD_PDF);
    EXPECT_FALSE(t.extras.sheet);  // not even drawn
    t.extras.pdfWriter = true;
    t.extras.pdf = std::nullopt;
    frm0_MenuEvent(t.p, CMD_PDF);
    EXPECT_TRUE(t.dialogs.savePresets.empty());
    ASSERT_EQ(t.dialogs.messages.size(), 2u);
    EXPECT_EQ(t.dialogs.messages[0].text, PDF_NOT_OFFERED);
    EXPECT_EQ(t.dialogs.messages[0].caption, "PDF-Export");
    EXPECT_EQ(t.dialogs.messages[1].text, PDF_FAILED);
}

TEST(ExtrasCommands, ChartPrintAndStatisticsReachTheSkin) {
    Evening t;
    newPad(t.p, 6);
    ASSERT_TRUE(enterPair(t.p, 2, 3, 4));
    frm0_MenuEvent(t.p, CMD_CHART);
    ASSERT_TRUE(t.extras.chart);
    EXPECT_EQ(t.extras.chart->series.size(), 6u);
    frm0_MenuEvent(t.p, CMD_PRINT);
    ASSERT_TRUE(t.extras.sheet);
    EXPECT_EQ(t.extras.sheet->rows.size(), 39u);
    EXPECT_EQ(t.extras.sheet->rows[0].cells[0], "xxx");
    EXPECT_EQ(t.extras.sheet->rows[0].players, "2 / 3");
    EXPECT_EQ(t.extras.sheet->date, "Montag, 7. Dezember 2026 \xC2\xB7 Beginn 20:00 Uhr");

    frm0_MenuEvent(t.p, CMD_STATISTICS);  // the folder dialog was cancelled
    EXPECT_TRUE(t.extras.shown.empty());
    t.dialogs.folderAnswers = {t.folder, t.file("gibt-es-nicht")};
    frm0_MenuEvent(t.p, CMD_STATISTICS);
    EXPECT_EQ(t.extras.shown, std::vector<std::string>{t.folder});
    frm0_MenuEvent(t.p, CMD_STATISTICS);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_NE(t.dialogs.messages[0].text.find("wurde nicht gefunden"), std::string::npos);
    EXPECT_EQ(t.host.busyDepth, 0);
    // A folder without an evening says so instead of showing an empty table.
    std::filesystem::create_directory(t.file("leer"));
    t.dialogs.folderAnswers = {t.file("leer")};
    frm0_MenuEvent(t.p, CMD_STATISTICS);
    EXPECT_EQ(t.extras.shown.size(), 1u);
    ASSERT_EQ(t.dialogs.messages.size(), 2u);
    EXPECT_NE(t.dialogs.messages[1].text.find(NO_EVENINGS), std::string::npos);
    EXPECT_EQ(t.dialogs.messages[1].caption, "Statistik");
}

TEST(PadSheetDate, FromTheStampedNameTheFileOrToday) {
    const LocalTime today{2026, 12, 7, 23, 0, 0};
    const LocalTime changed{2025, 3, 1, 12, 0, 0};
    EXPECT_EQ(germanDate(eveningDate("/x/save24-12-2025_21_5.hsc", changed, today)),
              "Mittwoch, 24. Dezember 2025");
    EXPECT_EQ(germanDate(eveningDate("abend.hsc", changed, today)), "Samstag, 1. M\xC3\xA4rz 2025");
    EXPECT_EQ(germanDate(eveningDate("save99-99-2025_1_1.hsc", std::nullopt, today)),
              "Montag, 7. Dezember 2026");
    EXPECT_EQ(germanDate(LocalTime{2024, 2, 29, 0, 0, 0}), "Donnerstag, 29. Februar 2024");
}

}  // namespace
}  // namespace kx
