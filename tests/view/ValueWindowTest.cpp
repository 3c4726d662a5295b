// The window "Spielwert" as a model: who may be ticked for Re, what
// "Übernehmen" chooses on the panel, and that "OK" then enters the game.
#include <gtest/gtest.h>

#include <functional>

#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/PadLayout.h"
#include "view/RulesWindow.h"
#include "view/UserActions.h"
#include "view/ValueWindow.h"

namespace kx {
namespace {

using test::TestProgram;

std::vector<int> allowedForRe(const Program& p, const ValueInputs& in) {
    std::vector<int> allowed;
    for (int k = 1; k <= 6; ++k) {
        if (mayPlayRe(p, in, k)) allowed.push_back(k);
    }
    return allowed;
}

ValueInputs inputs(const Program& p, ValueKind kind, std::vector<int> re, int reCardPoints) {
    ValueInputs in = valueWindowOpened(p);
    in.kind = kind;
    in.play.solo = kind != ValueKind::Game;
    in.re = std::move(re);
    in.play.reCardPoints = reCardPoints;
    return in;
}

struct PlayersRow {
    const char* what;
    int players;
    std::function<void(Program&)> before;
    ValueKind kind;
    std::vector<int> allowed;
    std::vector<int> re;      // ticked
    std::vector<int> kontra;  // then shown for Kontra
};

TEST(ValueWindowPlayers, OnlyThoseWhoTakePartAndMayPlayThatGame) {
    using enum ValueKind;
    const auto nothing = [](Program&) {};
    const auto soloOf2 = [](Program& p) { ASSERT_TRUE(test::enterSolo(p, 2, 9)); };
    const auto oneGame = [](Program& p) { ASSERT_TRUE(test::passDeal(p)); };
    const PlayersRow rows[] = {
        {"4: everybody", 4, nothing, Game, {1, 2, 3, 4}, {1, 3}, {2, 4}},
        {"4: alone only after the own solo", 4, nothing, Single, {}, {}, {1, 2, 3, 4}},
        {"4: player 2 after his solo", 4, soloOf2, Single, {2}, {2}, {1, 3, 4}},
        {"4: solos not yet played", 4, soloOf2, MandatorySolo, {1, 3, 4}, {3}, {1, 2, 4}},
        {"5: the dealer sits out", 5, nothing, Game, {2, 3, 4, 5}, {2, 5}, {3, 4}},
        {"5: the deal moved on", 5, oneGame, Game, {1, 3, 4, 5}, {1, 4}, {3, 5}},
        {"5: solo without a dealer yet", 5, nothing, MandatorySolo, {1, 2, 3, 4, 5}, {4}, {}},
        {"6: dealer and the seat before", 6, nothing, Game, {2, 3, 4, 5}, {2, 3}, {4, 5}},
        {"6: alone from the start", 6, nothing, Single, {2, 3, 4, 5}, {5}, {2, 3, 4}},
    };
    for (const PlayersRow& row : rows) {
        SCOPED_TRACE(row.what);
        TestProgram t;
        newPad(t.p, row.players);
        row.before(t.p);
        ValueInputs in = valueWindowOpened(t.p);
        const std::string kind = "spiel_" + std::to_string(static_cast<int>(row.kind));
        valueWindowInput(t.p, in, kind, 1);
        // A kind nobody may play is not offered.
        EXPECT_EQ(valueWindowView(t.p, in).field(kind)->enabled, !row.allowed.empty());
        in.kind = row.kind;
        EXPECT_EQ(allowedForRe(t.p, in), row.allowed);
        for (int k : row.re)
            valueWindowInput(t.p, in, "re_" + std::to_string(k), 1);
        EXPECT_EQ(in.re, row.re);
        EXPECT_EQ(kontraPlayers(t.p, in), row.kontra);
    }
}

TEST(ValueWindowPlayers, TickingAndUnticking) {
    TestProgram t;
    newPad(t.p, 5);  // dealer 1
    ValueInputs in = valueWindowOpened(t.p);
    for (const char* name : {"re_2", "re_3", "re_1", "re_5"})
        valueWindowInput(t.p, in, name, 1);
    EXPECT_EQ(in.re, (std::vector<int>{3, 5}));  // the dealer stays out, a third replaces the first
    valueWindowInput(t.p, in, "re_3", 0);
    EXPECT_EQ(in.re, (std::vector<int>{5}));
    EXPECT_FALSE(valueWindowView(t.p, in).field("geber")->visible);
    valueWindowInput(t.p, in, "spiel_3", 1);  // a soloist is one player; 5 stays
    valueWindowInput(t.p, in, "re_4", 1);
    EXPECT_EQ(in.re, (std::vector<int>{4}));
    EXPECT_TRUE(valueWindowView(t.p, in).field("geber")->visible);
    EXPECT_FALSE(valueWindowView(t.p, in).field("re_6")->visible);
}

TEST(ValueWindowInputs, CardPointsAnnouncementsAndExtraPoints) {
    TestProgram t;
    newPad(t.p, 4);
    ValueInputs in = valueWindowOpened(t.p);
    EXPECT_EQ(in.play.reCardPoints, 121);
    valueWindowInput(t.p, in, "augen_kontra", 160);
    EXPECT_EQ(in.play.reCardPoints, 80);
    EXPECT_EQ(valueWindowView(t.p, in).field("augen_re")->value, 80);
    valueWindowInput(t.p, in, "augen_re", 300);  // beyond the deck: as far as it goes
    EXPECT_EQ(in.play.reCardPoints, 240);
    valueWindowInput(t.p, in, "ohne_stich_re", 1);  // no trick, no card points
    EXPECT_EQ(in.play.reCardPoints, 0);
    valueWindowInput(t.p, in, "absage_kontra", 2);  // "keine 60" includes the announcement
    ValueWindowView view = valueWindowView(t.p, in);
    EXPECT_EQ(in.play.kontra.absage, Absage::No60);
    EXPECT_EQ(view.field("ansage_kontra")->value, 1);
    EXPECT_FALSE(view.field("ansage_kontra")->enabled);
    valueWindowInput(t.p, in, "fuchs_kontra", 2);
    valueWindowInput(t.p, in, "karlchen_kontra", 1);
    EXPECT_EQ(in.play.kontra.foxesCaught, 2);
    valueWindowInput(t.p, in, "spiel_3", 1);  // a solo has no extra points
    view = valueWindowView(t.p, in);
    EXPECT_EQ(in.play.kontra.foxesCaught, 0);
    EXPECT_EQ(in.play.kontra.karlchen, 0);
    EXPECT_FALSE(view.field("fuchs_kontra")->enabled);
    valueWindowInput(t.p, in, "fuchs_kontra", 1);  // disabled: nothing changes
    EXPECT_EQ(in.play.kontra.foxesCaught, 0);
}

// The house rules' private extra points get a row each when switched on;
// tournament ones switched off cannot be entered; the value follows the rules.
TEST(ValueWindowInputs, ExtraPointsFollowTheHouseRules) {
    TestProgram t;
    newPad(t.p, 4);
    ValueInputs in = valueWindowOpened(t.p);
    const ValueWindowView before = valueWindowView(t.p, in);
    EXPECT_FALSE(before.field("karlfang_re")->visible);
    HouseRules rules;
    rules.values.karlchenCaught = rules.values.foxLastTrick = true;
    rules.values.foxCaught = false;
    ASSERT_TRUE(changeHouseRules(t.p, rules));
    ValueWindowView view = valueWindowView(t.p, in);
    EXPECT_TRUE(view.field("karlfang_kontra")->visible);
    EXPECT_TRUE(view.field("fuchsletzt_re")->visible);
    EXPECT_FALSE(view.field("dulle_re")->visible);
    EXPECT_FALSE(view.field("fuchs_re")->enabled);
    EXPECT_EQ(view.height, before.height + 2 * 24);  // two more rows
    EXPECT_GT(view.field("abrechnung")->rect.top, view.field("fuchsletzt_re")->rect.top);

    valueWindowInput(t.p, in, "re_1", 1);
    valueWindowInput(t.p, in, "re_2", 1);
    valueWindowInput(t.p, in, "augen_re", 130);
    valueWindowInput(t.p, in, "karlfang_re", 1);
    EXPECT_EQ(in.play.re.karlchenCaught, 1);
    const ValueTakeOver takeOver = valueTakeOver(t.p, in);
    EXPECT_EQ(takeOver.value.valueForRe, 2);
    EXPECT_NE(
        valueWindowView(t.p, in).field("abrechnung")->text.find("Karlchen gefangen (Hausregel) 1"),
        std::string::npos);
    // Switched off again, the point neither counts nor stands in the way.
    ASSERT_TRUE(changeHouseRules(t.p, HouseRules{}));
    EXPECT_EQ(valueTakeOver(t.p, in).value.valueForRe, 1);
    EXPECT_EQ(valueWindowView(t.p, in).height, before.height);
}

struct TakeOverRow {
    const char* what;
    int players;
    std::function<void(Program&, ValueInputs&)> set;
    std::vector<PanelAction> actions;
    const char* entry;  // a part of the text under the reckoning
};

TEST(ValueWindowTakeOver, PanelChoicesForEachKindOfGame) {
    using enum ValueKind;
    const TakeOverRow rows[] = {
        {"Re wins: Re's pair",
         4,
         [](Program& p, ValueInputs& in) {
             in = inputs(p, Game, {3, 1}, 160);
         },
         {{"MDS", 1, ""}, {"WER1", 2, ""}, {"WAS1", 0, "2"}},
         "Spiel 1: 1 / 3 gewinnen 2."},
        {"Kontra announced and wins with 160: the other two get 5",
         4,
         [](Program& p, ValueInputs& in) {
             in = inputs(p, Game, {1, 2}, 80);
             in.play.kontra.announced = true;
         },
         {{"MDS", 1, ""}, {"WER1", 6, ""}, {"WAS1", 0, "5"}},
         "3 / 4 gewinnen 5"},
        {"Kontra wins at 5 players: not the dealer",
         5,
         [](Program& p, ValueInputs& in) {
             in = inputs(p, Game, {2, 4}, 100);
         },
         {{"MDS", 1, ""}, {"WER1", 9, ""}, {"WAS1", 0, "2"}},
         "3 / 5 gewinnen 2"},
        {"a value of 0: Re's pair wins 0",
         6,
         [](Program& p, ValueInputs& in) {
             in = inputs(p, Game, {5, 2}, 75);
             in.play.re.absage = Absage::No90;
             in.play.kontra.absage = Absage::Schwarz;
         },
         {{"MDS", 1, ""}, {"WER1", 8, ""}, {"WAS1", 0, "0"}},
         "2 / 5 gewinnen 0"},
        {"a soloist: three times the value",
         4,
         [](Program& p, ValueInputs& in) {
             ASSERT_TRUE(test::enterSolo(p, 2, 9));  // alone only after the own solo
             in = inputs(p, Single, {2}, 160);
         },
         {{"MDS", 1, ""}, {"WER1", 17, ""}, {"WAS1s", 0, "6"}},
         "Spiel 1: 2 allein gewinnt 6"},
        {"a mandatory solo lost at 5 players, with its dealer",
         5,
         [](Program& p, ValueInputs& in) {
             in = inputs(p, MandatorySolo, {3}, 100);
             in.dealer = 4;
         },
         {{"MDS", 2, ""}, {"WER2", 3, ""}, {"WAS2", 0, "-3"}, {"WIE2", 0, "4"}},
         "Solo 1: 3 verliert 3, Geber 4"},
    };
    for (const TakeOverRow& row : rows) {
        SCOPED_TRACE(row.what);
        TestProgram t;
        newPad(t.p, row.players);
        ValueInputs in;
        row.set(t.p, in);
        const ValueTakeOver takeOver = valueTakeOver(t.p, in);
        EXPECT_EQ(takeOver.actions, row.actions);
        EXPECT_NE(takeOver.entry.find(row.entry), std::string::npos) << takeOver.entry;
        EXPECT_TRUE(valueWindowView(t.p, in).field("uebernehmen")->enabled);
    }
}

// Taken over and confirmed with "OK", the game is the one the panel's own
// choices make, and no control of the window moved.
TEST(ValueWindowTakeOver, OkEntersWhatThePanelWouldEnter) {
    TestProgram t, byHand;
    for (Program* p : {&t.p, &byHand.p})
        newPad(*p, 6);
    std::vector<Rect> places;
    for (Control* c : t.p.ui.controls())
        places.push_back(c->rect);
    ASSERT_TRUE(test::act(t.p, {"MDS 2", "WER2 4"}));  // left over from before: cleared
    ValueInputs in = inputs(t.p, ValueKind::Game, {2, 4}, 200);
    ASSERT_TRUE(takeOverValue(t.p, in));
    EXPECT_EQ(t.p.pad.gameTable, byHand.p.pad.gameTable);  // nothing entered yet
    ASSERT_TRUE(pressOK(t.p));
    ASSERT_TRUE(test::enterPair(byHand.p, 2, 4, 3));
    EXPECT_EQ(t.p.pad.gameTable, byHand.p.pad.gameTable);
    // The row keeps the inputs it was reckoned from.
    ASSERT_EQ(t.p.pad.reckonings.count(1), 1u);
    EXPECT_EQ(t.p.pad.reckonings.at(1).play.reCardPoints, 200);
    EXPECT_EQ(t.p.pad.reckonings.at(1).re2, 4);
    std::vector<Rect> after;
    for (Control* c : t.p.ui.controls())
        after.push_back(c->rect);
    EXPECT_EQ(after, places);
    // The next game starts afresh; the dealer has moved on.
    EXPECT_TRUE(valueWindowFollowPad(t.p, in));
    EXPECT_TRUE(in.re.empty());
    EXPECT_FALSE(mayPlayRe(t.p, in, 2));
}

TEST(ValueWindowTakeOver, ValuesBeyondTheListsAreChosenAsSuch) {
    TestProgram t;
    newPad(t.p, 4);
    ValueInputs in = inputs(t.p, ValueKind::Game, {1, 4}, 240);
    in.play.re.absage = Absage::Schwarz;
    in.play.kontra.announced = in.play.kontra.tookNoTrick = true;
    in.play.re.doppelkopfs = 4;
    in.play.re.foxesCaught = 2;
    in.play.re.karlchen = 1;
    const ValueTakeOver pair = valueTakeOver(t.p, in);
    ASSERT_GT(pair.value.valueForRe, 18);
    EXPECT_EQ(pair.actions.back(),
              (PanelAction{BEYOND_LISTS, 0, std::to_string(pair.value.valueForRe)}));
    ASSERT_TRUE(takeOverValue(t.p, in));
    ASSERT_TRUE(pressOK(t.p));
    EXPECT_EQ(t.p.pad.gamePoints[1], pair.value.valueForRe);

    in = inputs(t.p, ValueKind::MandatorySolo, {2}, 240);
    in.play.re.absage = in.play.kontra.absage = Absage::Schwarz;
    in.play.kontra.tookNoTrick = true;
    const ValueTakeOver solo = valueTakeOver(t.p, in);
    ASSERT_GT(solo.value.padValue, 39);
    EXPECT_EQ(solo.actions.back(),
              (PanelAction{BEYOND_LISTS, 0, std::to_string(solo.value.padValue)}));
}

struct RefusalRow {
    const char* what;
    int players;
    std::function<void(Program&, ValueInputs&)> set;
    const char* reason;
};

TEST(ValueWindowTakeOver, ImpossibleInputsSayWhyAndTakeNothingOver) {
    using enum ValueKind;
    const RefusalRow rows[] = {
        {"no pad", 0,
         [](Program& p, ValueInputs& in) {
             in = inputs(p, Game, {1, 2}, 130);
         },
         "Kein Block offen"},
        {"one Re player", 4, [](Program& p, ValueInputs& in) { in = inputs(p, Game, {1}, 130); },
         "F\xC3\xBCr Re zwei Spieler ankreuzen."},
        {"no trick but card points", 4,
         [](Program& p, ValueInputs& in) {
             in = inputs(p, Game, {1, 2}, 100);
             in.play.re.tookNoTrick = true;
         },
         "Die Re-Partei hat keinen Stich, aber 100 Augen."},
        {"a solo without its dealer", 5,
         [](Program& p, ValueInputs& in) { in = inputs(p, MandatorySolo, {2}, 130); },
         "Bei 5 Spielern geh\xC3\xB6rt zum Pflichtsolo der Geber."},
        {"the soloist deals", 6,
         [](Program& p, ValueInputs& in) {
             in = inputs(p, MandatorySolo, {2}, 130);
             in.dealer = 3;  // 2 is the seat before
         },
         "2 setzt aus, wenn 3 gibt."},
        {"alone for 0", 6,
         [](Program& p, ValueInputs& in) {
             in = inputs(p, Single, {3}, 120);
             in.play.re.absage = in.play.kontra.absage = Absage::No90;
         },
         "Spielwert 0"},
        {"a dealer's pair", 5,
         [](Program& p, ValueInputs& in) {
             in = inputs(p, Game, {1, 2}, 130);
         },
         "1 setzt in diesem Spiel aus."},
    };
    for (const RefusalRow& row : rows) {
        SCOPED_TRACE(row.what);
        TestProgram t;
        if (row.players) newPad(t.p, row.players);
        ValueInputs in;
        row.set(t.p, in);
        const PadState before = t.p.pad;
        EXPECT_FALSE(takeOverValue(t.p, in));
        EXPECT_EQ(t.p.pad, before);
        const ValueWindowView view = valueWindowView(t.p, in);
        EXPECT_FALSE(view.field("uebernehmen")->enabled);
        EXPECT_TRUE(view.field("eintrag")->warning);
        EXPECT_NE(view.field("eintrag")->text.find(row.reason), std::string::npos)
            << view.field("eintrag")->text;
    }
}

TEST(ValueWindowPlace, BesideTheMainWindowAndOnTheScreen) {
    ScreenMetrics m;
    m.workLeft = 0, m.workTop = 0, m.workWidth = 1920, m.workHeight = 1040;
    EXPECT_EQ(valueWindowPlace({300, 20, 700, 760}, 420, 640, m), (Rect{1000, 20, 420, 640}));
    EXPECT_EQ(valueWindowPlace({1000, 20, 700, 760}, 420, 640, m), (Rect{580, 20, 420, 640}));
    // No room on either side: at the right edge, over the pad's last columns
    // and never over the entry panel.
    EXPECT_EQ(valueWindowPlace({500, 20, 1000, 760}, 420, 640, m), (Rect{1500, 20, 420, 640}));
    EXPECT_EQ(valueWindowPlace({100, 20, 1400, 760}, 420, 640, m), (Rect{1500, 20, 420, 640}));
    // Low on the screen: as far up as it must.
    EXPECT_EQ(valueWindowPlace({300, 600, 700, 400}, 420, 640, m), (Rect{1000, 400, 420, 640}));
}

struct FakeValueWindow : ValueWindowHost {
    int shown = 0;
    void showValueWindow(Program&) override { ++shown; }
};

TEST(ValueWindowCommand, F3AndTheEditMenuOpenIt) {
    TestProgram t;
    const std::vector<int> order = menuBarOrder(t.p.ui);
    const auto quick = std::find(order.begin(), order.end(), CMD_QUICK_ENTRY);
    ASSERT_NE(quick, order.end());
    EXPECT_EQ(quick[1], CMD_VALUE_WINDOW);
    EXPECT_EQ(t.p.ui.menu[CMD_VALUE_WINDOW].caption, "Spielwert berechnen\xE2\x80\xA6");
    EXPECT_EQ(t.p.ui.menu[CMD_VALUE_WINDOW].hint, "F3");
    EXPECT_TRUE(frm0_KeyDown(t.p, KEY_F3, 0));  // no window in this skin: it says so
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    FakeValueWindow window;
    t.p.services.valueWindow = &window;
    EXPECT_TRUE(frm0_KeyDown(t.p, KEY_F3, 0));
    EXPECT_FALSE(frm0_KeyDown(t.p, KEY_F3, SHIFT_BIT));
    frm0_MenuEvent(t.p, CMD_VALUE_WINDOW);
    EXPECT_EQ(window.shown, 2);
}

}  // namespace
}  // namespace kx
