// Drawing entered rows, grand totals, place colours, the turnover and the
// separator lines of the pad.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/PadLayout.h"
#include "view/PadRender.h"

namespace kx {
namespace {

using test::enterPair;
using test::enterPenalty;
using test::enterSolo;
using test::rowTexts;
using test::TestProgram;
using Texts = std::vector<std::string>;

const Rgb green{140, 255, 140};
const Rgb red{255, 140, 140};
const Rgb yellowGreen{210, 255, 140};
const Rgb orange{255, 200, 140};
const Rgb yellow{255, 255, 140};

TEST(PlaceColours, DistinctPlacesGetTheirColours) {
    const std::pair<std::vector<int>, std::vector<Rgb>> cases[] = {
        {{3, 3, -3, -3}, {green, green, red, red}},
        // Second-highest is tested before second-lowest.
        {{5, 0, 0, -5}, {green, yellowGreen, yellowGreen, red}},
        {{4, 2, -1, -5}, {green, yellowGreen, orange, red}},
        {{-1, 4, -5, 2}, {orange, green, red, yellowGreen}},
        {{6, 3, 0, 0, -3, -6}, {green, yellowGreen, yellow, yellow, orange, red}},
        {{0, 0, 0, 0}, {green, green, green, green}},
        {{10, 10, -5, -5, -10}, {green, green, yellowGreen, yellowGreen, red}},
        // Totals beyond a byte compare exactly.
        {{200, 150, -150, -200}, {green, yellowGreen, orange, red}},
        {{130, -129, -1, 0}, {green, red, orange, yellowGreen}}};
    for (const auto& [scores, colours] : cases)
        EXPECT_EQ(placeColours(scores), colours) << ::testing::PrintToString(scores);
}

// The place beside each total, so that places do not rest on colour alone.
TEST(Places, EqualScoresShareAPlaceAndTheNextIsLeftOut) {
    const std::pair<std::vector<int>, std::vector<int>> cases[] = {
        {{3, 3, -3, -3}, {1, 1, 3, 3}},
        {{5, 0, 0, -5}, {1, 2, 2, 4}},
        {{-1, 4, -5, 2}, {3, 1, 4, 2}},
        {{6, 3, 0, 0, -3, -6}, {1, 2, 3, 3, 5, 6}},
        {{0, 0, 0, 0, 0}, {1, 1, 1, 1, 1}}};
    for (const auto& [scores, expected] : cases)
        EXPECT_EQ(places(scores), expected) << ::testing::PrintToString(scores);
}

TEST(TurnoverText, HalfTheAbsoluteSumOrAnError) {
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{3, 3, -3, -3, 0, 0}, "Umsatz: 6"},      {{0, 0, 0, 0, 0, 0}, "Umsatz: 0"},
        {{5, 0, 0, -5, 0, 0}, "Umsatz: 5"},       {{6, 3, 0, 0, -3, -6}, "Umsatz: 9"},
        {{200, 150, -150, -200}, "Umsatz: 350"},  {{1, 0, 0, 0, 0, 0}, "Umsatz: Fehler"},
        {{3, 3, -3, -2, 0, 0}, "Umsatz: Fehler"}, {{0, 0, 0, 0, 0, 4}, "Umsatz: Fehler"}};
    for (const auto& [scores, text] : cases)
        EXPECT_EQ(turnoverText(scores), text) << ::testing::PrintToString(scores);
}

std::vector<Rgb> totalColours(const Program& p) {
    std::vector<Rgb> colours;
    for (int j = 1; j <= p.pad.playerCount; ++j) {
        EXPECT_EQ(p.ui.NMS(j).background, p.ui.SPsum(j).background) << j;
        colours.push_back(p.ui.SPsum(j).background.value_or(Rgb{-1, -1, -1}));
    }
    return colours;
}

Texts totalTexts(const Program& p) {
    Texts texts;
    for (int j = 1; j <= p.pad.playerCount; ++j)
        texts.push_back(p.ui.SPsum(j).text);
    return texts;
}

TEST(RefreshPad, RowZeroKeepsPlaceColoursAndMinusOneRecomputesThem) {
    TestProgram t;
    Program& p = t.p;
    frm0_MenuEvent(p, CMD_PAD4);
    ASSERT_TRUE(enterPair(p, 1, 2, 3));
    EXPECT_EQ(totalColours(p), (std::vector<Rgb>{green, green, red, red}));
    EXPECT_EQ(p.ui.status(4), "Umsatz: 6");

    p.pad.penaltyPoints = {0, -12, 4, 4, 4, 0, 0};
    refreshPad(p, 0, 0, 0);
    EXPECT_EQ(totalTexts(p), (Texts{"-9", "7", "1", "1"}));
    EXPECT_EQ(p.ui.status(4), "Umsatz: 9");
    EXPECT_EQ(totalColours(p), (std::vector<Rgb>{green, green, red, red}));

    refreshPad(p, -1, 0, 0);
    EXPECT_EQ(totalColours(p), (std::vector<Rgb>{red, green, yellowGreen, yellowGreen}));
    // The places follow the colours: recomputed with them, cleared by a new pad.
    std::vector<std::string> marks;
    for (int j = 1; j <= 4; ++j)
        marks.push_back(p.ui.SPsum(j).mark);
    EXPECT_EQ(marks, (Texts{"4.", "1.", "2.", "2."}));
    frm0_MenuEvent(p, CMD_PAD4);
    EXPECT_EQ(p.ui.SPsum(2).mark, "");
}

TEST(RefreshPad, LargeAndUnbalancedTotalsAreDrawnAsTheyAre) {
    TestProgram t;
    Program& p = t.p;
    frm0_MenuEvent(p, CMD_PAD4);
    p.pad.gamePoints = {0, 200, 150, -150, -200, 0, 0};
    refreshPad(p, -1, 0, 0);
    EXPECT_EQ(totalTexts(p), (Texts{"200", "150", "-150", "-200"}));
    const GameRow& totals = p.pad.gameTable[TOTALS_ROW];
    EXPECT_EQ((std::vector<int>(totals.begin() + 2, totals.end() - 2)),
              (std::vector<int>{200, 150, -150, -200, 0, 0}));
    EXPECT_EQ(totalColours(p), (std::vector<Rgb>{green, yellowGreen, orange, red}));
    EXPECT_EQ(p.ui.status(4), "Umsatz: 350");

    p.pad.gamePoints = {0, 5, 0, 0, 0, 0, 0};
    refreshPad(p, -1, 0, 0);
    EXPECT_EQ(p.ui.status(4), "Umsatz: Fehler");
    EXPECT_EQ(totalTexts(p), (Texts{"5", "0", "0", "0"}));
    EXPECT_EQ(totalColours(p), (std::vector<Rgb>{green, red, red, red}));
}

TEST(RefreshPad, SixPlayerSoloMarksDealerAndSeatBefore) {
    TestProgram t;
    Program& p = t.p;
    frm0_MenuEvent(p, CMD_PAD6);
    ASSERT_TRUE(enterSolo(p, 3, 9, 5));
    EXPECT_EQ(rowTexts(p, 31), (Texts{"-3", "-3", "9", "xxx", "xxx", "-3"}));
    const GameRow& row = p.pad.gameTable[31];
    EXPECT_EQ((std::vector<int>(row.begin() + 2, row.begin() + 8)),
              (std::vector<int>{-3, -3, 9, 0, 0, -3}));
    // Dealer 1: the seat before is 6.
    ASSERT_TRUE(enterSolo(p, 2, -6, 1));
    EXPECT_EQ(rowTexts(p, 32), (Texts{"xxx", "-9", "11", "2", "2", "xxx"}));
    EXPECT_EQ(rowTexts(p, 33), (Texts(6, "")));
}

// A normal game keeps the marks newPad set; a penalty marks the second
// sit-out only at six players.
TEST(RefreshPad, GameAndPenaltyRowsAndTheirSitOutMarks) {
    // Players, penalty row, row 1 after a game of 2 / 3, the penalty row.
    const std::tuple<int, int, Texts, Texts> cases[] = {
        {4, 25, {"-4", "4", "4", "-4"}, {"4", "4", "-12", "4"}},
        {5, 31, {"xxx", "4", "4", "-4", "-4"}, {"3", "3", "-12", "3", "3"}},
        {6, 37, {"xxx", "4", "4", "-4", "-4", "xxx"}, {"xxx", "3", "-12", "3", "3", "3"}}};
    for (const auto& [n, penaltyRow, game, penalty] : cases) {
        SCOPED_TRACE(n);
        TestProgram t;
        Program& p = t.p;
        frm0_MenuEvent(p, n == 4 ? CMD_PAD4 : n == 5 ? CMD_PAD5 : CMD_PAD6);
        ASSERT_TRUE(enterPair(p, 2, 3, 4));  // at six players the second sit-out moves to 1
        EXPECT_EQ(rowTexts(p, 1), game);
        const int secondSitOut = p.pad.secondSitOut;
        ASSERT_TRUE(enterPenalty(p, 3));
        EXPECT_EQ(rowTexts(p, penaltyRow), penalty);
        EXPECT_EQ(p.pad.secondSitOut, secondSitOut);
    }
}

TEST(Paint, OnlyBackgroundWithoutARunningPad) {
    TestProgram t;
    Program& p = t.p;
    PaintPlan plan = frm0_Paint(p);
    EXPECT_EQ(plan.background, (Rect{0, 0, 660, 680}));
    EXPECT_EQ(plan.backColour, padBackColour);
    EXPECT_TRUE(plan.lines.empty());

    // A whole four-player pad: twenty games and four solos end it.
    frm0_MenuEvent(p, CMD_PAD4);
    for (int game = 1; game <= 20; ++game)
        ASSERT_TRUE(enterPair(p, 1, 2, 1)) << game;
    for (int soloist = 1; soloist <= 4; ++soloist)
        ASSERT_TRUE(enterSolo(p, soloist, 3));
    ASSERT_FALSE(p.pad.padRunning);
    plan = frm0_Paint(p);
    EXPECT_EQ(plan.background, (Rect{0, 0, 660, 680}));
    EXPECT_TRUE(plan.lines.empty());
}

TEST(Paint, SixSeparatorLinesInTheGapsAfterEachBlock) {
    // Players, distance of the lines, first line, right end, pad width.
    const std::array<int, 5> cases[] = {
        {4, 82, 104, 640, 660}, {5, 92, 114, 720, 740}, {6, 98, 120, 800, 820}};
    for (const auto& [n, step, first, right, width] : cases) {
        SCOPED_TRACE(n);
        TestProgram t;
        frm0_MenuEvent(t.p, n == 4 ? CMD_PAD4 : n == 5 ? CMD_PAD5 : CMD_PAD6);
        const PaintPlan plan = frm0_Paint(t.p);
        EXPECT_EQ(plan.background, (Rect{0, 0, width, 680}));
        ASSERT_EQ(plan.lines.size(), 6u);
        const RowLayout& layout = rowLayoutTable(n);
        for (int k = 0; k < 6; ++k) {
            const Line& line = plan.lines[static_cast<std::size_t>(k)];
            const int y = first + step * k;
            EXPECT_EQ((std::array{line.x1, line.y1, line.x2, line.y2}),
                      (std::array{170, y, right, y}));
            // Just below the last row of block k + 1, in the gap before the next.
            const RowSlot& last = layout.rows[static_cast<std::size_t>((k + 1) * n - 1)];
            EXPECT_EQ(last.top + layout.rowHeight, y);
        }
    }
}

}  // namespace
}  // namespace kx
