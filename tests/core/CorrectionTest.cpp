#include <gtest/gtest.h>

#include <deque>

#include "core/Correction.h"
#include "io/FileIo.h"
#include "io/PadFile.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/PadLayout.h"

namespace kx {
namespace {

using test::enterPair;
using test::enterSolo;
using test::TestProgram;
using Answers = std::deque<std::optional<std::string>>;

const std::string KEIN_SOLO = "Kein Solo-Ergebnis! Abbruch.";
const std::string NULL_FRAGE = "Ergebnis 0? Stimmt das wirklich";

void clickPoints(Program& p, int row, int shift = CTRL_BIT) {
    PKT_MouseDown(p, row, 1, shift, 5, 5);
}
void clickPlayers(Program& p, int row, int shift = CTRL_BIT) {
    SPL_MouseDown(p, row, 1, shift, 5, 5);
}

// How far each player's cell of a row has moved, players 1..N.
std::vector<int> moved(const Program& p, const GameTable& before, int row) {
    std::vector<int> d;
    for (int k = 1; k <= p.pad.playerCount; ++k)
        d.push_back(p.pad.gameTable[row][k + 1] - before[row][k + 1]);
    return d;
}

// The table and everything a correction may redraw.
std::string state(const Program& p) {
    std::string s;
    for (const GameRow& row : p.pad.gameTable)
        for (int c : row)
            s += std::to_string(c) + ' ';
    for (int r = 1; r <= LAST_PAD_ROW; ++r) {
        s += '\n' + p.ui.SPL(r).text + '|' + p.ui.PKT(r).text;
        for (const std::string& text : test::rowTexts(p, r))
            s += '|' + text;
    }
    for (int k = 1; k <= p.pad.playerCount; ++k)
        s += ' ' + p.ui.SPsum(k).text;
    return s + p.ui.status(4);
}

// Four players. Rows 1..5: 3/4 for 5, player 1 alone for 9, 1/2 for 2, 1/4 for 3,
// 2/3 for 1; rows 21..23: solos of players 1, 2, 3 for 3, 6, -9; row 25: a penalty.
void fourPlayerPad(Program& p) {
    newPad(p, 4);
    ASSERT_TRUE(enterSolo(p, 1, 3));
    ASSERT_TRUE(enterPair(p, 3, 4, 5));
    ASSERT_TRUE(test::enterSingle(p, 1, 9));
    for (auto [a, b, v] : {std::tuple{1, 2, 2}, {1, 4, 3}, {2, 3, 1}})
        ASSERT_TRUE(enterPair(p, a, b, v));
    ASSERT_TRUE(enterSolo(p, 2, 6));
    ASSERT_TRUE(enterSolo(p, 3, -9));
    ASSERT_TRUE(test::enterPenalty(p, 4));
}

TEST(CorrectionValue, MovesTheRowAndEveryLaterRowOfItsSection) {
    // clang-format off
    const struct { int row; const char* answer; std::vector<int> delta; int lastRow; } cases[] = {
        {3, "4", {2, 2, -2, -2}, 5},         // pair 1/2: 2 -> 4
        {3, "0", {-2, -2, 2, 2}, 5},         // 0, confirmed
        {2, "-6", {-15, 5, 5, 5}, 5},        // player 1 alone: 9 -> -6
        {1, " 2,6 ", {2, 2, -2, -2}, 5},     // pair 3/4: 5 -> 3
        {21, "6", {3, -1, -1, -1}, 23},      // solo of player 1: 3 -> 6, solo rows only
        {22, "-39", {15, -45, 15, 15}, 23}}; // solo of player 2: 6 -> -39
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        TestProgram t;
        fourPlayerPad(t.p);
        const GameTable before = t.p.pad.gameTable;
        const PlayerValues totals = c.row > 20 ? t.p.pad.soloPoints : t.p.pad.gamePoints;
        t.dialogs.inputAnswers = {c.answer};
        clickPoints(t.p, c.row);
        const std::string prompt = "Ergebnis des " + std::to_string(c.row) + ". Spieles ändern";
        EXPECT_EQ(t.dialogs.prompts, std::vector<std::string>{prompt});
        EXPECT_EQ(t.dialogs.messages.size(), std::string(c.answer) == "0" ? 1u : 0u);
        for (int r = 1; r < TOTALS_ROW; ++r) {
            const bool moves = r >= c.row && r <= c.lastRow;
            EXPECT_EQ(moved(t.p, before, r), moves ? c.delta : std::vector<int>(4, 0)) << r;
        }
        EXPECT_EQ(t.p.ui.PKT(c.row).text, std::to_string(t.p.pad.gameTable[c.row][1]));
        EXPECT_EQ(t.p.ui.SP[2](c.lastRow).text, std::to_string(t.p.pad.gameTable[c.lastRow][3]));
        const PlayerValues& now = c.row > 20 ? t.p.pad.soloPoints : t.p.pad.gamePoints;
        for (std::size_t k = 1; k <= 4; ++k)
            EXPECT_EQ(now[k] - totals[k], c.delta[k - 1]) << k;
        EXPECT_EQ(t.p.ui.SPsum(2).text, std::to_string(t.p.pad.overallScore(2)));
    }
}

TEST(CorrectionValue, RefusedAnswersChangeNothing) {
    using enum MessageAnswer;
    // clang-format off
    const struct {
        int row; std::optional<std::string> answer; std::deque<MessageAnswer> replies;
        std::vector<std::string> messages;  // a part of each message shown
    } cases[] = {
        {2, "4", {}, {KEIN_SOLO}},  // player alone: no multiple of 3
        {21, "-4", {}, {KEIN_SOLO}},  // solo
        {2, "0", {Yes}, {NULL_FRAGE, KEIN_SOLO}}, {2, "0", {No}, {NULL_FRAGE}},
        {3, "0", {No}, {NULL_FRAGE}},
        {3, "abc", {}, {"abc"}}, {3, "5x", {}, {"5x"}},  // no number: told, not taken as 0
        {3, std::nullopt, {}, {}}, {3, "", {}, {}}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.value_or("<cancel>") + " in row " + std::to_string(c.row));
        TestProgram t;
        fourPlayerPad(t.p);
        const std::string before = state(t.p);
        t.dialogs.inputAnswers = {c.answer};
        t.dialogs.messageAnswers = c.replies;
        clickPoints(t.p, c.row);
        EXPECT_EQ(state(t.p), before);
        ASSERT_EQ(t.dialogs.messages.size(), c.messages.size());
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            const auto& m = t.dialogs.messages[i];
            EXPECT_NE(m.text.find(c.messages[i]), std::string::npos) << m.text;
            EXPECT_EQ(m.caption, "Kartotrix");
            if (m.text == KEIN_SOLO) {
                EXPECT_EQ(m.icon, MessageIcon::Stop);
            } else if (m.text == NULL_FRAGE) {
                EXPECT_EQ(m.buttons, MessageButtons::YesNo);
            }
        }
    }
}

TEST(CorrectionGuards, NothingIsAskedOutsideEnteredGameAndSoloRows) {
    // clang-format off
    const struct { const char* what; int row, shift; } cases[] = {
        {"no modifier", 3, 0}, {"Shift", 3, SHIFT_BIT}, {"Ctrl+Shift", 3, CTRL_BIT | SHIFT_BIT},
        {"Ctrl+Alt", 3, CTRL_BIT | ALT_BIT}, {"option off", 3, CTRL_BIT},
        {"next game row", 6, CTRL_BIT}, {"later game row", 7, CTRL_BIT},
        {"next solo row", 24, CTRL_BIT}, {"filled penalty row", 25, CTRL_BIT},
        {"empty penalty row", 26, CTRL_BIT}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestProgram t;
        fourPlayerPad(t.p);
        if (std::string(c.what) == "option off") frm0_MenuEvent(t.p, CMD_ROW_CHANGE);
        const std::string before = state(t.p);
        t.dialogs.inputAnswers = {"2", "4", "2", "4"};
        clickPoints(t.p, c.row, c.shift);
        clickPlayers(t.p, c.row, c.shift);
        EXPECT_TRUE(t.dialogs.prompts.empty());
        EXPECT_EQ(state(t.p), before);
    }
}

TEST(CorrectionPlayers, NewWinnersMoveEveryLaterRow) {
    // Row 1: 2/3 win 2 with player 1 dealing; row 2: 3/4 win 5.
    // clang-format off
    const struct { int n; Answers answers; int code; std::vector<int> delta; } cases[] = {
        {4, {"4", "2"}, 24, {0, 0, -4, 4}},
        {4, {"1", "3"}, 13, {4, -4, 0, 0}},  // at four players the dealer plays
        {4, {"2", "2"}, 0, {}}, {4, {"5", "1"}, 0, {}}, {4, {"0", "2"}, 0, {}},
        {4, {"", "2"}, 0, {}}, {4, {"x", "2"}, 0, {}},
        {5, {"1", "3"}, 0, {}}, {5, {"3", "1"}, 0, {}},  // the dealer sat out
        {5, {"5", "4"}, 45, {0, -4, -4, 4, 4}},
        {6, {"6", "4"}, 0, {}},  // the seat before the dealer sat out
        {6, {"4", "5"}, 45, {0, -4, -4, 4, 4, 0}}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.n) + ": " + c.answers[0].value_or("?") + "," +
                     c.answers[1].value_or("?"));
        TestProgram t;
        newPad(t.p, c.n);
        ASSERT_TRUE(enterPair(t.p, 2, 3, 2));
        ASSERT_TRUE(enterPair(t.p, 3, 4, 5));
        const GameTable before = t.p.pad.gameTable;
        const std::string shown = state(t.p);
        t.dialogs.inputAnswers = c.answers;
        clickPlayers(t.p, 1);
        const std::vector<std::string> prompts{"1. Spieler des 1. Spieles ändern",
                                               "2. Spieler des 1. Spieles ändern"};
        const bool notANumber = c.answers[0] == "x";  // told at once, no second question
        EXPECT_EQ(t.dialogs.prompts.size(), c.answers[0] == "" || notANumber ? 1u : 2u);
        EXPECT_EQ(t.dialogs.messages.size(), notANumber ? 1u : 0u);
        EXPECT_TRUE(
            std::equal(t.dialogs.prompts.begin(), t.dialogs.prompts.end(), prompts.begin()));
        if (c.code == 0) {
            EXPECT_EQ(state(t.p), shown);
            continue;
        }
        EXPECT_EQ(t.p.pad.gameTable[1][0], c.code);
        EXPECT_EQ(t.p.ui.SPL(1).text,
                  std::to_string(c.code / 10) + " / " + std::to_string(c.code % 10));
        EXPECT_EQ(moved(t.p, before, 1), c.delta);
        EXPECT_EQ(moved(t.p, before, 2), c.delta);
    }
}

TEST(CorrectionValue, FivePlayersSitOutKeepsItsCells) {
    // Player 3 deals game 3 and sits out; players 4, 5 and 1 sit out the later games.
    TestProgram t;
    newPad(t.p, 5);
    for (auto [a, b, v] :
         {std::tuple{2, 3, 1}, {3, 4, 2}, {1, 2, 2}, {1, 2, 3}, {3, 4, 4}, {2, 3, 5}})
        ASSERT_TRUE(enterPair(t.p, a, b, v));
    const GameTable before = t.p.pad.gameTable;
    t.dialogs.inputAnswers = {"5"};
    clickPoints(t.p, 3);
    const std::vector<int> delta{3, 3, 0, -3, -3}, none(5, 0);
    for (int r = 1; r <= 7; ++r)
        EXPECT_EQ(moved(t.p, before, r), r >= 3 && r <= 6 ? delta : none) << r;
    EXPECT_EQ(test::rowTexts(t.p, 4)[3], "xxx");
    EXPECT_EQ(test::rowTexts(t.p, 6)[0], "xxx");
    EXPECT_EQ(t.p.pad.gamePoints[3], before[6][4]);
}

TEST(CorrectionPlayers, MandatorySoloMarkMovesWithTheSoloist) {
    for (int n : {4, 5, 6}) {
        SCOPED_TRACE(n);
        TestProgram t;
        newPad(t.p, n);
        ASSERT_TRUE(enterSolo(t.p, 2, 9, n > 4 ? 5 : 0));
        ASSERT_TRUE(enterPair(t.p, 2, 3, 2));
        t.dialogs.inputAnswers = {"3"};
        clickPlayers(t.p, 5 * n + 1);
        EXPECT_EQ(t.dialogs.prompts[0],
                  "Spieler des " + std::to_string(5 * n + 1) + ". Spieles ändern");
        ASSERT_EQ(t.p.pad.gameTable[5 * n + 1][0], 3);
        const WindowModel& ui = t.p.ui;
        EXPECT_TRUE(ui.WER2(2).visible);
        EXPECT_FALSE(ui.WER2(3).visible);
        EXPECT_EQ(ui.WER1(17).visible, n == 6);  // at six players anyone may play alone
        EXPECT_TRUE(ui.WER1(18).visible);
        EXPECT_TRUE(enterSolo(t.p, 2, 3, n > 4 ? 5 : 0));  // player 2 still owes the solo
    }
    TestProgram t;  // a single-player normal game carries no mark
    fourPlayerPad(t.p);
    t.dialogs.inputAnswers = {"4"};
    clickPlayers(t.p, 2);
    ASSERT_EQ(t.p.pad.gameTable[2][0], 4);
    EXPECT_TRUE(t.p.ui.WER2(4).visible);
    EXPECT_FALSE(t.p.ui.WER1(19).visible);
    EXPECT_FALSE(t.p.ui.WER2(1).visible);
    EXPECT_TRUE(t.p.ui.WER1(16).visible);
}

TEST(CorrectionValue, TotalsBeyondTheByteRangeStayExactAndAreSaved) {
    TestProgram t;
    newPad(t.p, 4);
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(enterPair(t.p, 1, 2, 18));
    for (auto [row, answer, total] : {std::tuple{1, "20", 128}, {7, "38", 148}}) {
        t.dialogs.inputAnswers = {answer};
        clickPoints(t.p, row);
        EXPECT_EQ(t.dialogs.prompts.back(),
                  "Ergebnis des " + std::to_string(row) + ". Spieles ändern");
        EXPECT_EQ(t.p.pad.gameTable[7][4], -total);
        EXPECT_EQ(t.p.ui.SP[3](7).text, std::to_string(-total));
        EXPECT_EQ(t.p.ui.SPsum(1).text, std::to_string(total));
        EXPECT_EQ(t.p.ui.status(4), "Umsatz: " + std::to_string(2 * total));
        // The autosave pad file holds the corrected pad.
        const DecodeResult saved = decodePadFile(test::fileBytes(t.file("autosave.hsc")).value());
        ASSERT_TRUE(saved.image);
        EXPECT_EQ(saved.image->table, t.p.pad.gameTable);
    }
}

TEST(CorrectionAnswer, ReadsWholeNumbersOnly) {
    const std::optional<int> none;
    // clang-format off
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"7", 7}, {" -4 ", -4}, {"+3", 3}, {"2.5", 3}, {"-2,5", -3}, {"7,4", 7}, {"abc", none},
        {"5x", none}, {"", none}, {"-", none}, {"1e3", none}, {"3 4", none}, {"12345678901", none}};
    // clang-format on
    for (const auto& [text, want] : cases)
        EXPECT_EQ(parseAnswer(text), want) << text;
}

}  // namespace
}  // namespace kx
