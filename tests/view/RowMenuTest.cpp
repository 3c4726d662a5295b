// The context menu of a pad row and its tooltip: what they offer, where they
// are greyed, and that an entry runs the Ctrl+click correction itself.
#include <gtest/gtest.h>

#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/PadLayout.h"
#include "view/RowMenu.h"

namespace kx {
namespace {

using test::TestProgram;

const std::string HINT = "Strg+Klick oder Rechtsklick: korrigieren";

// Four players: game 1 (1 / 2 for 2), solo S1 (row 21) and a penalty (row 25).
void enteredPad(Program& p) {
    newPad(p, 4);
    ASSERT_TRUE(test::enterPair(p, 1, 2, 2));
    ASSERT_TRUE(test::enterSolo(p, 1, 3));
    ASSERT_TRUE(test::enterPenalty(p, 3));
}

TEST(RowMenu, OffersBothCorrectionsGreyedWhereTheyRefuse) {
    // Row, "Zeile ändern" on, whether the menu is offered, whether it is enabled, the tooltip.
    const std::tuple<int, bool, bool, bool, std::string> cases[] = {
        {1, true, true, true, HINT},
        {21, true, true, true, HINT},
        {25, true, true, false, "Strafpunkte lassen sich nicht korrigieren."},
        {1, false, true, false,
         "Korrigieren ist ausgeschaltet (Optionen \xE2\x80\xBA Zeile \xC3\xA4ndern)."},
        {2, true, false, false, ""},   // not entered yet
        {26, true, false, false, ""},  // a row of a larger pad
    };
    for (const auto& [row, rowChange, offered, enabled, tip] : cases) {
        SCOPED_TRACE(::testing::Message() << "row " << row << " option " << rowChange);
        TestProgram t;
        enteredPad(t.p);
        t.p.pad.rowChangeEnabled = rowChange;
        const std::vector<RowMenuEntry> menu = rowMenu(t.p, row);
        ASSERT_EQ(menu.size(), offered ? 2u : 0u);
        if (offered) {
            EXPECT_EQ(menu[0].caption, "Punkte \xC3\xA4ndern\xE2\x80\xA6");
            EXPECT_EQ(menu[1].caption, "Spieler \xC3\xA4ndern\xE2\x80\xA6");
            EXPECT_EQ(menu[0].enabled, enabled);
            EXPECT_EQ(menu[1].enabled, enabled);
        }
        for (const Control* label : {&t.p.ui.CNT(row), &t.p.ui.PKT(row), &t.p.ui.SP[3](row)})
            EXPECT_EQ(padToolTip(t.p, *label), tip) << label->objectName();
    }
}

TEST(RowMenu, EntriesRunTheCtrlClickCorrection) {
    TestProgram t;
    enteredPad(t.p);
    t.dialogs.inputAnswers = {"4"};
    rowMenuChosen(t.p, 1, RowMenuCommand::Points);
    EXPECT_EQ(t.dialogs.prompts.back(), "Ergebnis des 1. Spieles \xC3\xA4ndern");
    EXPECT_EQ(t.p.ui.PKT(1).text, "4");
    EXPECT_EQ(test::rowTexts(t.p, 1), (std::vector<std::string>{"4", "4", "-4", "-4"}));

    t.dialogs.inputAnswers = {"4", "2"};
    rowMenuChosen(t.p, 1, RowMenuCommand::Players);
    EXPECT_EQ(t.p.ui.SPL(1).text, "2 / 4");
    // The solo's value follows the solo rule; a penalty asks nothing.
    t.dialogs.inputAnswers = {"4"};
    rowMenuChosen(t.p, 21, RowMenuCommand::Points);
    EXPECT_EQ(t.dialogs.messages.back().text, "Kein Solo-Ergebnis! Abbruch.");
    const std::size_t asked = t.dialogs.prompts.size();
    rowMenuChosen(t.p, 25, RowMenuCommand::Points);
    EXPECT_EQ(t.dialogs.prompts.size(), asked);
    // Each correction is one step of undo, as after a Ctrl+click.
    frm0_MenuEvent(t.p, CMD_UNDO);
    EXPECT_EQ(t.p.ui.SPL(1).text, "1 / 2");
}

TEST(RowMenu, TheKeyOpensTheMenuOfTheLastGameOrSolo) {
    TestProgram t;
    newPad(t.p, 4);
    EXPECT_EQ(keyboardMenuRow(t.p), 0);
    ASSERT_TRUE(test::enterPair(t.p, 1, 2, 2));
    EXPECT_EQ(keyboardMenuRow(t.p), 1);
    ASSERT_TRUE(test::enterSolo(t.p, 2, 3));
    ASSERT_TRUE(test::enterPenalty(t.p, 3));
    EXPECT_EQ(keyboardMenuRow(t.p), 21);
}

}  // namespace
}  // namespace kx
