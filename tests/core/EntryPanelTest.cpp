#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "core/Program.h"
#include "support/TestProgram.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::act;
using Ints = std::vector<int>;

// A program with a new pad for n players.
struct Pad : test::TestProgram {
    explicit Pad(int n) { newPad(p, n); }
};

// Indices of the controls of a group whose flag has the given value.
Ints where(const ControlArray& group, Tracked<bool> Control::*flag, bool value) {
    Ints found;
    for (const Control& c : group)
        if (c.*flag == value) found.push_back(c.index);
    return found;
}

Ints range(int from, int to) {
    Ints r(static_cast<std::size_t>(to - from + 1));
    std::iota(r.begin(), r.end(), from);
    return r;
}

// After a mode switch or a new pad nothing may remain chosen.
void expectNothingChosen(const Program& p) {
    const PadState& s = p.pad;
    EXPECT_EQ((Ints{s.chosenPlayer, s.chosenPartner, s.gameValue, s.soloValue, s.soloDealer,
                    s.soloSecondSitOut}),
              Ints(6, 0));
    EXPECT_EQ(
        (Ints{checkedOption(p.ui.WER1), checkedOption(p.ui.WER2), checkedOption(p.ui.WER3),
              p.ui.WAS1.selection, p.ui.WAS1s.selection, p.ui.WAS2.selection, p.ui.WIE2.selection}),
        (Ints{0, 0, 0, -1, -1, -1, -1}));
}

TEST(EntryPanelTest, PreviousSeatIsTakenOnARingOfSixSeats) {
    const int expected[] = {0, 6, 1, 2, 3, 4, 5};
    for (int seat = 1; seat <= 6; ++seat)
        EXPECT_EQ(previousSeat(seat), expected[seat]) << seat;
}

// Each choice is reached from a value picked for the other kind of choice:
// the list that no longer fits is hidden and loses its pick, the value taken
// stays, and "OK" ignores the entry until the fitting list gets a pick.
TEST(EntryPanelTest, PlayerChoiceGivesWinnersAndShowsOnlyTheFittingValueList) {
    const struct {
        int choice, player, partner;
        const char* value;
    } cases[] = {{9, 3, 5, "18"},  {4, 2, 3, "0"},   {10, 4, 5, "7"},
                 {19, 4, 4, "-9"}, {17, 2, 2, "39"}, {20, 5, 5, "-3"}};
    Pad t(6);  // single players are offered from the start at six players
    Program& p = t.p;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        const bool single = c.player == c.partner;
        ASSERT_TRUE(
            act(p, {"MDS 2", "MDS 1", single ? "WER1 4" : "WER1 17",
                    single ? "WAS1 12" : "WAS1s -6", "WER1 " + std::to_string(c.choice), "OK"}));
        const Control& fitting = single ? p.ui.WAS1s : p.ui.WAS1;
        const Control& other = single ? p.ui.WAS1 : p.ui.WAS1s;
        EXPECT_EQ((Ints{p.pad.chosenPlayer, p.pad.chosenPartner, p.pad.gameValue, fitting.visible,
                        other.visible, other.selection, p.pad.nextGameRow}),
                  (Ints{c.player, c.partner, single ? 12 : -6, true, false, -1, 1}));
        ASSERT_TRUE(act(p, {(single ? "WAS1s " : "WAS1 ") + std::string(c.value)}));
        EXPECT_EQ(p.pad.gameValue, std::stoi(c.value));
    }
    ASSERT_TRUE(act(p, {"OK"}));  // now complete: player 5 alone for -3
    EXPECT_EQ(p.pad.gamePoints[5], -3);
}

TEST(EntryPanelTest, SoloDealerGivesTheSeatBeforeAsSecondSitOut) {
    Pad t(6);
    for (const Ints& c : {Ints{1, 6}, Ints{4, 3}, Ints{6, 5}}) {
        ASSERT_TRUE(act(t.p, {"MDS 2", "WIE2 " + std::to_string(c[0])}));
        EXPECT_EQ((Ints{t.p.pad.soloDealer, t.p.pad.soloSecondSitOut}), c);
    }
}

// Every mode enables exactly its own section, shows or hides nothing and
// starts from an empty entry, whatever the previous mode had chosen.
TEST(EntryPanelTest, ModeSwitchEnablesItsSectionAndClearsTheEntry) {
    Pad t(5);
    Program& p = t.p;
    auto shown = [&p] {
        std::vector<bool> v;
        for (const Control* c : p.ui.controls())
            v.push_back(c->visible);
        return v;
    };
    const std::vector<bool> before = shown();
    const Ints dealerOne{1, 2, 3, 7, 11, 16};  // dealer 1 sits out at five players
    const struct {
        int mode;
        std::vector<std::string> picks;  // made before switching on
    } steps[] = {{1, {"WER1 4", "WAS1 5"}},
                 {2, {"WER2 3", "WAS2 -6", "WIE2 2"}},
                 {3, {"WER3 2"}},
                 {1, {"WER1 9", "WAS1 18"}},
                 {2, {}}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.mode);
        ASSERT_TRUE(act(p, {"MDS " + std::to_string(step.mode)}));
        EXPECT_EQ(p.pad.entryMode, step.mode);
        expectNothingChosen(p);
        EXPECT_EQ(shown(), before);
        EXPECT_EQ(where(p.ui.WER1, &Control::enabled, false),
                  step.mode == 1 ? dealerOne : range(1, 21));
        EXPECT_EQ(where(p.ui.WER2, &Control::enabled, true), step.mode == 2 ? range(1, 6) : Ints{});
        EXPECT_EQ(where(p.ui.WER3, &Control::enabled, true), step.mode == 3 ? range(1, 6) : Ints{});
        EXPECT_EQ((std::vector<bool>{p.ui.WAS1.enabled, p.ui.WAS1s.enabled, p.ui.WAS2.enabled,
                                     p.ui.WIE2.enabled, p.ui.OKB.usable()}),
                  (std::vector<bool>{step.mode == 1, step.mode == 1, step.mode == 2, step.mode == 2,
                                     true}));
        ASSERT_TRUE(act(p, step.picks));
    }
}

TEST(EntryPanelTest, SpielModeDisablesTheChoicesOfPlayersWhoSitOut) {
    const struct {
        int n, gamesBefore;
        Ints disabled, shown;
    } cases[] = {
        {4, 3, {}, range(1, 6)},
        {5, 1, {1, 4, 5, 8, 12, 17}, range(1, 10)},                      // dealer 2
        {6, 0, {1, 2, 3, 7, 11, 12, 13, 14, 15, 16, 21}, range(1, 21)},  // players 1 and 6
        {6, 3, {2, 3, 4, 5, 6, 9, 10, 13, 14, 18, 19}, range(1, 21)},    // players 4 and 3
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << " players after " << c.gamesBefore << " games");
        Pad t(c.n);
        for (int g = 0; g < c.gamesBefore; ++g)
            ASSERT_TRUE(test::passDeal(t.p));
        ASSERT_TRUE(act(t.p, {"MDS 3", "MDS 1"}));
        EXPECT_EQ(where(t.p.ui.WER1, &Control::enabled, false), c.disabled);
        EXPECT_EQ(where(t.p.ui.WER1, &Control::visible, true), c.shown);
    }
}

TEST(EntryPanelTest, RenamingTheDealerShowsTheNewNameAtOnce) {
    Pad t(4);
    Program& p = t.p;
    ASSERT_TRUE(test::passDeal(p) && test::passDeal(p));
    ASSERT_TRUE(editName(p, 3, "Carla"));
    EXPECT_EQ(p.ui.status(2), "Geber: Carla");
    ASSERT_TRUE(editName(p, 4, "Dieter"));
    EXPECT_EQ(p.ui.status(2), "Geber: Carla");
    EXPECT_EQ(p.pad.playerNames[4], "Dieter");
    ASSERT_TRUE(test::passDeal(p));
    EXPECT_EQ(p.ui.status(2), "Geber: Dieter");
}

// The new pad starts from a panel left far from fresh: six players, a solo
// and all penalties entered, and a single player picked with its value, so
// that WAS1s stands in WAS1's place.
TEST(EntryPanelTest, NewPadResetsThePanelForItsPlayerCount) {
    for (const Ints& c : {Ints{4, 6}, Ints{5, 10}, Ints{6, 21}}) {
        const int n = c[0];
        SCOPED_TRACE(n);
        Pad t(6);
        Program& p = t.p;
        ASSERT_TRUE(test::enterSolo(p, 2, 9, 4));
        for (int player : {1, 2, 3})
            ASSERT_TRUE(test::enterPenalty(p, player));
        ASSERT_TRUE(act(p, {"MDS 1", "WER1 17", "WAS1s -9"}));

        newPad(p, n);
        EXPECT_EQ(checkedOption(p.ui.MDS), 1);
        EXPECT_EQ(where(p.ui.MDS, &Control::enabled, true), range(1, 3));
        EXPECT_EQ(p.pad.entryMode, 1);
        expectNothingChosen(p);
        EXPECT_EQ((std::vector<bool>{p.ui.WAS1.visible, p.ui.WAS1s.visible, p.ui.WAS2.visible,
                                     p.ui.WIE2.visible}),
                  (std::vector<bool>{true, false, true, n > 4}));
        EXPECT_EQ(p.ui.WIE2.items.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(p.ui.WIE2.items.front() + p.ui.WIE2.items.back(), "1" + std::to_string(n));
        EXPECT_EQ(where(p.ui.WER1, &Control::visible, true), range(1, c[1]));
        for (const ControlArray* group : {&p.ui.WER2, &p.ui.WER3, &p.ui.NMS})
            EXPECT_EQ(where(*group, &Control::visible, true), range(1, n));
    }
}

TEST(EntryPanelTest, FourPlayerSoloIsEnteredWithoutADealer) {
    Pad t(4);
    EXPECT_FALSE(act(t.p, {"MDS 2", "WIE2 1"}));  // no dealer list at four players
    ASSERT_TRUE(act(t.p, {"WER2 2", "WAS2 -9", "OK"}));
    EXPECT_EQ(test::rowTexts(t.p, 21), (std::vector<std::string>{"3", "-9", "3", "3"}));
    EXPECT_EQ((Ints{t.p.pad.nextSoloRow, t.p.pad.gameTable[21][8], t.p.pad.gameTable[21][9]}),
              (Ints{22, 0, 0}));
}

}  // namespace
}  // namespace kx
