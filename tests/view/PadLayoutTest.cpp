// Laying out a new pad: row labels and tops, sit-out marks, leftovers of a
// previous pad, and "Block löschen".
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::rowTexts;
using test::TestProgram;
using Texts = std::vector<std::string>;

Control& cell(Program& p, int player, int row) {
    return p.ui.SP[static_cast<std::size_t>(player)](row);
}

int padCommand(int n) {
    return n == 4 ? CMD_PAD4 : n == 5 ? CMD_PAD5 : CMD_PAD6;
}

TEST(RowLayoutTable, LabelsTopsAndTotalsLineOfTheRuledSheet) {
    // Players, rows, row height, top of the totals line.
    const std::array<int, 4> sizes[] = {{4, 27, 20, 578}, {5, 33, 18, 632}, {6, 39, 16, 662}};
    for (const auto& [n, rows, height, totalsTop] : sizes) {
        EXPECT_EQ(rowLayoutTable(n).rows.size(), static_cast<std::size_t>(rows)) << n;
        EXPECT_EQ(rowLayoutTable(n).rowHeight, height) << n;
        EXPECT_EQ(rowLayoutTable(n).totalsTop, totalsTop) << n;
    }
    // Players, row, label, top: first and last rows of blocks, around the gaps.
    const std::tuple<int, int, const char*, int> spots[] = {
        {4, 1, "1", 24},     {4, 4, "4", 84},     {4, 5, "5", 106},    {4, 20, "20", 412},
        {4, 21, "S1", 434},  {4, 24, "S4", 494},  {4, 25, "StP", 516}, {4, 27, "StP", 556},
        {5, 6, "6", 116},    {5, 25, "25", 464},  {5, 26, "S1", 484},  {5, 30, "S5", 556},
        {5, 31, "StP", 576}, {5, 33, "StP", 612}, {6, 7, "7", 122},    {6, 19, "19", 318},
        {6, 30, "30", 496},  {6, 31, "S1", 514},  {6, 36, "S6", 594},  {6, 39, "StP", 644}};
    for (const auto& [n, row, label, top] : spots) {
        const RowSlot& slot = rowLayoutTable(n).rows.at(static_cast<std::size_t>(row - 1));
        EXPECT_EQ(slot.label, label) << n << " players, row " << row;
        EXPECT_EQ(slot.top, top) << n << " players, row " << row;
    }
}

// Pre-marked "xxx" in normal-game rows: nobody at four players, the dealer at
// five, the dealer and the seat before at six (player 1 deals first).
bool sitsOut(int n, int row, int player) {
    if (n == 4 || row > 5 * n) return false;
    const int dealer = (row - 1) % n + 1;
    return player == dealer || (n == 6 && player == (dealer == 1 ? 6 : dealer - 1));
}

TEST(NewPad, LaysOutRowsMarksAndTotalsForEachPlayerCount) {
    struct Case {
        int n, rows, height, totalsTop, padWidth;
    };
    for (const Case c : {Case{4, 27, 20, 578, 660}, {5, 33, 18, 632, 740}, {6, 39, 16, 662, 820}}) {
        SCOPED_TRACE(c.n);
        TestProgram t;
        Program& p = t.p;
        frm0_MenuEvent(p, padCommand(c.n));
        EXPECT_EQ(p.shell.padWidth, c.padWidth);
        EXPECT_EQ(p.ui.frm0.frame.width, c.padWidth);
        for (int entry : {2, 3, 5})
            EXPECT_TRUE(p.ui.menu[static_cast<std::size_t>(entry)].enabled);

        for (int row = 1; row <= LAST_PAD_ROW; ++row) {
            SCOPED_TRACE(row);
            const bool used = row <= c.rows;
            EXPECT_EQ(p.ui.CNT(row).visible, used);
            EXPECT_EQ(p.ui.SPL(row).visible, used);
            EXPECT_EQ(p.ui.PKT(row).visible, used);
            for (int j = 1; j <= MAX_PLAYERS; ++j)
                EXPECT_EQ(cell(p, j, row).visible, used && j <= c.n) << "player " << j;
            if (!used) continue;
            const RowSlot& slot = rowLayoutTable(c.n).rows[static_cast<std::size_t>(row - 1)];
            EXPECT_EQ(p.ui.CNT(row).text, slot.label);
            EXPECT_EQ(p.ui.CNT(row).rect.top, slot.top);
            EXPECT_EQ(p.ui.PKT(row).rect.top, slot.top);
            for (int j = 1; j <= c.n; ++j) {
                EXPECT_EQ(cell(p, j, row).text, sitsOut(c.n, row, j) ? "xxx" : "") << j;
                EXPECT_EQ(cell(p, j, row).rect.top, slot.top);
                EXPECT_EQ(cell(p, j, row).rect.height, c.height);
            }
        }
        for (int j = 1; j <= MAX_PLAYERS; ++j) {
            EXPECT_EQ(p.ui.NMS(j).visible, j <= c.n) << j;
            EXPECT_EQ(p.ui.SPsum(j).visible, j <= c.n) << j;
            if (j > c.n) continue;
            EXPECT_EQ(p.ui.SPsum(j).rect.top, c.totalsTop);
            EXPECT_EQ(p.ui.SPsum(j).rect.height, c.height);
            EXPECT_EQ(p.ui.SPsum(j).text, "0");
        }
    }
}

TEST(NewPad, SmallerPadAfterSixPlayersLeavesNothingOfTheOldPadVisible) {
    for (int n : {4, 5}) {
        SCOPED_TRACE(n);
        TestProgram t;
        Program& p = t.p;
        frm0_MenuEvent(p, CMD_PAD6);
        ASSERT_TRUE(test::enterPair(p, 2, 3, 5));
        frm0_MenuEvent(p, padCommand(n));
        for (int row = 1; row <= LAST_PAD_ROW; ++row) {
            EXPECT_EQ(p.ui.CNT(row).visible, row <= 6 * n + 3) << row;
            EXPECT_EQ(p.ui.SPL(row).visible, row <= 6 * n + 3) << row;
            for (int j = n + 1; j <= MAX_PLAYERS; ++j)
                EXPECT_FALSE(cell(p, j, row).visible) << row;
        }
        for (int j = n + 1; j <= MAX_PLAYERS; ++j) {
            EXPECT_FALSE(p.ui.NMS(j).visible) << j;
            EXPECT_FALSE(p.ui.SPsum(j).visible) << j;
        }
        // Neither the entered game nor the six-player marks survive.
        EXPECT_EQ(p.ui.SPL(1).text, "");
        EXPECT_EQ(rowTexts(p, 1), (n == 4 ? Texts{"", "", "", ""} : Texts{"xxx", "", "", "", ""}));
        EXPECT_EQ(p.ui.NMS(1).background, padBackColour);
    }
}

TEST(NewPad, ClearingAFivePlayerPadKeepsCountAndNames) {
    TestProgram t;
    Program& p = t.p;
    frm0_MenuEvent(p, CMD_PAD5);
    const Texts names{"Anna", "Bernd", "Carla", "Dieter", "Eva"};
    for (int k = 1; k <= 5; ++k)
        ASSERT_TRUE(editName(p, k, names[static_cast<std::size_t>(k - 1)]));
    ASSERT_TRUE(test::enterPair(p, 2, 3, 4));
    ASSERT_TRUE(test::enterPair(p, 1, 3, 2));
    ASSERT_TRUE(test::enterSolo(p, 4, 9, 1));
    ASSERT_TRUE(test::enterPenalty(p, 5));
    ASSERT_EQ(p.pad.dealer, 3);

    frm0_MenuEvent(p, CMD_CLEAR_PAD);
    EXPECT_EQ(p.pad.playerCount, 5);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(p.pad.playerNames[static_cast<std::size_t>(k)], p.ui.NMS(k).text);
        EXPECT_EQ(p.ui.NMS(k).text, names[static_cast<std::size_t>(k - 1)]);
        EXPECT_EQ(p.ui.SPsum(k).text, "0");
        EXPECT_EQ(p.ui.SPsum(k).background, padBackColour);
    }
    EXPECT_EQ(p.pad.dealer, 1);
    EXPECT_EQ(p.ui.status(2), "Geber: Anna");
    EXPECT_EQ(p.ui.status(4), "Umsatz: 0");
    EXPECT_EQ(p.ui.status(5), "Gespielt: ");
    EXPECT_EQ(p.ui.status(6), "Soli: ");
    EXPECT_EQ(rowTexts(p, 2), (Texts{"", "xxx", "", "", ""}));
    EXPECT_EQ(rowTexts(p, 26), Texts(5, ""));
    for (int row : {1, 26, 31}) {
        EXPECT_EQ(p.ui.SPL(row).text, "") << row;
        EXPECT_EQ(p.ui.PKT(row).text, "") << row;
        for (int value : p.pad.gameTable[static_cast<std::size_t>(row)])
            EXPECT_EQ(value, INT_MIN);
    }
    EXPECT_TRUE(p.ui.WER2(4).visible);  // the solo played before counts no more
}

}  // namespace
}  // namespace kx
