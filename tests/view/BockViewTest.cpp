// Bock at the table: the panel's "Bock" box, the word "bock" of quick entry
// and its preview, and the marks of Bock games on the pad, the chart and the sheet.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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

HouseRules byHand(BockEffect effect = BockEffect::Double) {
    HouseRules r;
    r.bock.triggers.byHand = true;
    r.bock.effect = effect;
    return r;
}

void startPad(Program& p, const HouseRules& rules) {
    newPad(p, 4);
    p.pad.playerNames = {"", "Anna", "Bert", "Carla", "Dirk"};
    if (!rules.isDefault()) {
        ASSERT_TRUE(changeHouseRules(p, rules));
    }
}

const std::string TRIGGERS = ", l\xC3\xB6st Bock aus";

TEST(BockQuickEntry, TheWordMarksAndThePreviewShowsBockGames) {
    test::TestProgram t;
    Program& p = t.p;
    startPad(p, {});
    EXPECT_FALSE(p.ui.BOCK.visible);
    const struct {
        const char* text;
        std::string preview;  // "!" first: refused
    } rows[] = {
        {"1 2 3 bock",
         "!\xE2\x80\x9E"
         "bock\xE2\x80\x9C: Bock von Hand ist in den Hausregeln "
         "dieses Blocks nicht eingeschaltet."},
        {"+", ""},  // the rules change here
        {"BOCK 1 2 3", "Spiel 1: Anna / Bert gewinnen 3" + TRIGGERS},
        {"p 4 bock", "!Strafpunkte l\xC3\xB6sen keinen Bock aus."},
        {"=1 2 3 bock", ""},  // entered
        {"1 3 2", "Spiel 2 (Bockspiel): Anna / Carla gewinnen 2 \xE2\x86\x92 4"},
        {"s 3 -6 bock", "Solo 1: Carla verliert 6" + TRIGGERS},
        {"=1 3 1 bock", ""},  // a mark within the round stacks
        {"2 4 2", "Spiel 3 (Doppelbockspiel): Bert / Dirk gewinnen 2 \xE2\x86\x92 8"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        if (row.text[0] == '+') {
            ASSERT_TRUE(changeHouseRules(p, byHand()));
        } else if (row.text[0] == '=') {
            ASSERT_TRUE(enterQuickEntry(p, row.text + 1));
        } else {
            const QuickPreview preview = previewQuickEntry(p, row.text);
            EXPECT_EQ(preview.admissible, row.preview[0] != '!');
            EXPECT_EQ(preview.text, row.preview[0] == '!' ? row.preview.substr(1) : row.preview);
        }
    }
    // The box: a choice of the panel, no step of undo; penalties have none.
    const std::string lastStep = p.history.undoLabel();
    ASSERT_TRUE(tickBock(p, true));
    EXPECT_EQ(p.history.undoLabel(), lastStep);
    ASSERT_TRUE(test::act(p, {"MDS 3"}));
    EXPECT_FALSE(p.pad.chosenBock);
    EXPECT_FALSE(tickBock(p, true));
}

// The same evening entered on the panel and by quick entry gives the same pad.
TEST(BockQuickEntry, EqualsThePanel) {
    const std::vector<std::vector<std::string>> panel{{"MDS 1", "WER1 1", "WAS1 3", "BOCK", "OK"},
                                                      {"MDS 1", "WER1 2", "WAS1 2", "OK"},
                                                      {"MDS 2", "WER2 3", "WAS2 -6", "BOCK", "OK"},
                                                      {"MDS 1", "WER1 6", "WAS1 1", "BOCK", "OK"},
                                                      {"MDS 1", "WER1 5", "WAS1 4", "OK"}};
    const std::vector<std::string> quick{"1 2 3 bock", "1 3 2", "s 3 -6 bock", "bock 3 4 1",
                                         "2 4 4"};
    test::TestProgram a, b;
    startPad(a.p, byHand());
    startPad(b.p, byHand());
    for (const auto& entry : panel)
        ASSERT_TRUE(test::act(a.p, entry));
    for (const std::string& line : quick)
        ASSERT_TRUE(enterQuickEntry(b.p, line)) << line;
    EXPECT_EQ(test::padBytesWithoutJournal(a.p), test::padBytesWithoutJournal(b.p));
    EXPECT_EQ(a.p.pad.bockMarks, (std::set<int>{1, 3, 21}));
    EXPECT_FALSE(a.p.ui.BOCK.checked);
}

// Which rows the pad, its tooltips, the chart and the sheet mark; undone, the marks follow.
TEST(BockMarks, PadTooltipChartAndSheet) {
    test::TestProgram t;
    Program& p = t.p;
    startPad(p, byHand());
    const Rect cell = p.ui.PKT(3).rect;
    for (const char* line : {"1 2 3 bock", "1 3 2 bock", "1 4 1"})
        ASSERT_TRUE(enterQuickEntry(p, line)) << line;
    EXPECT_EQ(p.ui.PKT(1).mark, "");
    EXPECT_EQ(p.ui.PKT(2).mark, "B");
    EXPECT_EQ(p.ui.PKT(3).mark, "2B");
    EXPECT_TRUE(p.ui.PKT(3).background.has_value());
    EXPECT_EQ(p.ui.PKT(3).rect, cell);
    EXPECT_EQ(padToolTip(p, p.ui.SPL(3)).rfind("Doppelbock: Grundwert 1, eingetragen 4\n", 0), 0u);

    const ScoreChart chart = scoreChart(p.pad);
    ASSERT_EQ(chart.bock.size(), 2u);
    EXPECT_EQ(chart.bock[1].index, 3);
    EXPECT_EQ(chart.bock[1].mark, "2B");
    const ChartGeometry g = chartGeometry(chart, 600, 400);
    const Rect band = bockBand(g, 2, chart.pointCount());  // halfway to the points beside it
    EXPECT_EQ(band.left, (g.x(1, chart.pointCount()) + g.x(2, chart.pointCount())) / 2);
    EXPECT_EQ(band.left + band.width,
              (g.x(2, chart.pointCount()) + g.x(3, chart.pointCount())) / 2);
    EXPECT_EQ(padSheet(p, t.clock.time).rows[2].bock, "2B");

    ASSERT_TRUE(undoChange(p));
    ASSERT_TRUE(undoChange(p));
    EXPECT_EQ(p.ui.PKT(2).mark, "");
    EXPECT_TRUE(scoreChart(p.pad).bock.empty());
}

}  // namespace
}  // namespace kx
