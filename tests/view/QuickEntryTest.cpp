// Quick entry: what a typed line means, what the preview says, and that Enter
// makes exactly the entry the panel would make.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/Correction.h"
#include "core/EntryPanel.h"
#include "io/CsvExport.h"
#include "io/PadFile.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/History.h"
#include "view/Journal.h"
#include "view/PadLayout.h"
#include "view/PadSheet.h"
#include "view/QuickEntry.h"
#include "view/RowMenu.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::TestProgram;

void nameAll(Program& p, const std::vector<std::string>& names) {
    for (std::size_t k = 0; k < names.size(); ++k)
        p.pad.playerNames[k + 1] = names[k];
}

struct ParseRow {
    const char* text;
    std::optional<QuickEntry> entry;
    const char* error;  // a part of the message
};

TEST(QuickEntryParse, FormsNamesAndMistakes) {
    PadState pad;
    pad.playerCount = 6;
    pad.playerNames = {"", "Anna", "Andreas", "Bert", "Jo", "Jochen", "\xC3\x96mer"};
    using enum QuickKind;
    const ParseRow rows[] = {
        {"1 2 3", QuickEntry{Pair, 1, 2, 3, 0}, ""},
        {"  BERT anna 3 ", QuickEntry{Pair, 1, 3, 3, 0}, ""},
        {"1/2 0", QuickEntry{Pair, 1, 2, 0, 0}, ""},
        {"jo 1 3", QuickEntry{Pair, 1, 4, 3, 0}, ""},  // the whole name wins
        {"joc 1 3", QuickEntry{Pair, 1, 5, 3, 0}, ""},
        {"\xC3\xB6m 2 5", QuickEntry{Pair, 2, 6, 5, 0}, ""},  // umlauts ignore case too
        {"2 -9", QuickEntry{Single, 2, 0, -9, 0}, ""},
        {"bert +12", QuickEntry{Single, 3, 0, 12, 0}, ""},
        {"s 3 6", QuickEntry{Solo, 3, 0, 6, 0}, ""},
        {"S bert -6 jo", QuickEntry{Solo, 3, 0, -6, 4}, ""},
        {"p 4", QuickEntry{Penalty, 4, 0, -12, 0}, ""},
        {"x jochen", QuickEntry{Penalty, 5, 0, -12, 0}, ""},
        {"", std::nullopt, "Paar \xC2\xB7 "},
        {"an 2 3", std::nullopt,
         "\xE2\x80\x9E"
         "an\xE2\x80\x9C passt auf Anna und Andreas"},
        {"zed 1 3", std::nullopt, "Kein Spieler hei\xC3\x9Ft \xE2\x80\x9Ezed"},
        {"7 1 3", std::nullopt, "Spieler 7 gibt es nicht: am Tisch sitzen 6 Spieler."},
        {"1 1 3", std::nullopt, "Zweimal Anna"},
        {"1 2 3 4 5", std::nullopt,
         "Zu viel eingegeben: \xE2\x80\x9E"
         "4 5\xE2\x80\x9C."},
        {"s 1 3 2 x", std::nullopt, "Zu viel eingegeben"},
        {"1 2 3x", std::nullopt,
         "\xE2\x80\x9E"
         "3x\xE2\x80\x9C ist keine Punktzahl."},
        {"1", std::nullopt, "Anna: es fehlen die Punkte (allein) oder Partner und Punkte."},
        {"1 2", std::nullopt, "Anna / Andreas: es fehlen die Punkte."},
        {"s", std::nullopt, "Solo: Solist, Wert und bei 5 oder 6 Spielern der Geber"},
        {"s 3", std::nullopt, "Solo von Bert: es fehlt der Wert."},
        {"p", std::nullopt, "Strafpunkte: f\xC3\xBCr wen?"},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(row.text);
        const QuickParse parsed = parseQuickEntry(pad, row.text);
        EXPECT_EQ(parsed.entry, row.entry);
        EXPECT_NE(parsed.error.find(row.error), std::string::npos) << parsed.error;
    }
}

struct PreviewRow {
    const char* text;
    bool admissible;
    const char* preview;
};

void expectPreviews(Program& p, const std::vector<PreviewRow>& rows) {
    const Snapshot before = takeSnapshot(p);
    for (const PreviewRow& row : rows) {
        SCOPED_TRACE(row.text);
        const QuickPreview preview = previewQuickEntry(p, row.text);
        EXPECT_EQ(preview.text, row.preview);
        EXPECT_EQ(preview.admissible, row.admissible);
    }
    EXPECT_TRUE(takeSnapshot(p) == before);  // a preview changes nothing
}

TEST(QuickEntryPreview, SaysWhatEnterEntersOrWhyNot) {
    TestProgram t;
    Program& p = t.p;
    expectPreviews(p, {{"1 2 3", false,
                        "Kein Block offen: im Men\xC3\xBC \xE2\x80\x9E"
                        "Block\xE2\x80\x9C die Spielerzahl w\xC3\xA4hlen."}});
    newPad(p, 4);
    nameAll(p, {"Anna", "Bert", "Carla", "Dirk"});
    ASSERT_TRUE(test::enterSolo(p, 2, 6));
    expectPreviews(
        p, {
               {"1 2 3", true, "Spiel 1: Anna / Bert gewinnen 3"},
               {"2 -9", true, "Spiel 1: Bert allein verliert 9"},
               {"b 12", true, "Spiel 1: Bert allein gewinnt 12"},
               {"s c -6", true, "Solo 2: Carla verliert 6"},
               {"p d", true, "Strafpunkte: Dirk bekommt -12"},
               {"1 -9", false,
                "Anna spielt allein erst nach dem Pflichtsolo (\xE2\x80\x9Es 1 "
                "\xE2\x80\xA6\xE2\x80\x9C)."},
               {"1 2 19", true, "Spiel 1: Anna / Bert gewinnen 19"},
               {"1 2 1000", false, "Ein Paar bekommt 0 bis 999 Punkte."},
               {"1 2 -3", false, "Ein Paar bekommt 0 bis 999 Punkte."},
               {"2 -4", false, "Kein Solo-Ergebnis: der Wert muss durch 3 teilbar sein."},
               {"2 0", false, "Kein Solo-Ergebnis: der Wert darf nicht 0 sein."},
               {"s 1 42", true, "Solo 2: Anna gewinnt 42"},
               {"s 1 1002", false, "Kein Solo-Ergebnis: der Wert liegt zwischen -999 und 999."},
               {"s bert 6", false, "Bert hat das Pflichtsolo schon gespielt."},
               {"s 1 6 2", false, "Bei 4 Spielern hat das Solo keinen Geber."},
           });

    newPad(p, 5);                                    // Anna deals and sits out
    ASSERT_TRUE(test::act(p, {"MDS 2", "WIE2 2"}));  // a dealer picked with the mouse is not used
    expectPreviews(p, {
                          {"1 2 3", false, "Anna setzt in diesem Spiel aus."},
                          {"2 5 3", true, "Spiel 1: Bert / 5 gewinnen 3"},
                          {"s 3 6", false,
                           "Bei 5 Spielern geh\xC3\xB6rt zum Solo der Geber, z. B. \xE2\x80\x9Es 3 "
                           "6 2\xE2\x80\x9C."},
                          {"s 3 6 3", false, "Carla setzt in diesem Spiel aus (Geber: Carla)."},
                          {"s 3 6 2", true, "Solo 1: Carla gewinnt 6, Geber Bert"},
                      });

    newPad(p, 6);  // Anna deals, Finn on the seat before sits out too
    p.pad.playerNames[6] = "Finn";
    for (int k : {1, 2})
        ASSERT_TRUE(test::enterPenalty(p, k));
    expectPreviews(p, {{"p finn", false, "Finn setzt in diesem Spiel aus."},
                       {"2 6 3", false, "Finn setzt in diesem Spiel aus."}});
    ASSERT_TRUE(test::enterPenalty(p, 3));
    expectPreviews(p, {{"p 4", false, "Alle drei Strafpunkte sind eingetragen."}});
}

TEST(QuickEntryParse, CalculatorWordsGiveTheGameValue) {
    PadState pad;
    pad.playerNames = {"", "Anna", "Bert", "Carla", "Dirk"};
    using enum QuickKind;
    const ParseRow rows[] = {
        {"1 2 re 160", QuickEntry{Pair, 1, 2, 4, 0, "gewonnen, unter 90, Re"}, ""},
        {"bert ANNA 100a", QuickEntry{Pair, 3, 4, 2, 0, "gewonnen, gegen die Alten"}, ""},
        {"1 3 160 kontra kfuchs",
         QuickEntry{Pair, 1, 3, 3, 0, "Re: gewonnen, unter 90, Kontra; Kontra: Fuchs"}, ""},
        {"1 2 k60 r60 170 kdk",
         QuickEntry{Pair, 1, 2, 2, 0,
                    "kein Gewinner; Re: unter 90, 120 gegen keine 90, 90 gegen keine 60; Kontra: "
                    "Doppelkopf"},
         ""},
        {"2 r60 190",
         QuickEntry{Single, 2, 0, 21, 0, "gewonnen, unter 90, unter 60, Re, keine 90, keine 60"},
         ""},
        {"d 119a", QuickEntry{Single, 4, 0, -3, 0, "Kontra: gewonnen"}, ""},
        {"s c re 200 g2", QuickEntry{Solo, 3, 0, 15, 2, "gewonnen, unter 90, unter 60, Re"}, ""},
        // Today's forms keep their meaning.
        {"1 2 160", QuickEntry{Pair, 1, 2, 160, 0}, ""},
        {"s 3 6 2", QuickEntry{Solo, 3, 0, 6, 2}, ""},
        {"1 2 re", std::nullopt, "Es fehlen die Augen von Re"},
        {"1 2 re 130 140", std::nullopt, "Zweimal Augen: \xE2\x80\x9E"},
        {"1 2 re 130 schwein", std::nullopt, "schwein\xE2\x80\x9C ist weder Ansage noch Augen"},
        {"1 2 re 130 ohne", std::nullopt, "ohne Stich bleibt nur eine Partei ohne Augen"},
        {"1 2 240 ohne kfuchs", std::nullopt, "Die Kontra-Partei hat keinen Stich"},
        {"s 3 130a gx", std::nullopt, "Kein Spieler hei\xC3\x9Ft \xE2\x80\x9Ex"},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(row.text);
        QuickParse parsed = parseQuickEntry(pad, row.text);
        if (parsed.entry) parsed.entry->reckoned.reset();  // the inputs: see below
        EXPECT_EQ(parsed.entry, row.entry);
        EXPECT_NE(parsed.error.find(row.error), std::string::npos) << parsed.error;
    }
}

// The words follow the pad's house rules: an extra point they do not count
// is refused by its name, the private ones count when switched on.
TEST(QuickEntryParse, CalculatorWordsFollowTheHouseRules) {
    struct Row {
        const char* text;
        std::function<void(GameValueRules&)> rules;
        int winner, value;  // the first winner and the value entered
        const char* error;  // a part of the refusal
    } rows[] = {
        {"1 2 130 karlfang", [](GameValueRules&) {}, 0, 0,
         "\xE2\x80\x9EKarlchen gefangen\xE2\x80\x9C z\xC3\xA4hlt nach den Hausregeln"},
        {"1 2 130 karlfang", [](GameValueRules& r) { r.karlchenCaught = true; }, 1, 2, ""},
        {"1 2 130 dulle fuchsletzt",
         [](GameValueRules& r) { r.dulleCaught = r.foxLastTrick = true; }, 1, 3, ""},
        {"1 2 100 kdulle", [](GameValueRules& r) { r.dulleCaught = true; }, 3, 3, ""},
        {"1 2 130 fuchs", [](GameValueRules& r) { r.foxCaught = false; }, 0, 0,
         "\xE2\x80\x9E"
         "Fuchs gefangen\xE2\x80\x9C z\xC3\xA4hlt"},
        {"1 2 80 kontra", [](GameValueRules& r) { r.announcementsDouble = true; }, 3, 6, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        PadState pad;
        pad.playerNames = {"", "Anna", "Bert", "Carla", "Dirk"};
        row.rules(pad.houseRules.values);
        const QuickParse parsed = parseQuickEntry(pad, row.text);
        EXPECT_NE(parsed.error.find(row.error), std::string::npos) << parsed.error;
        if (!*row.error) {
            ASSERT_TRUE(parsed.entry);
            EXPECT_EQ(parsed.entry->player, row.winner);
            EXPECT_EQ(parsed.entry->value, row.value);
        }
    }
}

// The pair that gains is entered: Re's, or the two others who take part.
TEST(QuickEntryPreview, CalculatorEntersThePairThatGains) {
    TestProgram t;
    Program& p = t.p;
    newPad(p, 5);  // Anna deals and sits out
    nameAll(p, {"Anna", "Bert", "Carla", "Dirk", "Eva"});
    expectPreviews(
        p,
        {
            {"2 3 re 160", true, "Spiel 1: Bert / Carla gewinnen 4 (gewonnen, unter 90, Re)"},
            {"2 3 re 100", true, "Spiel 1: Dirk / Eva gewinnen 4 (gewonnen, Re, gegen die Alten)"},
            {"1 2 re 160", false, "Anna setzt in diesem Spiel aus."},
        });
    ASSERT_TRUE(enterQuickEntry(p, "2 3 re 100"));
    EXPECT_EQ(p.pad.gameTable[1][0], 45);
    EXPECT_EQ(p.pad.gameTable[1][1], 4);
}

// Games worth more than the lists hold are entered, and each calculated game
// keeps its inputs with its row: in the file, through undo and redo, and the
// pad without them is the pad the panel gives for the same values.
TEST(QuickEntryPreview, CalculatedGamesKeepTheirInputsAndMayLeaveTheLists) {
    TestProgram calc, panel;
    newPad(calc.p, 4);
    newPad(panel.p, 4);
    ASSERT_TRUE(enterQuickEntry(calc.p, "1 2 kontra rs 240 ohne dk dk dk dk fuchs fuchs karlchen"));
    ASSERT_TRUE(enterQuickEntry(calc.p, "3 4 re 100"));  // Kontra 1 / 2 wins
    ASSERT_TRUE(enterQuickEntry(calc.p, "1 2 7"));       // no calculator
    ASSERT_TRUE(enterQuickEntry(calc.p, "s 2 rs k90 240 ohne"));
    ASSERT_TRUE(test::act(panel.p, {"WER1 " + std::to_string(test::pairChoice(1, 2))}) &&
                chooseValueBeyondList(panel.p, 20) && test::act(panel.p, {"OK"}));
    ASSERT_TRUE(test::enterPair(panel.p, 1, 2, 4));
    ASSERT_TRUE(test::enterPair(panel.p, 1, 2, 7));
    ASSERT_TRUE(test::act(panel.p, {"MDS 2", "WER2 2"}) && chooseValueBeyondList(panel.p, 45) &&
                test::act(panel.p, {"OK"}));
    EXPECT_EQ(calc.p.pad.gameTable, panel.p.pad.gameTable);
    EXPECT_EQ(calc.p.pad.gameTable[1][1], 20);
    const auto& reckoned = calc.p.pad.reckonings;
    ASSERT_EQ(reckoned.size(), 3u);
    EXPECT_EQ(reckoned.at(2).re1 * 10 + reckoned.at(2).re2, 34);
    EXPECT_EQ(reckoned.at(2).play.reCardPoints, 100);
    EXPECT_EQ(reckoned.count(3), 0u);
    EXPECT_EQ(rowReckoning(calc.p.pad, 2).front(),
              "Spiel 2: Kontra gewinnt 4: gewonnen, Re, gegen die Alten");
    journalOf(calc.p).clear();
    journalOf(panel.p).clear();
    const Bytes withInputs = encodePadFile(calc.p);
    const Bytes plain = encodePadFile(panel.p);
    // The same pad with a block: its length stands in the header.
    ASSERT_GT(withInputs.size(), plain.size());
    Bytes stripped(withInputs.begin(), withInputs.end() - static_cast<std::ptrdiff_t>(
                                                              withInputs.size() - plain.size()));
    std::fill(stripped.begin() + 26, stripped.begin() + 30, 0);
    EXPECT_EQ(stripped, plain);

    // The sheet lists each reckoning; the spreadsheet has the inputs as columns.
    const PadSheet sheet = padSheet(calc.p, LocalTime{});
    ASSERT_EQ(sheet.reckonings.size(), 3u);
    EXPECT_EQ(sheet.reckonings[2],
              "Solo 1: Re gewinnt 15 (Solist 45): gewonnen, unter 90, unter 60, unter 30, schwarz "
              "gespielt, Re, Kontra, keine 90 von Re, keine 60 von Re, keine 30 von Re, schwarz "
              "abgesagt von Re, keine 90 von Kontra, 120 gegen keine 90");
    ASSERT_FALSE(sheet.journalPages.empty());
    EXPECT_EQ(sheet.journalPages.back().title, "Spielwerte");
    EXPECT_EQ(sheet.journalPages.back().lines, sheet.reckonings);
    EXPECT_EQ(padToolTip(calc.p, calc.p.ui.PKT(2)).rfind("Spiel 2: Kontra gewinnt 4", 0), 0u);
    EXPECT_EQ(padToolTip(calc.p, calc.p.ui.PKT(3)).find("Spiel 3"), std::string::npos);
    const Bytes csv = csvBytes(sheet);
    const std::string table(csv.begin(), csv.end());
    EXPECT_NE(table.find(";Setzt aus;Re;Augen Re;Ansagen Re;Ansagen Kontra;ohne Stich;"
                         "Sonderpunkte Re;Sonderpunkte Kontra;Solo\r\n"),
              std::string::npos);
    EXPECT_NE(table.find(";3 / 4;100;re;;;;;\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find(
                  ";Kontra;fuchs,fuchs,doppelkopf,doppelkopf,doppelkopf,doppelkopf,karlchen;;\r\n"),
              std::string::npos);

    ASSERT_TRUE(writePadFile(calc.p, calc.file("rechnung.hsc")));
    TestProgram loaded;
    ASSERT_EQ(readPadFile(loaded.p, calc.file("rechnung.hsc")), "");
    EXPECT_EQ(loaded.p.pad.reckonings, reckoned);
    frm0_KeyDown(calc.p, KEY_BACKSPACE, ALT_BIT);
    EXPECT_EQ(calc.p.pad.reckonings.count(21), 0u);
    frm0_MenuEvent(calc.p, CMD_REDO);
    EXPECT_EQ(calc.p.pad.reckonings, loaded.p.pad.reckonings);
    // A plain click on the points shows the reckoning; a correction that no
    // longer fits it asks before dropping it.
    calc.dialogs.messages.clear();
    PKT_MouseDown(calc.p, 2, 1, 0, 0, 0);
    ASSERT_EQ(calc.dialogs.messages.size(), 1u);
    EXPECT_EQ(calc.dialogs.messages[0].text.rfind(
                  "Spiel 2: Kontra gewinnt 4: gewonnen, Re, gegen die Alten\ngewonnen 1\n", 0),
              0u)
        << calc.dialogs.messages[0].text;
    PKT_MouseDown(calc.p, 2, 2, 0, 0, 0);  // the right button opens the row's menu instead
    EXPECT_EQ(calc.dialogs.messages.size(), 1u);
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        calc.dialogs.inputAnswers = {"5"};
        calc.dialogs.messageAnswers = {answer};
        PKT_MouseDown(calc.p, 2, 1, CTRL_BIT, 0, 0);
        EXPECT_EQ(calc.p.pad.gameTable[2][1], answer == MessageAnswer::Yes ? 5 : 4);
        EXPECT_EQ(calc.p.pad.reckonings.count(2), answer == MessageAnswer::Yes ? 0u : 1u);
    }
    frm0_KeyDown(calc.p, KEY_BACKSPACE, ALT_BIT);
    ASSERT_EQ(calc.p.pad.reckonings, loaded.p.pad.reckonings);  // undo brings them back

    // A reckoning that does not give its row refuses the file, checksum or not.
    calc.p.pad.reckonings[2].play.reCardPoints = 130;
    EXPECT_FALSE(decodePadFile(encodePadFile(calc.p)).image);
}

// Letters and digits open it, with Shift too; not with Ctrl or Alt.
TEST(QuickEntryField, OpensOnLettersAndDigits) {
    EXPECT_TRUE(opensQuickEntry("a", 0));
    EXPECT_TRUE(opensQuickEntry("\xC3\x84", SHIFT_BIT));
    EXPECT_FALSE(opensQuickEntry("a", CTRL_BIT));
    EXPECT_FALSE(opensQuickEntry("-", 0));
    EXPECT_FALSE(opensQuickEntry("\xC3\x97", 0));
}

// A whole evening, once through the panel and once only through quick entry,
// must give the same pad file after every entry.
class QuickEvening : public testing::TestWithParam<int> {};

TEST_P(QuickEvening, GivesThePadFileOfThePanel) {
    const int n = GetParam();
    TestProgram panel, quick;
    for (Program* p : {&panel.p, &quick.p}) {
        newPad(*p, n);
        nameAll(*p, {"Anna", "Bert", "Carla", "Dirk", "Eva", "Finn"});
    }
    Program& a = panel.p;
    const auto ref = [&a](int k, int step) {  // by number or by name start
        return step % 2 ? std::to_string(k)
                        : a.pad.playerNames[static_cast<std::size_t>(k)].substr(0, 2);
    };
    int soloist = 1;
    for (int step = 0; !a.pad.gamesComplete || !a.pad.solosComplete || a.ui.MDS(3).enabled;
         ++step) {
        SCOPED_TRACE(step);
        std::string line;
        bool entered = false;
        if ((step % 5 == 2 || a.pad.gamesComplete) && !a.pad.solosComplete) {
            const int dealer = n == 4 ? 0 : (soloist + 1) % n + 1;
            const int value = (step % 2 ? 3 : -3) * (1 + step % 13);
            entered = test::enterSolo(a, soloist, value, dealer);
            line = "s " + ref(soloist, step) + " " + std::to_string(value) +
                   (dealer ? " " + ref(dealer, step + 1) : "");
            ++soloist;
        } else if ((a.pad.gamesComplete || step % 9 == 4) && a.ui.MDS(3).enabled) {
            const int k = step % n + 1 == a.pad.secondSitOut ? 1 : step % n + 1;
            entered = test::enterPenalty(a, k);
            line = (step % 2 ? "p " : "x ") + ref(k, step);
        } else {
            std::vector<int> playing;
            for (int k = 1; k <= n; ++k)
                if (takesPart(n, k, a.pad.dealer, a.pad.secondSitOut)) playing.push_back(k);
            const int first = playing[static_cast<std::size_t>(step) % playing.size()];
            if (step % 4 == 1 && a.ui.WER1(15 + first).visible) {
                const int value = (step % 3 - 1 ? 9 : -6) + 3 * (step % 4);
                entered = test::enterSingle(a, first, value);
                line = ref(first, step) + " " + std::to_string(value);
            } else {
                const int second = playing[static_cast<std::size_t>(step + 1) % playing.size()];
                const int value = step * 7 % 19;
                entered =
                    test::enterPair(a, std::min(first, second), std::max(first, second), value);
                line = ref(second, step) + " " + ref(first, step + 1) + " " + std::to_string(value);
            }
        }
        ASSERT_TRUE(entered);
        SCOPED_TRACE(line);
        EXPECT_TRUE(previewQuickEntry(quick.p, line).admissible)
            << previewQuickEntry(quick.p, line).text;
        ASSERT_TRUE(enterQuickEntry(quick.p, line));
        ASSERT_EQ(encodePadFile(quick.p), encodePadFile(a));
        ASSERT_EQ(test::fileBytes(quick.file("autosave.hsc")),
                  test::fileBytes(panel.file("autosave.hsc")));
    }
    EXPECT_FALSE(a.ui.MDS(1).enabled);
    EXPECT_EQ(quick.p.ui.status(4), a.ui.status(4));
}

INSTANTIATE_TEST_SUITE_P(Tables, QuickEvening, testing::Values(4, 5, 6));

}  // namespace
}  // namespace kx
