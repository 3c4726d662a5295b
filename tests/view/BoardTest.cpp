// The board for the room's screen and the phones: its model and its JSON.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestProgram.h"
#include "view/Board.h"
#include "view/BoardCommands.h"
#include "view/Commands.h"
#include "view/PadLayout.h"
#include "view/RulesWindow.h"

namespace kx {
namespace {

using test::TestProgram;

void name(Program& p) {
    const char* names[] = {"", "Anna", "Bert", "Carla", "Dirk", "Eva", "Fritz"};
    for (int k = 1; k <= MAX_PLAYERS; ++k)
        p.pad.playerNames[static_cast<std::size_t>(k)] = names[k];
}

std::vector<std::string> flags(const Board& b) {
    std::vector<std::string> out;
    for (const BoardPlayer& pl : b.players)
        out.push_back(std::string(pl.deals ? "G" : "") + (pl.sitsOut ? "x" : "") +
                      std::to_string(pl.solosLeft));
    return out;
}

TEST(Board, DealerSitOutsProgressAndLastGamePerTableSize) {
    struct Case {
        int players;
        int passes;  // games entered before the pair game below
        const char* progress;
        const char* dealer;
        const char* sitsOut;
        std::vector<std::string> flags;
        const char* lastGame;
    } cases[] = {
        {4,
         0,
         "Spiel 2 von 20",
         "Geber: Bert",
         "",
         {"1", "G1", "1", "1"},
         "Spiel 1: Bert / Carla gewinnen 4"},
        {5,
         0,
         "Spiel 2 von 25",
         "Geber: Bert",
         "Setzt aus: Bert",
         {"1", "Gx1", "1", "1", "1"},
         "Spiel 1: Bert / Carla gewinnen 4"},
        // The second sit-out at six is the seat before the dealer.
        {6,
         0,
         "Spiel 2 von 30",
         "Geber: Bert",
         "Setzen aus: Anna und Bert",
         {"x1", "Gx1", "1", "1", "1", "1"},
         "Spiel 1: Bert / Carla gewinnen 4"},
        {6,
         5,
         "Spiel 7 von 30",
         "Geber: Anna",
         "Setzen aus: Anna und Fritz",
         {"Gx1", "1", "1", "1", "1", "x1"},
         "Spiel 6: Bert / Carla gewinnen 4"},
    };
    for (const Case& c : cases) {
        TestProgram t;
        Program& p = t.p;
        name(p);
        newPad(p, c.players);
        for (int i = 0; i < c.passes; ++i)
            ASSERT_TRUE(test::passDeal(p));
        ASSERT_TRUE(test::enterPair(p, 2, 3, 4)) << c.players;
        const Board b = boardOf(p);
        EXPECT_EQ(b.progress, c.progress) << c.players;
        EXPECT_EQ(b.dealer, c.dealer) << c.players;
        EXPECT_EQ(b.sitsOut, c.sitsOut) << c.players;
        EXPECT_EQ(flags(b), c.flags) << c.players;
        EXPECT_EQ(b.lastGame, c.lastGame) << c.players;
        EXPECT_EQ(b.bock, "");
    }
}

TEST(Board, TotalsPlacesAndColoursAreThePads) {
    TestProgram t;
    Program& p = t.p;
    name(p);
    newPad(p, 4);
    Board b = boardOf(p);
    ASSERT_EQ(b.players.size(), 4u);
    EXPECT_EQ(b.players[0].place, "");  // before the first entry
    EXPECT_EQ(b.lastGame, "");
    ASSERT_TRUE(test::enterPair(p, 1, 3, 4));
    ASSERT_TRUE(test::enterPair(p, 2, 3, 5));
    b = boardOf(p);
    std::vector<int> totals;
    for (int k = 1; k <= 4; ++k) {
        const BoardPlayer& pl = b.players[static_cast<std::size_t>(k - 1)];
        totals.push_back(pl.total);
        EXPECT_EQ(pl.colour, p.ui.SPsum(k).background);
        EXPECT_EQ(pl.place, p.ui.SPsum(k).mark);
    }
    EXPECT_EQ(totals, (std::vector<int>{-1, 1, 9, -9}));
    EXPECT_EQ(b.players[2].place, "1.");
    EXPECT_EQ(b.players[3].colour, (Rgb{255, 140, 140}));
    EXPECT_EQ(b.lastGame, "Spiel 2: Bert / Carla gewinnen 5");
    EXPECT_EQ(b.players[2].marks, "gibt \xC2\xB7 Solo offen");
}

TEST(Board, SolosAndTheEndOfTheEvening) {
    TestProgram t;
    Program& p = t.p;
    name(p);
    newPad(p, 5);
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(test::passDeal(p));
    Board b = boardOf(p);
    EXPECT_EQ(b.progress, "Pflichtsolo 1 von 5");
    EXPECT_EQ(b.dealer, "");
    EXPECT_EQ(b.sitsOut, "");
    ASSERT_TRUE(test::enterSolo(p, 3, -6, 1));
    b = boardOf(p);
    EXPECT_EQ(flags(b), (std::vector<std::string>{"1", "1", "0", "1", "1"}));
    EXPECT_EQ(b.lastGame, "Solo 1: Carla verliert 6, Geber Anna");
    for (int k : {1, 2, 4, 5})
        ASSERT_TRUE(test::enterSolo(p, k, 3, k == 1 ? 2 : 1));
    b = boardOf(p);
    EXPECT_EQ(b.progress, "Alle Spiele gespielt");
    EXPECT_EQ(flags(b), (std::vector<std::string>{"0", "0", "0", "0", "0"}));
}

TEST(Board, BockTextWhereTheHouseRulesHaveIt) {
    TestProgram t;
    Program& p = t.p;
    newPad(p, 4);
    HouseRules rules;
    rules.bock.triggers.zeroGame = true;
    ASSERT_TRUE(changeHouseRules(p, rules));
    ASSERT_TRUE(test::enterPair(p, 1, 2, 0));
    EXPECT_EQ(boardOf(p).bock, "Bock: noch 4 Spiele");
    EXPECT_NE(boardJson(boardOf(p)).find("\"bock\":\"Bock: noch 4 Spiele\""), std::string::npos);
}

TEST(BoardJson, EscapesEveryTextAndWritesThePad) {
    const std::pair<std::string, std::string> cases[] = {
        {"Anna", "\"Anna\""},
        {"\"Bo\" \\ B", "\"\\\"Bo\\\" \\\\ B\""},
        {"a\nb\tc\x01", "\"a\\nb\\u0009c\\u0001\""},
        {"</script>", "\"\\u003c/script>\""},
        {"J\xC3\xBCrgen", "\"J\xC3\xBCrgen\""},
    };
    for (const auto& [text, json] : cases)
        EXPECT_EQ(jsonString(text), json);

    TestProgram t;
    Program& p = t.p;
    name(p);
    p.pad.playerNames[2] = "B\"ert";
    EXPECT_EQ(phoneStateJson(p).substr(0, 24), "{\"board\":{\"padOpen\":fals");
    EXPECT_NE(phoneStateJson(p).find("\"pad\":null"), std::string::npos);
    newPad(p, 4);
    ASSERT_TRUE(test::enterPair(p, 1, 3, 4));
    const std::string json = phoneStateJson(p);
    EXPECT_NE(json.find("{\"name\":\"Anna\",\"total\":4,\"place\":\"1.\",\"colour\":\"#8cff8c\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"names\":[\"Anna\",\"B\\\"ert\",\"Carla\",\"Dirk\"]"), std::string::npos);
    EXPECT_NE(json.find("\"totals\":[\"4\",\"-4\",\"4\",\"-4\"]"), std::string::npos);
}

class FakePhone : public PhoneView {
  public:
    bool on = false;
    bool refuse = false;
    std::vector<std::string> published;
    std::string switchOn(std::string& error) override {
        if (refuse) {
            error = "Kein Netz.";
            return "";
        }
        on = true;
        return "http://192.168.1.20:8765/abc/";
    }
    void switchOff() override { on = false; }
    void publish(const std::string& json) override { published.push_back(json); }
};

class FakeBoardHost : public BoardHost {
  public:
    int shown = 0, changed = 0;
    void showBoard(Program&) override { ++shown; }
    void boardChanged(Program&) override { ++changed; }
};

TEST(PhoneCommand, NoticeOnceTogglesAndPublishesOnlyChanges) {
    TestProgram t;
    Program& p = t.p;
    FakePhone phone;
    FakeBoardHost board;
    p.services.phone = &phone;
    p.services.board = &board;
    newPad(p, 4);
    const auto& entry = p.ui.menu[CMD_PHONE];
    EXPECT_FALSE(entry.checked);

    frm0_MenuEvent(p, CMD_PHONE);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].text, PHONE_NOTICE);
    EXPECT_TRUE(phone.on && entry.checked);
    EXPECT_EQ(p.shell.phoneAddress, "http://192.168.1.20:8765/abc/");
    EXPECT_EQ(board.shown, 1);  // the board shows the address and its code
    ASSERT_EQ(phone.published.size(), 1u);
    publishBoard(p);  // nothing changed: nothing handed over
    EXPECT_EQ(phone.published.size(), 1u);
    ASSERT_TRUE(test::enterPair(p, 1, 2, 3));
    publishBoard(p);
    ASSERT_EQ(phone.published.size(), 2u);
    EXPECT_EQ(phone.published.back(), phoneStateJson(p));

    frm0_MenuEvent(p, CMD_PHONE);
    EXPECT_FALSE(phone.on || entry.checked);
    EXPECT_EQ(p.shell.phoneAddress, "");
    publishBoard(p);
    EXPECT_EQ(phone.published.size(), 2u);
    // On again: no notice this time; a refusal says why and leaves it off.
    frm0_MenuEvent(p, CMD_PHONE);
    frm0_MenuEvent(p, CMD_PHONE);
    phone.refuse = true;
    frm0_MenuEvent(p, CMD_PHONE);
    ASSERT_EQ(t.dialogs.messages.size(), 2u);
    EXPECT_NE(t.dialogs.messages[1].text.find("Kein Netz."), std::string::npos);
    EXPECT_FALSE(entry.checked);

    // F11 opens the board; a skin without a phone view says so.
    EXPECT_TRUE(frm0_KeyDown(p, KEY_F11, 0));
    EXPECT_EQ(board.shown, 3);
    p.services.phone = nullptr;
    frm0_MenuEvent(p, CMD_PHONE);
    EXPECT_EQ(t.dialogs.messages.back().text, PHONE_NOT_OFFERED);
}

}  // namespace
}  // namespace kx
