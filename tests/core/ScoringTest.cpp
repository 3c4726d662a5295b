#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/EntryPanel.h"
#include "core/Program.h"
#include "support/TestProgram.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::act;
using test::TestProgram;

// A program with a new pad for n players.
struct Pad : TestProgram {
    explicit Pad(int n) { newPad(p, n); }
};
using Ints = std::vector<int>;
using Texts = std::vector<std::string>;

Ints firstN(const PlayerValues& v, int n) {
    return {v.begin() + 1, v.begin() + 1 + n};
}

// Cells 0, 1, 8 and 9 of a row: players, value, dealer, second sit-out.
Ints rowInfo(const Program& p, int row) {
    const GameRow& c = p.pad.gameTable[static_cast<std::size_t>(row)];
    return {c[0], c[1], c[8], c[9]};
}

bool autosaveExists(const TestProgram& t) {
    return std::filesystem::exists(t.file("autosave.hsc"));
}

// In "Spiel" mode exactly the choices whose caption names a player who sits
// out are disabled.
void expectSitOutChoicesDisabled(const Program& p) {
    const int n = p.pad.playerCount;
    const std::string out = n == 4 ? ""
                            : n == 5
                                ? std::to_string(p.pad.dealer)
                                : std::to_string(p.pad.dealer) + std::to_string(p.pad.secondSitOut);
    for (const Control& c : p.ui.WER1)
        EXPECT_EQ(c.enabled, c.text.find_first_of(out) == std::string::npos) << c.text;
}

// The deal is first passed on with games worth 0, so the game under test goes
// into row `dealer` from zero totals. A single player is offered at four and
// five players only after his mandatory solo, so that comes first.
TEST(ScoringTest, NormalGameMovesPointsWritesTheRowAndPassesTheDeal) {
    const struct {
        int n, dealer, first, second, value;
        const char* spl;
        Ints points;  // gamePoints of players 1..n afterwards
        Texts cells;  // the row's player cells
        int dealerAfter, secondAfter;
    } cases[] = {
        {4, 1, 1, 2, 3, "1 / 2", {3, 3, -3, -3}, {"3", "3", "-3", "-3"}, 2, 6},
        {4, 2, 2, 4, 18, "2 / 4", {-18, 18, -18, 18}, {"-18", "18", "-18", "18"}, 3, 6},
        {4, 4, 3, 4, 0, "3 / 4", {0, 0, 0, 0}, {"0", "0", "0", "0"}, 1, 6},
        {5, 3, 1, 2, 2, "1 / 2", {2, 2, 0, -2, -2}, {"2", "2", "xxx", "-2", "-2"}, 4, 6},
        {5, 5, 1, 4, 7, "1 / 4", {7, -7, -7, 7, 0}, {"7", "-7", "-7", "7", "xxx"}, 1, 6},
        {6, 4, 1, 2, 1, "1 / 2", {1, 1, 0, 0, -1, -1}, {"1", "1", "xxx", "xxx", "-1", "-1"}, 5, 4},
        {6, 1, 2, 5, 4, "2 / 5", {0, 4, -4, -4, 4, 0}, {"xxx", "4", "-4", "-4", "4", "xxx"}, 2, 1},
        {4, 1, 2, 2, -9, "2", {3, -9, 3, 3}, {"3", "-9", "3", "3"}, 2, 6},
        {5, 2, 3, 3, 12, "3", {-4, 0, 12, -4, -4}, {"-4", "xxx", "12", "-4", "-4"}, 3, 6},
        {6, 2, 4, 4, -6, "4", {0, 0, 2, -6, 2, 2}, {"xxx", "xxx", "2", "-6", "2", "2"}, 3, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << " players, " << c.spl << " for " << c.value);
        Pad t(c.n);
        Program& p = t.p;
        const bool single = c.first == c.second;
        if (single && c.n < 6) {
            ASSERT_TRUE(test::enterSolo(p, c.first, 3, c.n == 4 ? 0 : c.first % c.n + 1));
        }
        while (p.pad.dealer != c.dealer)
            ASSERT_TRUE(test::passDeal(p));
        const int row = c.dealer, secondBefore = p.pad.secondSitOut;
        ASSERT_TRUE(single ? test::enterSingle(p, c.first, c.value)
                           : test::enterPair(p, c.first, c.second, c.value));
        EXPECT_EQ(firstN(p.pad.gamePoints, c.n), c.points);
        EXPECT_EQ(test::rowTexts(p, row), c.cells);
        EXPECT_EQ(p.ui.SPL(row).text + " " + p.ui.PKT(row).text,
                  c.spl + (" " + std::to_string(c.value)));
        EXPECT_EQ(rowInfo(p, row), (Ints{single ? c.first : 10 * c.first + c.second, c.value,
                                         c.dealer, secondBefore}));
        EXPECT_EQ((Ints{p.pad.dealer, p.pad.secondSitOut, p.pad.nextGameRow}),
                  (Ints{c.dealerAfter, c.secondAfter, row + 1}));
        EXPECT_EQ(p.ui.status(2) + ", " + p.ui.status(5),
                  "Geber: " + std::to_string(c.dealerAfter) + ", Gespielt: " + std::to_string(row));
        expectSitOutChoicesDisabled(p);
    }
}

TEST(ScoringTest, LastNormalGameClosesTheSectionAndKeepsTheDealer) {
    Pad t(4);
    Program& p = t.p;
    for (int g = 1; g < 20; ++g)
        ASSERT_TRUE(test::passDeal(p));
    ASSERT_TRUE(test::enterPair(p, 2, 3, 5));
    EXPECT_EQ(rowInfo(p, 20), (Ints{23, 5, 4, 6}));
    EXPECT_EQ((Ints{p.pad.dealer, p.pad.nextGameRow}), (Ints{4, 21}));
    EXPECT_EQ(p.ui.status(2), "Geber: 4");
    EXPECT_EQ(p.ui.status(5), "Gespielt: 20");
    EXPECT_TRUE(p.pad.gamesComplete);
    EXPECT_TRUE(p.pad.padRunning);  // the solos are still open
    EXPECT_FALSE(p.ui.MDS(1).enabled || p.ui.WAS1.visible || p.ui.WAS1s.visible);
    for (const Control& c : p.ui.WER1)
        EXPECT_FALSE(c.visible) << c.index;
}

TEST(ScoringTest, SoloCountsOnlyThePlayersWhoTakePart) {
    const struct {
        int n, soloist, value, dealer, second;
        Ints points;
        Texts cells;
    } cases[] = {
        {4, 3, -12, 0, 0, {4, 4, -12, 4}, {"4", "4", "-12", "4"}},
        {5, 2, 9, 4, 3, {-3, 9, -3, 0, -3}, {"-3", "9", "-3", "xxx", "-3"}},
        {6, 1, 12, 3, 2, {12, 0, 0, -4, -4, -4}, {"12", "xxx", "xxx", "-4", "-4", "-4"}},
        {6, 6, -39, 2, 1, {0, 0, 13, 13, 13, -39}, {"xxx", "xxx", "13", "13", "13", "-39"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << " players, soloist " << c.soloist);
        Pad t(c.n);
        Program& p = t.p;
        const int row = 5 * c.n + 1;
        ASSERT_TRUE(test::enterSolo(p, c.soloist, c.value, c.dealer));
        EXPECT_EQ(firstN(p.pad.soloPoints, c.n), c.points);
        EXPECT_EQ(test::rowTexts(p, row), c.cells);
        EXPECT_EQ(p.ui.SPL(row).text + " " + p.ui.PKT(row).text,
                  std::to_string(c.soloist) + " " + std::to_string(c.value));
        EXPECT_EQ(rowInfo(p, row), (Ints{c.soloist, c.value, c.dealer, c.second}));
        EXPECT_EQ(p.pad.nextSoloRow, row + 1);
        EXPECT_FALSE(p.ui.WER2(c.soloist).visible);
        // A solo counts as a solo only: the deal and the games stay as they were.
        EXPECT_EQ(p.ui.status(2) + ", " + p.ui.status(5) + ", " + p.ui.status(6),
                  "Geber: 1, Gespielt: , Soli: 1");
    }
}

// The value calculator and quick entry may enter values the lists cannot
// hold; "OK" enters them as any other, and only beyond the lists.
TEST(ScoringTest, ValuesBeyondTheListsAreEnteredLikeListedOnes) {
    Pad t(5);
    Program& p = t.p;
    const std::string pair34 = "WER1 " + std::to_string(test::pairChoice(3, 4));
    ASSERT_TRUE(act(p, {pair34}));  // dealer 1 sits out
    for (int refused : {18, 0, -21, 1000})
        EXPECT_FALSE(chooseValueBeyondList(p, refused)) << refused;
    ASSERT_TRUE(chooseValueBeyondList(p, 21));
    ASSERT_TRUE(act(p, {"OK"}));
    EXPECT_EQ(rowInfo(p, 1), (Ints{34, 21, 1, 6}));
    EXPECT_EQ(firstN(p.pad.gamePoints, 5), (Ints{0, -21, 21, 21, -21}));
    EXPECT_EQ(p.ui.SP[4](1).text, "21");
    EXPECT_EQ(p.ui.PKT(1).text, "21");
    EXPECT_FALSE(p.pad.valueBeyondList);

    ASSERT_TRUE(act(p, {"MDS 2", "WER2 4"}));
    for (int refused : {39, 40, -1002})
        EXPECT_FALSE(chooseValueBeyondList(p, refused)) << refused;
    ASSERT_TRUE(chooseValueBeyondList(p, -42));
    ASSERT_TRUE(act(p, {"OK"}));  // at five players a solo needs its dealer
    EXPECT_EQ(p.pad.nextSoloRow, 26);
    ASSERT_TRUE(act(p, {"WIE2 1", "OK"}));
    EXPECT_EQ(rowInfo(p, 26), (Ints{4, -42, 1, 6}));
    EXPECT_EQ(firstN(p.pad.soloPoints, 5), (Ints{0, 14, 14, -42, 14}));

    // A list choice after it takes the list's value again.
    ASSERT_TRUE(act(p, {"MDS 1", pair34}));
    ASSERT_TRUE(chooseValueBeyondList(p, 30));
    ASSERT_TRUE(act(p, {"WAS1 2", "OK"}));
    EXPECT_EQ(rowInfo(p, 2)[1], 2);
}

// A soloist who sits out under the chosen dealer loses only the dealer choice.
TEST(ScoringTest, SoloByAPlayerWhoSitsOutLosesItsDealer) {
    for (const Ints& c : {Ints{5, 2, 2}, Ints{6, 1, 1}, Ints{6, 2, 3}}) {
        const int n = c[0], soloist = c[1], dealer = c[2];
        SCOPED_TRACE(testing::Message() << n << " players, soloist " << soloist);
        Pad t(n);
        Program& p = t.p;
        ASSERT_TRUE(test::enterSolo(p, soloist, 9, dealer));
        EXPECT_EQ(p.pad.nextSoloRow, 5 * n + 1);  // nothing entered
        EXPECT_EQ((Ints{p.ui.WIE2.selection, p.pad.soloDealer, p.pad.soloSecondSitOut,
                        p.pad.chosenPlayer, p.pad.soloValue}),
                  (Ints{-1, 0, 0, soloist, 9}));
        EXPECT_FALSE(autosaveExists(t));
        // The rest of the entry stands: a fitting dealer completes it.
        ASSERT_TRUE(act(p, {"WIE2 " + std::to_string((soloist + 1) % n + 1), "OK"}));
        EXPECT_EQ(p.pad.soloPoints[static_cast<std::size_t>(soloist)], 9);
    }
}

TEST(ScoringTest, SinglePlayerChoiceAppearsAfterTheSoloOnlyWhileGamesRemain) {
    Pad t(4);
    Program& p = t.p;
    ASSERT_TRUE(test::enterSolo(p, 3, 6));
    for (int k = 16; k <= 21; ++k)
        EXPECT_EQ(p.ui.WER1(k).visible, k == 18) << k;
    for (int g = 1; g <= 20; ++g)
        ASSERT_TRUE(test::passDeal(p));
    ASSERT_TRUE(test::enterSolo(p, 1, -3));
    for (const Control& c : p.ui.WER1)
        EXPECT_FALSE(c.visible) << c.index;
}

TEST(ScoringTest, ThirdPenaltyFillsTheLastRowAndClosesTheSection) {
    const struct {
        int player, row, nextRow;
        Ints points;
    } steps[] = {
        {1, 25, 26, {-12, 4, 4, 4}}, {2, 26, 27, {-8, -8, 8, 8}}, {3, 27, 27, {-4, -4, -4, 12}}};
    Pad t(4);
    Program& p = t.p;
    for (const auto& s : steps) {
        ASSERT_TRUE(test::enterPenalty(p, s.player));
        EXPECT_EQ(firstN(p.pad.penaltyPoints, 4), s.points);
        EXPECT_EQ(p.pad.nextPenaltyRow, s.nextRow);
        EXPECT_EQ(p.ui.SPL(s.row).text + " " + p.ui.PKT(s.row).text,
                  std::to_string(s.player) + " -12");
        EXPECT_EQ(rowInfo(p, s.row), (Ints{s.player, -12, 1, 6}));
        EXPECT_EQ(p.ui.MDS(3).enabled, s.row != 27);
    }
    EXPECT_EQ(test::rowTexts(p, 27), (Texts{"-4", "-4", "-4", "12"}));
    for (const Control& c : p.ui.WER3)
        EXPECT_FALSE(c.visible) << c.index;
    EXPECT_EQ(p.ui.status(6), "Soli: ");
}

TEST(ScoringTest, SixPlayerPenaltySparesTheSecondSitOutOnly) {
    Pad t(6);
    Program& p = t.p;
    for (int g = 0; g < 3; ++g)
        ASSERT_TRUE(test::passDeal(p));  // dealer 4, second sit-out 3
    std::filesystem::remove(t.file("autosave.hsc"));
    ASSERT_TRUE(test::enterPenalty(p, 3));
    EXPECT_EQ(checkedOption(p.ui.WER3), 0);
    EXPECT_EQ(p.pad.nextPenaltyRow, 37);
    EXPECT_EQ(p.pad.penaltyPoints, PlayerValues{});
    EXPECT_FALSE(autosaveExists(t));

    ASSERT_TRUE(test::enterPenalty(p, 4));
    EXPECT_EQ(firstN(p.pad.penaltyPoints, 6), (Ints{3, 3, 0, -12, 3, 3}));
    EXPECT_EQ(test::rowTexts(p, 37), (Texts{"3", "3", "xxx", "-12", "3", "3"}));
    EXPECT_EQ(rowInfo(p, 37), (Ints{4, -12, 4, 3}));
    EXPECT_EQ((Ints{p.pad.dealer, p.pad.secondSitOut}), (Ints{4, 3}));
}

// An incomplete entry leaves the pad exactly as it was and writes no file.
// Five players, dealer 2; choice 6 is "3 / 4".
TEST(ScoringTest, IncompleteEntryChangesNothing) {
    const std::vector<Texts> cases = {{},
                                      {"WER1 6"},
                                      {"WAS1 5"},
                                      {"WER1 6", "WAS1 5", "MDS 3"},
                                      {"MDS 2", "WER2 2"},
                                      {"MDS 2", "WER2 2", "WAS2 9"},
                                      {"MDS 2", "WAS2 9", "WIE2 3"},
                                      {"MDS 3"}};
    for (const Texts& clicks : cases) {
        SCOPED_TRACE(testing::PrintToString(clicks));
        Pad t(5);
        Program& p = t.p;
        ASSERT_TRUE(test::passDeal(p));
        std::filesystem::remove(t.file("autosave.hsc"));
        auto state = [&p] {
            const PadState& s = p.pad;
            return std::tuple(
                s.gameTable, s.gamePoints, s.soloPoints, s.penaltyPoints,
                Ints{s.nextGameRow, s.nextSoloRow, s.nextPenaltyRow, s.dealer},
                Texts{p.ui.status(2), p.ui.status(4), p.ui.status(5), p.ui.status(6)});
        };
        const auto before = state();
        ASSERT_TRUE(act(p, clicks) && act(p, {"OK"}));
        EXPECT_EQ(state(), before);
        EXPECT_FALSE(autosaveExists(t));
    }
}

// Each committed entry writes the autosave file once (every file write shows
// the busy pointer once); an ignored entry and a switched-off option write none.
TEST(ScoringTest, AutosaveWritesOnceForEachCommittedEntry) {
    const std::vector<std::pair<Texts, bool>> steps = {
        {{"WER1 1", "WAS1 4", "OK"}, true}, {{"MDS 2", "WER2 2", "OK"}, false},
        {{"WAS2 -6", "OK"}, true},          {{"MDS 3", "WER3 3", "OK"}, true},
        {{"MDS 1", "OK"}, false},
    };
    for (bool autosave : {true, false}) {
        SCOPED_TRACE(autosave ? "autosave on" : "autosave off");
        Pad t(4);
        Program& p = t.p;
        p.pad.autosaveEnabled = autosave;
        for (const auto& [clicks, commits] : steps) {
            std::filesystem::remove(t.file("autosave.hsc"));
            const int busyBefore = t.host.busyCalls;
            ASSERT_TRUE(act(p, clicks));
            EXPECT_EQ(autosaveExists(t), autosave && commits);
            EXPECT_EQ(t.host.busyCalls - busyBefore, autosave && commits ? 2 : 0);
        }
        EXPECT_EQ((Ints{p.pad.nextGameRow, p.pad.nextSoloRow, p.pad.nextPenaltyRow}),
                  (Ints{2, 22, 26}));
    }
}

}  // namespace
}  // namespace kx
