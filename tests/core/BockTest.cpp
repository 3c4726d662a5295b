#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/Bock.h"
#include "core/Correction.h"
#include "core/Reckoning.h"
#include "io/ExtrasBatch.h"
#include "io/PadFile.h"
#include "support/TestProgram.h"
#include "view/History.h"
#include "view/PadLayout.h"
#include "view/RulesWindow.h"

namespace kx {
namespace {

using test::TestProgram;

BockRules bockOn(BockStacking stacking, int maxLevel = 3) {
    BockRules r;
    r.triggers.byHand = true;
    r.stacking = stacking;
    r.maxLevel = maxLevel;
    return r;
}

// Normal games 1..n; `t` marks the triggers, `s` a solo played before game k.
std::vector<BockGame> games(const std::string& pattern) {
    std::vector<BockGame> out;
    int row = 1, solo = 100;
    for (char c : pattern) {
        if (c == 's' || c == 'S')
            out.push_back({solo++, false, c == 'S'});
        else
            out.push_back({row++, true, c == 't'});
    }
    return out;
}

std::string levels(const BockPlan& plan, int rows) {
    std::string s;
    for (int r = 1; r <= rows; ++r)
        s += plan.levels.count(r) ? static_cast<char>('0' + plan.levels.at(r)) : '.';
    return s;
}

TEST(BockDerivation, EachStackingModeWithRoundsOfFour) {
    struct Case {
        BockStacking stacking;
        int maxLevel;
        std::string pattern, want;
    } cases[] = {
        {BockStacking::Stack, 3, "t.........", ".1111....."},
        {BockStacking::Stack, 3, "t.t.......", ".112211..."},
        {BockStacking::Stack, 3, "tt.t......", ".1223211.."},
        {BockStacking::Stack, 2, "tt.t......", ".1222211.."},
        {BockStacking::Extend, 3, "t.t.......", ".11111111."},
        {BockStacking::Ignore, 3, "t.t.......", ".1111....."},
        {BockStacking::Ignore, 3, "t...t.....", ".1111....."},
        {BockStacking::Ignore, 3, "t....t....", ".1111.1111"},
        // A solo is no Bock game and uses none up; a solo's trigger starts a round.
        {BockStacking::Stack, 3, "tss.......", ".1111....."},
        {BockStacking::Stack, 3, "..S.......", "..1111...."},
    };
    for (const Case& c : cases) {
        const BockPlan plan = deriveBock(games(c.pattern), bockOn(c.stacking, c.maxLevel), 4);
        EXPECT_EQ(levels(plan, 10), c.want) << c.pattern;
    }
}

TEST(BockDerivation, ValuesPerEffect) {
    EXPECT_EQ(bockValue(5, 0, false, BockEffect::Double), 5);
    EXPECT_EQ(bockValue(5, 1, false, BockEffect::Double), 10);
    EXPECT_EQ(bockValue(5, 3, false, BockEffect::Double), 40);
    EXPECT_EQ(bockValue(-9, 2, true, BockEffect::Double), -36);
    EXPECT_EQ(bockValue(5, 2, false, BockEffect::PlusTwo), 9);
    EXPECT_EQ(bockValue(-9, 1, true, BockEffect::PlusTwo), -15);
    EXPECT_EQ(bockValue(0, 1, false, BockEffect::PlusTwo), 2);
    EXPECT_EQ(bockValue(600, 2, false, BockEffect::Double), MAX_GAME_VALUE);
}

// ---- The pad follows its games ----

HouseRules rulesWith(const std::function<void(BockTriggers&)>& on,
                     BockStacking stacking = BockStacking::Stack) {
    HouseRules r;
    on(r.bock.triggers);
    r.bock.stacking = stacking;
    return r;
}

bool enterMarked(Program& p, int a, int b, int value) {
    std::vector<std::string> actions{"MDS 1", "WER1 " + std::to_string(test::pairChoice(a, b)),
                                     "WAS1 " + std::to_string(value), "BOCK", "OK"};
    // Under rules without Bock by hand the panel has no box to tick.
    if (!p.pad.houseRules.bock.triggers.byHand) actions.erase(actions.end() - 2);
    return test::act(p, actions);
}

// A calculated game: Re 1 and 2 with Re's card points and announcements.
bool enterReckoned(Program& p, int rePoints, bool reAnnounced) {
    Reckoning r{1, 2, {}};
    r.play.reCardPoints = rePoints;
    r.play.re.announced = reAnnounced;
    const auto row = reckonedRow(r, p.pad.playerCount, p.pad.dealer, p.pad.secondSitOut,
                                 p.pad.houseRules.values);
    if (!row) return false;
    const int a = row->players / 10, b = row->players % 10;
    if (!test::act(p, {"MDS 1", "WER1 " + std::to_string(test::pairChoice(a, b)),
                       "WAS1 " + std::to_string(row->value)}))
        return false;
    setPendingReckoning(p, r);
    return test::act(p, {"OK"});
}

std::vector<int> values(const Program& p, int from, int to) {
    std::vector<int> v;
    for (int r = from; r <= to; ++r)
        v.push_back(p.pad.gameTable[r][1]);
    return v;
}

// Every trigger the pad can see starts a round of four games worth double.
TEST(BockPad, EachTriggerStartsARound) {
    struct Case {
        const char* name;
        std::function<void(BockTriggers&)> on;
        std::function<bool(Program&)> trigger;
    } cases[] = {
        {"0-Punkte-Spiel", [](BockTriggers& t) { t.zeroGame = true; },
         [](Program& p) { return test::enterPair(p, 1, 2, 0); }},
        {"verlorenes Solo", [](BockTriggers& t) { t.lostSolo = true; },
         [](Program& p) { return test::enterSingle(p, 1, -9) || test::enterSolo(p, 1, -9); }},
        {"120:120", [](BockTriggers& t) { t.tie120 = true; },
         [](Program& p) { return enterReckoned(p, 120, false); }},
        {"verlorene Ansage", [](BockTriggers& t) { t.lostAnnouncement = true; },
         [](Program& p) { return enterReckoned(p, 100, true); }},
        {"von Hand", [](BockTriggers& t) { t.byHand = true; },
         [](Program& p) { return enterMarked(p, 1, 2, 1); }},
    };
    for (const Case& c : cases) {
        TestProgram t;
        Program& p = t.p;
        newPad(p, 4);
        ASSERT_TRUE(changeHouseRules(p, rulesWith(c.on))) << c.name;
        ASSERT_TRUE(c.trigger(p)) << c.name;
        const int first = p.pad.nextGameRow;
        EXPECT_EQ(p.ui.status(3), "Bock: noch 4 Spiele") << c.name;
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(test::enterPair(p, 1, 3, 2));
        EXPECT_EQ(values(p, first, first + 4), (std::vector<int>{4, 4, 4, 4, 2})) << c.name;
        EXPECT_EQ(p.pad.gamePoints[1], p.pad.gameTable[first + 4][2]) << c.name;
        EXPECT_EQ(test::sectionSum(p.pad.gamePoints), 0) << c.name;
        EXPECT_TRUE(p.ui.PKT(first).background.has_value()) << c.name;
        EXPECT_FALSE(p.ui.PKT(first + 4).background.has_value()) << c.name;
        EXPECT_EQ(p.ui.status(3), "") << c.name;
    }
}

TEST(BockPad, RoundRunsOutAtTheEndOfTheNormalGames) {
    TestProgram t;
    Program& p = t.p;
    newPad(p, 4);
    ASSERT_TRUE(changeHouseRules(p, rulesWith([](BockTriggers& b) { b.zeroGame = true; })));
    for (int i = 0; i < 18; ++i)
        ASSERT_TRUE(test::enterPair(p, 1, 2, i == 17 ? 0 : 1));
    EXPECT_EQ(p.ui.status(3), "Bock: noch 2 Spiele");
    ASSERT_TRUE(test::enterPair(p, 1, 2, 1));
    ASSERT_TRUE(test::enterPair(p, 1, 2, 1));
    EXPECT_EQ(values(p, 19, 20), (std::vector<int>{2, 2}));
    EXPECT_EQ(p.ui.status(3), "");
    // Solos after the section are no Bock games.
    ASSERT_TRUE(test::enterSolo(p, 1, 3));
    EXPECT_EQ(p.pad.gameTable[21][1], 3);
}

// A lost mandatory solo starts a round in the normal games after it.
TEST(BockPad, LostSoloStartsARoundInTheGamesThatFollow) {
    TestProgram t;
    Program& p = t.p;
    newPad(p, 4);
    ASSERT_TRUE(changeHouseRules(p, rulesWith([](BockTriggers& b) { b.lostSolo = true; })));
    ASSERT_TRUE(test::enterPair(p, 1, 2, 1));
    ASSERT_TRUE(test::enterSolo(p, 2, -6));
    ASSERT_TRUE(test::enterPair(p, 1, 2, 1));
    EXPECT_EQ(values(p, 1, 2), (std::vector<int>{1, 2}));
    EXPECT_EQ(p.pad.gameTable[21][1], -6);
}

// ---- Corrections, undo and rule changes equal a pad entered from scratch ----

using Game = std::function<bool(Program&)>;

Game pair(int a, int b, int v) {
    return [=](Program& p) { return test::enterPair(p, a, b, v); };
}
Game marked(int a, int b, int v) {
    return [=](Program& p) { return enterMarked(p, a, b, v); };
}

HouseRules stackedRules() {
    return rulesWith([](BockTriggers& b) { b.byHand = b.zeroGame = true; });
}

// Bytes of the pad after `rules` and `evening`; the journal aside.
Bytes fromScratch(const HouseRules& rules, const std::vector<Game>& evening) {
    TestProgram t;
    newPad(t.p, 4);
    if (!rules.isDefault()) {
        EXPECT_TRUE(changeHouseRules(t.p, rules));
    }
    for (const Game& g : evening)
        EXPECT_TRUE(g(t.p));
    return test::padBytesWithoutJournal(t.p);
}

std::vector<Game> stackedEvening(int thirdValue) {
    return {pair(1, 2, 1), marked(1, 3, 2), pair(1, 4, thirdValue), marked(2, 3, 1), pair(2, 4, 3),
            pair(3, 4, 1), pair(1, 2, 2),   pair(1, 3, 1),          pair(1, 4, 1),   pair(2, 3, 2)};
}

TEST(BockPad, CorrectionUndoAndRuleChangeEqualAPadFromScratch) {
    TestProgram t;
    Program& p = t.p;
    newPad(p, 4);
    ASSERT_TRUE(changeHouseRules(p, stackedRules()));
    for (const Game& g : stackedEvening(2))
        ASSERT_TRUE(g(p));
    const Bytes original = test::padBytesWithoutJournal(p);
    EXPECT_EQ(original, fromScratch(stackedRules(), stackedEvening(2)));
    // Doppelbock in games 5 and 6 from the two marks.
    EXPECT_EQ(values(p, 3, 8), (std::vector<int>{4, 2, 12, 4, 4, 2}));

    // Game 3 corrected to 0 adds a trigger inside the Bock rounds.
    recordChange(p, "Korrektur Spiel 3", [&] { ASSERT_EQ(correctRow(p, 3, 0, std::nullopt), ""); });
    EXPECT_EQ(test::padBytesWithoutJournal(p), fromScratch(stackedRules(), stackedEvening(0)));
    ASSERT_TRUE(undoChange(p));
    EXPECT_EQ(test::padBytesWithoutJournal(p), original);

    // Stacking changed to "extend" moves every later value.
    HouseRules extend = stackedRules();
    extend.bock.stacking = BockStacking::Extend;
    t.dialogs.messageAnswers = {MessageAnswer::No};
    EXPECT_FALSE(changeHouseRules(p, extend));
    EXPECT_EQ(test::padBytesWithoutJournal(p), original);
    ASSERT_TRUE(changeHouseRules(p, extend));
    EXPECT_NE(t.dialogs.messages.back().text.find("4 Spiele"), std::string::npos);
    EXPECT_EQ(test::padBytesWithoutJournal(p), fromScratch(extend, stackedEvening(2)));
    ASSERT_TRUE(undoChange(p));
    EXPECT_EQ(test::padBytesWithoutJournal(p), original);

    // Saved and loaded, the pad is the same.
    ASSERT_TRUE(writePadFile(p, t.file("bock.hsc")));
    ASSERT_EQ(readPadFile(p, t.file("bock.hsc")), "");
    EXPECT_EQ(test::padBytesWithoutJournal(p), original);
}

TEST(BockPad, DefaultsWriteNoBlockAndReadersWithoutItSeeTheSameTotals) {
    const Bytes plain = fromScratch({}, stackedEvening(2));
    const std::string text(plain.begin(), plain.end());
    EXPECT_EQ(text.find("KXHR"), std::string::npos);

    TestProgram t;
    Program& p = t.p;
    newPad(p, 4);
    ASSERT_TRUE(changeHouseRules(p, stackedRules()));
    for (const Game& g : stackedEvening(2))
        ASSERT_TRUE(g(p));
    const Bytes bytes = encodePadFile(p);
    const DecodeResult read = decodePadFile(bytes);
    ASSERT_TRUE(read.image);
    // The table alone (what a reader that skips the block sees) holds the totals.
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(read.image->table[10][k + 1], p.pad.gamePoints[k]);
    // A damaged block refuses the file.
    const std::size_t at = std::string(bytes.begin(), bytes.end()).find("KXHR");
    ASSERT_NE(at, std::string::npos);
    Bytes damaged = bytes;
    damaged[at + 12] ^= 1;
    EXPECT_FALSE(decodePadFile(damaged).image);
}

}  // namespace
}  // namespace kx

namespace kx {
namespace {

std::string readBack(std::FILE* f) {
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(f);
    return text;
}

TEST(RulesCommand, PrintsThePadsRulesAndRefusesWhatIsNoPad) {
    TestProgram t;
    Program& p = t.p;
    newPad(p, 4);
    HouseRules rules = stackedRules();
    rules.values.announcementsDouble = true;
    ASSERT_TRUE(changeHouseRules(p, rules));
    ASSERT_TRUE(writePadFile(p, t.file("regeln.hsc")));
    test::putFile(t.file("kaputt.hsc"), std::string("kein Block"));
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(rulesCommand(*t.files, t.file("regeln.hsc"), {out, err}), BATCH_OK);
    EXPECT_EQ(rulesCommand(*t.files, t.file("kaputt.hsc"), {out, err}), BATCH_REFUSED);
    const std::string printed = readBack(out);
    EXPECT_NE(printed.find("Re/Kontra: verdoppeln den Spielwert"), std::string::npos);
    EXPECT_NE(printed.find("Bockrunden nach: 0-Punkte-Spiel, von Hand markiert"),
              std::string::npos);
    EXPECT_NE(printed.find("stapeln bis Dreifachbock"), std::string::npos);
    EXPECT_NE(readBack(err).find(LOAD_ERROR_INVALID), std::string::npos);
}

}  // namespace
}  // namespace kx

namespace kx {
namespace {

TEST(HouseRuleValues, TheCalculatorFollowsTheSwitchesAndNamesThem) {
    GamePlay kontraWins;  // Kontra announced, Kontra 160
    kontraWins.reCardPoints = 80;
    kontraWins.kontra.announced = true;
    GamePlay reWins;  // Re 130, Re caught the other Karlchen
    reWins.reCardPoints = 130;
    reWins.re.karlchenCaught = 1;
    struct Case {
        const char* name;
        GamePlay play;
        std::function<void(GameValueRules&)> set;
        int valueForRe;
        std::string line;
    } cases[] = {
        {"Turnier", kontraWins, [](GameValueRules&) {}, -5, "gegen die Alten 1"},
        {"ohne gegen die Alten", kontraWins, [](GameValueRules& r) { r.againstQueens = false; }, -4,
         "Spielwert 4"},
        {"Ansage verdoppelt", kontraWins, [](GameValueRules& r) { r.announcementsDouble = true; },
         -6,
         "angesagt: \xC3\x97"
         "2 (Hausregel)"},
        {"Karlchen gefangen aus", reWins, [](GameValueRules&) {}, 1, "Spielwert 1"},
        {"Karlchen gefangen an", reWins, [](GameValueRules& r) { r.karlchenCaught = true; }, 2,
         "Karlchen gefangen (Hausregel) 1"},
        {"unter 120", reWins, [](GameValueRules& r) { r.below120Point = true; }, 2,
         "unter 120 gespielt (Hausregel) 1"},
    };
    for (const Case& c : cases) {
        GameValueRules rules;
        c.set(rules);
        const GameValue v = computeGameValue(c.play, rules);
        EXPECT_EQ(v.valueForRe, c.valueForRe) << c.name;
        const std::vector<std::string> lines = v.reckoning();
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end()) << c.name;
    }
}

}  // namespace
}  // namespace kx
