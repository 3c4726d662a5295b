// Bock at the table: the panel's "Bock" box, the word "bock" of quick entry
// and its preview, and the marks of Bock games on the pad, the chart and the sheet.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/Bock.h"
#include "support/TestProgram.h"
#include "view/History.h"
#include "view/PadLayout.h"
#include "view/PadSheet.h"
#include "view/QuickEntry.h"
#include "view/RowMenu.h"
#include "view/RulesWindow.h"
#include "view/ScoreChart.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::TestProgram;

HouseRules byHand(BockEffect effect = BockEffect::Double) {
    HouseRules r;
    r.bock.triggers.byHand = true;
    r.bock.effect = effect;
    return r;
}

void startPad(Program& p, const HouseRules& rules) {
    newPad(p, 4);
    for (int k = 1; k <= 4; ++k)
        p.pad.playerNames[static_cast<std::size_t>(k)] = std::vector<std::string>{
            "Anna", "Bert", "Carla", "Dirk"}[static_cast<std::size_t>(k - 1)];
    if (!rules.isDefault()) {
        ASSERT_TRUE(changeHouseRules(p, rules));
    }
}

TEST(BockBox, ShownWhileTheRulesAllowItAndClearedByEachEntry) {
    TestProgram t;
    Program& p = t.p;
    EXPECT_FALSE(p.ui.BOCK.visible);  // no pad
    startPad(p, {});
    EXPECT_FALSE(p.ui.BOCK.visible);
    EXPECT_FALSE(tickBock(p, true));

    ASSERT_TRUE(changeHouseRules(p, byHand()));
    EXPECT_TRUE(p.ui.BOCK.usable());
    const std::string lastStep = p.history.undoLabel();
    ASSERT_TRUE(tickBock(p, true));
    EXPECT_TRUE(p.pad.chosenBock);
    EXPECT_EQ(p.history.undoLabel(), lastStep);  // a choice, no step of undo
    ASSERT_TRUE(test::act(p, {"MDS 3"}));        // penalties trigger nothing
    EXPECT_TRUE(p.ui.BOCK.visible);
    EXPECT_FALSE(p.ui.BOCK.enabled);
    EXPECT_FALSE(p.pad.chosenBock);
    EXPECT_FALSE(tickBock(p, true));

    ASSERT_TRUE(test::act(p, {"MDS 1", "WER1 1", "WAS1 2", "BOCK", "OK"}));
    EXPECT_FALSE(p.ui.BOCK.checked);
    EXPECT_FALSE(p.pad.chosenBock);
    EXPECT_EQ(p.ui.status(3), "Bock: noch 4 Spiele");
    ASSERT_TRUE(undoChange(p));
    EXPECT_EQ(p.ui.status(3), "");

    // Back at the defaults the box goes, and so does a new pad's.
    ASSERT_TRUE(changeHouseRules(p, {}));
    EXPECT_FALSE(p.ui.BOCK.visible);
    ASSERT_TRUE(changeHouseRules(p, byHand()));
    newPad(p, 5);
    EXPECT_FALSE(p.ui.BOCK.visible);
}

struct PreviewRow {
    const char* text;
    bool admissible;
    std::string preview;
};

void expectPreviews(Program& p, const std::vector<PreviewRow>& rows) {
    for (const PreviewRow& row : rows) {
        SCOPED_TRACE(row.text);
        const QuickPreview preview = previewQuickEntry(p, row.text);
        EXPECT_EQ(preview.text, row.preview);
        EXPECT_EQ(preview.admissible, row.admissible);
    }
}

const std::string ARROW = " \xE2\x86\x92 ";
const std::string TRIGGERS = ", l\xC3\xB6st Bock aus";

TEST(BockQuickEntry, TheWordMarksAndThePreviewShowsBockGames) {
    TestProgram t;
    Program& p = t.p;
    startPad(p, {});
    expectPreviews(p, {{"1 2 3 bock", false,
                        "\xE2\x80\x9E"
                        "bock\xE2\x80\x9C: Bock von Hand ist in den Hausregeln dieses Blocks nicht "
                        "eingeschaltet."},
                       {"1 2 3", true, "Spiel 1: Anna / Bert gewinnen 3"}});

    ASSERT_TRUE(changeHouseRules(p, byHand()));
    ASSERT_TRUE(test::enterSolo(p, 2, 6));
    expectPreviews(p, {{"1 2 3 bock", true, "Spiel 1: Anna / Bert gewinnen 3" + TRIGGERS},
                       {"BOCK 1 2 3", true, "Spiel 1: Anna / Bert gewinnen 3" + TRIGGERS},
                       {"s 3 -6 bock", true, "Solo 2: Carla verliert 6" + TRIGGERS},
                       {"p 4 bock", false, "Strafpunkte l\xC3\xB6sen keinen Bock aus."},
                       {"bock", false,
                        "\xE2\x80\x9E"
                        "bock\xE2\x80\x9C: welches Spiel? z. B. \xE2\x80\x9E"
                        "1 2 3 bock\xE2\x80\x9C."}});

    ASSERT_TRUE(enterQuickEntry(p, "1 2 3 bock"));
    expectPreviews(p,
                   {{"1 3 2", true, "Spiel 2 (Bockspiel): Anna / Carla gewinnen 2" + ARROW + "4"},
                    {"2 -9", true, "Spiel 2 (Bockspiel): Bert allein verliert 9" + ARROW + "18"},
                    {"s 3 6", true, "Solo 2: Carla gewinnt 6"},
                    {"1 3 0 bock", true,
                     "Spiel 2 (Bockspiel): Anna / Carla gewinnen 0" + ARROW + "0" + TRIGGERS}});
    // A mark within the round stacks: game 3 is a Doppelbock game.
    ASSERT_TRUE(enterQuickEntry(p, "1 3 1 bock"));
    expectPreviews(
        p, {{"2 4 2", true, "Spiel 3 (Doppelbockspiel): Bert / Dirk gewinnen 2" + ARROW + "8"}});

    ASSERT_TRUE(changeHouseRules(p, byHand(BockEffect::PlusTwo)));
    expectPreviews(
        p, {{"2 4 2", true, "Spiel 3 (Doppelbockspiel): Bert / Dirk gewinnen 2" + ARROW + "6"}});
}

// The same evening entered on the panel and by quick entry gives the same pad.
TEST(BockQuickEntry, EqualsThePanel) {
    const std::vector<std::vector<std::string>> panel{
        {"MDS 1", "WER1 1", "WAS1 3", "BOCK", "OK"},  {"MDS 1", "WER1 2", "WAS1 2", "OK"},
        {"MDS 2", "WER2 3", "WAS2 -6", "BOCK", "OK"}, {"MDS 1", "WER1 6", "WAS1 1", "BOCK", "OK"},
        {"MDS 1", "WER1 5", "WAS1 4", "OK"},          {"MDS 1", "WER1 1", "WAS1 2", "OK"},
    };
    const std::vector<std::string> quick{"1 2 3 bock", "1 3 2", "s 3 -6 bock",
                                         "bock 3 4 1", "2 4 4", "1 2 2"};
    TestProgram a, b;
    startPad(a.p, byHand());
    startPad(b.p, byHand());
    for (const auto& entry : panel)
        ASSERT_TRUE(test::act(a.p, entry));
    for (const std::string& line : quick)
        ASSERT_TRUE(enterQuickEntry(b.p, line)) << line;
    EXPECT_EQ(test::padBytesWithoutJournal(a.p), test::padBytesWithoutJournal(b.p));
    EXPECT_EQ(a.p.pad.bockMarks, (std::set<int>{1, 3, 21}));
}

// Which rows the pad, its tooltips, the chart and the sheet mark, and how.
TEST(BockMarks, PadTooltipChartAndSheet) {
    TestProgram t;
    Program& p = t.p;
    startPad(p, byHand());
    std::vector<Rect> cells;
    for (const Control& c : p.ui.PKT)
        cells.push_back(c.rect);
    for (const char* line : {"1 2 3 bock", "1 3 2 bock", "1 4 1", "2 3 2"})
        ASSERT_TRUE(enterQuickEntry(p, line)) << line;
    // Game 2 is Bock, games 3 and 4 Doppelbock (two marks stacked).
    struct Row {
        int row;
        std::string mark, tip;
    } rows[] = {
        {1, "", "Bock von Hand markiert: l\xC3\xB6st eine Bockrunde aus\n"},
        {2, "B",
         "Bock: Grundwert 2, eingetragen 4\nBock von Hand markiert: l\xC3\xB6st eine Bockrunde "
         "aus\n"},
        {3, "2B", "Doppelbock: Grundwert 1, eingetragen 4\n"},
        {4, "2B", "Doppelbock: Grundwert 2, eingetragen 8\n"},
        {5, "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.row);
        const Control& points = p.ui.PKT(r.row);
        EXPECT_EQ(points.mark, r.mark);
        EXPECT_EQ(points.background.has_value(), !r.mark.empty());
        EXPECT_EQ(points.rect, cells[static_cast<std::size_t>(r.row - 1)]);  // nothing moves
        const std::string tip = padToolTip(p, p.ui.SPL(r.row));
        EXPECT_EQ(tip.substr(0, r.tip.size()), r.tip);
        if (r.tip.empty()) {
            EXPECT_EQ(tip.find("Bock"), std::string::npos);
        }
    }

    const ScoreChart chart = scoreChart(p.pad);
    ASSERT_EQ(chart.bock.size(), 3u);
    EXPECT_EQ(chart.bock[0].index, 2);
    EXPECT_EQ(chart.bock[0].mark, "B");
    EXPECT_EQ(chart.bock[2].mark, "2B");
    const ChartGeometry g = chartGeometry(chart, 600, 400);
    const Rect band = bockBand(g, 2, chart.pointCount());
    EXPECT_LT(band.left, g.x(2, chart.pointCount()));
    EXPECT_GT(band.left + band.width, g.x(2, chart.pointCount()));
    EXPECT_EQ(band.height, g.plot.height);

    const PadSheet sheet = padSheet(p, t.clock.time);
    EXPECT_EQ(sheet.rows[1].bock, "B");
    EXPECT_EQ(sheet.rows[3].bock, "2B");
    EXPECT_EQ(sheet.rows[4].bock, "");

    // Undone, the marks follow the games that are left.
    ASSERT_TRUE(undoChange(p));
    ASSERT_TRUE(undoChange(p));
    EXPECT_EQ(p.ui.PKT(2).mark, "B");
    EXPECT_EQ(p.ui.PKT(3).mark, "");
    EXPECT_EQ(scoreChart(p.pad).bock.size(), 1u);

    // Without Bock nothing is marked.
    TestProgram plain;
    startPad(plain.p, {});
    ASSERT_TRUE(enterQuickEntry(plain.p, "1 2 3"));
    EXPECT_TRUE(scoreChart(plain.p.pad).bock.empty());
    EXPECT_EQ(plain.p.ui.PKT(1).mark, "");
}

}  // namespace
}  // namespace kx
