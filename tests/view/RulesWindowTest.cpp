// The window "Hausregeln" as a model: each field sets its rule, the Bock
// fields can be used only when they mean something, and "OK" asks before
// games change.
#include <gtest/gtest.h>

#include <functional>

#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/Extras.h"
#include "view/PadLayout.h"
#include "view/PadSheet.h"
#include "view/RulesWindow.h"

namespace kx {
namespace {

using test::TestProgram;

// Each field, used on the window of a pad with the default rules, changes
// exactly its rule; fields of Bock options are used after a trigger is on.
TEST(RulesWindowFields, EachFieldSetsItsRule) {
    struct Row {
        const char* name;
        int value;
        std::function<void(HouseRules&)> expected;
    } rows[] = {
        {"gegen_die_alten", 0, [](HouseRules& r) { r.values.againstQueens = false; }},
        {"doppelkopf", 0, [](HouseRules& r) { r.values.doppelkopf = false; }},
        {"fuchs", 0, [](HouseRules& r) { r.values.foxCaught = false; }},
        {"karlchen", 0, [](HouseRules& r) { r.values.karlchen = false; }},
        {"karlchen_gefangen", 1, [](HouseRules& r) { r.values.karlchenCaught = true; }},
        {"dulle_gefangen", 1, [](HouseRules& r) { r.values.dulleCaught = true; }},
        {"fuchs_letzter_stich", 1, [](HouseRules& r) { r.values.foxLastTrick = true; }},
        {"ansage_doppelt", 1, [](HouseRules& r) { r.values.announcementsDouble = true; }},
        {"ansage_plus2", 1, [](HouseRules&) {}},
        {"keine_120", 1, [](HouseRules& r) { r.values.below120Point = true; }},
        {"bock_120", 1, [](HouseRules& r) { r.bock.triggers.tie120 = true; }},
        {"bock_solo", 1, [](HouseRules& r) { r.bock.triggers.lostSolo = true; }},
        {"bock_ansage", 1, [](HouseRules& r) { r.bock.triggers.lostAnnouncement = true; }},
        {"bock_null", 1, [](HouseRules& r) { r.bock.triggers.zeroGame = true; }},
        {"bock_hand", 1, [](HouseRules& r) { r.bock.triggers.byHand = true; }},
    };
    for (const Row& row : rows) {
        RulesWindowModel w;
        rulesWindowInput(w, row.name, row.value);
        HouseRules expected;
        row.expected(expected);
        EXPECT_EQ(w.rules, expected) << row.name;
    }
    const Row bockRows[] = {
        {"bock_plus2", 1, [](HouseRules& r) { r.bock.effect = BockEffect::PlusTwo; }},
        {"bock_verlaengern", 1, [](HouseRules& r) { r.bock.stacking = BockStacking::Extend; }},
        {"bock_ignorieren", 1, [](HouseRules& r) { r.bock.stacking = BockStacking::Ignore; }},
        {"bock_stufe", 1, [](HouseRules& r) { r.bock.maxLevel = 2; }},
        {"bock_stufe", 7, [](HouseRules&) {}},  // no such item
        {"unbekannt", 1, [](HouseRules&) {}},
    };
    for (const Row& row : bockRows) {
        RulesWindowModel w;
        w.rules.bock.triggers.zeroGame = true;
        HouseRules expected = w.rules;
        rulesWindowInput(w, row.name, row.value);
        row.expected(expected);
        EXPECT_EQ(w.rules, expected) << row.name;
    }
}

// Effect and stacking mean something only with a trigger; the highest level
// only when rounds stack. What cannot be used is shown greyed and ignored.
TEST(RulesWindowFields, BockOptionsOnlyWhenTheyApply) {
    TestProgram t;
    newPad(t.p, 4);
    RulesWindowModel w = openRulesWindow(t.p);
    const auto enabled = [&](const char* name) {
        return rulesWindowView(t.p, w).field(name)->enabled;
    };
    for (const char* name : {"bock_mal2", "bock_plus2", "bock_stapeln", "bock_ignorieren",
                             "bock_stufe", "lb_bock_im_bock"})
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(enabled("bock_hand"));
    rulesWindowInput(w, "bock_plus2", 1);
    EXPECT_EQ(w.rules, HouseRules{});

    rulesWindowInput(w, "bock_hand", 1);
    for (const char* name : {"bock_mal2", "bock_plus2", "bock_verlaengern", "bock_stufe"})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_EQ(rulesWindowView(t.p, w).field("bock_stufe")->value, 2);  // Dreifachbock
    EXPECT_EQ(rulesWindowView(t.p, w).field("bock_stapeln")->value, 1);
    rulesWindowInput(w, "bock_verlaengern", 1);
    EXPECT_EQ(rulesWindowView(t.p, w).field("bock_stapeln")->value, 0);
    EXPECT_FALSE(enabled("bock_stufe"));
    rulesWindowInput(w, "bock_stufe", 0);
    EXPECT_EQ(w.rules.bock.maxLevel, 3);

    // The summary follows the fields.
    const std::string summary = rulesWindowView(t.p, w).field("zusammenfassung")->text;
    EXPECT_NE(summary.find("Bockrunden nach: von Hand markiert"), std::string::npos);
    EXPECT_NE(summary.find("Runde anh\xC3\xA4ngen"), std::string::npos);
}

// The menu entry waits for a pad; "OK" says how many games change and asks
// first; "Nein" keeps the window open and the pad as it was.
TEST(RulesWindowOk, AsksBeforeGamesChangeAndIsOneStep) {
    TestProgram t;
    Program& p = t.p;
    EXPECT_FALSE(p.ui.menu[CMD_HOUSE_RULES].enabled);
    newPad(p, 4);
    EXPECT_TRUE(p.ui.menu[CMD_HOUSE_RULES].enabled);
    ASSERT_TRUE(test::enterPair(p, 1, 2, 0));
    ASSERT_TRUE(test::enterPair(p, 1, 3, 2));
    ASSERT_TRUE(test::enterPair(p, 2, 3, 1));

    RulesWindowModel w = openRulesWindow(p);
    EXPECT_TRUE(rulesWindowOk(p, w));  // nothing changed: closes without a question
    EXPECT_TRUE(t.dialogs.messages.empty());

    rulesWindowInput(w, "bock_null", 1);
    EXPECT_EQ(rulesWindowView(p, w).field("wirkung")->text, "\xC3\x84ndert 2 Spiele.");
    t.dialogs.messageAnswers = {MessageAnswer::No};
    EXPECT_FALSE(rulesWindowOk(p, w));
    EXPECT_EQ(p.pad.houseRules, HouseRules{});
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_NE(t.dialogs.messages[0].text.find("2 Spiele"), std::string::npos);

    EXPECT_TRUE(rulesWindowOk(p, w));
    EXPECT_EQ(p.pad.houseRules, w.rules);
    EXPECT_EQ(p.pad.gameTable[2][1], 4);  // games 2 and 3 in the Bock round
    EXPECT_EQ(p.pad.gameTable[3][1], 2);
    EXPECT_TRUE(undoChange(p));
    EXPECT_EQ(p.pad.houseRules, HouseRules{});
    EXPECT_EQ(p.pad.gameTable[3][1], 1);
}

// The printed sheet names the rules only when they are not the defaults.
TEST(RulesWindowOk, TheSheetPrintsRulesOtherThanTheDefaults) {
    TestProgram t;
    newPad(t.p, 4);
    EXPECT_TRUE(padSheet(t.p, t.clock.time).rules.empty());
    HouseRules rules;
    rules.values.dulleCaught = true;
    ASSERT_TRUE(changeHouseRules(t.p, rules));
    EXPECT_EQ(padSheet(t.p, t.clock.time).rules, describeRules(rules));
}

}  // namespace
}  // namespace kx
