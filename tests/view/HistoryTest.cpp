// Undo and redo: every change of a whole evening comes back byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/Correction.h"
#include "io/FileCommands.h"
#include "io/PadFile.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/History.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::TestProgram;

// The pad file and the window as data, the "Bearbeiten" entries aside (they
// show the history itself).
struct State {
    Bytes file;
    Snapshot window;
    bool operator==(const State&) const = default;
};

State stateOf(Program& p) {
    State s{test::padBytesWithoutJournal(p), takeSnapshot(p)};
    for (int k = CMD_EDIT_MENU; k <= CMD_EDIT_END; ++k)
        s.window.menuEnabled[static_cast<std::size_t>(k)] = false;
    return s;
}

// Where two states differ first; empty when they are equal.
std::string difference(const State& a, const State& b) {
    if (a.file != b.file) return "pad file";
    if (!(a.window.pad == b.window.pad)) return "pad state";
    for (std::size_t i = 0; i < a.window.controls.size(); ++i) {
        if (!(a.window.controls[i] == b.window.controls[i]))
            return a.window.controls[i].objectName();
    }
    return a.window == b.window ? "" : "status, menu or width";
}

const MenuEntry& entry(const Program& p, int k) {
    return p.ui.menu[static_cast<std::size_t>(k)];
}

// One change; undo goes back to the state after `choices`, the panel's
// choices that precede the change and are none themselves.
struct Step {
    const char* label;  // what "Rückgängig" names afterwards
    std::function<void(TestProgram&)> run;
    std::vector<std::string> choices = {};
};

void pressOK(TestProgram& t) {
    kx::pressOK(t.p);
}

TEST(History, EveryStepOfAnEveningUndoesAndRedoesExactly) {
    TestProgram t;
    Program& p = t.p;
    const std::string saved = t.file("abend.hsc");
    const std::vector<Step> steps{
        {"Neuer Block", [](TestProgram& t) { frm0_MenuEvent(t.p, CMD_PAD5); }},
        {"Name 2",
         [](TestProgram& t) {
             editName(t.p, 2, "Be");
             editName(t.p, 2, "Bert");
             finishNameEdit(t.p);
         }},
        {"Spiel 1", pressOK, {"WER1 4", "WAS1 5"}},
        {"Solo 1", pressOK, {"MDS 2", "WER2 3", "WAS2 -6", "WIE2 4"}},
        {"Spiel 2", pressOK, {"MDS 1", "WER1 18", "WAS1s 9"}},
        {"Strafpunkte", pressOK, {"MDS 3", "WER3 4"}},
        {"Korrektur Spiel 1",
         [](TestProgram& t) {
             t.dialogs.inputAnswers = {"11"};
             PKT_MouseDown(t.p, 1, 1, CTRL_BIT, 0, 0);
         }},
        {"Korrektur Solo 1",
         [](TestProgram& t) {
             t.dialogs.inputAnswers = {"2"};
             SPL_MouseDown(t.p, 26, 1, CTRL_BIT, 0, 0);
         }},
        {"Neuer Block",
         [saved](TestProgram& t) {
             ASSERT_TRUE(savePadAs(t.p, saved));
             frm0_MenuEvent(t.p, CMD_PAD6);
         }},
        {"Spiel 1", pressOK, {"WER1 4", "WAS1 1"}},
        {"Laden",
         [saved](TestProgram& t) {
             t.dialogs.openAnswers = {saved};
             frm0_MenuEvent(t.p, CMD_LOAD);
         }},
        {"Spiel 3", pressOK, {"WER1 7", "WAS1 2"}},
        {"Block l\xC3\xB6schen", [](TestProgram& t) { frm0_MenuEvent(t.p, CMD_CLEAR_PAD); }},
    };

    std::vector<State> states;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.label);
        ASSERT_TRUE(test::act(p, step.choices));
        states.push_back(stateOf(p));
        step.run(t);
        const State after = stateOf(p);
        ASSERT_NE(difference(after, states.back()), "");
        EXPECT_EQ(entry(p, CMD_UNDO).caption, std::string("R\xC3\xBC"
                                                          "ckg\xC3\xA4ngig: ") +
                                                  step.label);

        const std::size_t asked =
            t.dialogs.prompts.size() + t.dialogs.messages.size() + t.dialogs.openDialogs;
        ASSERT_TRUE(undoChange(p));
        EXPECT_EQ(difference(stateOf(p), states.back()), "");
        EXPECT_EQ(entry(p, CMD_REDO).caption, std::string("Wiederherstellen: ") + step.label);
        ASSERT_TRUE(redoChange(p));
        EXPECT_EQ(difference(stateOf(p), after), "");
        // Nothing is asked again, and the autosave file holds the state reached.
        EXPECT_EQ(t.dialogs.prompts.size() + t.dialogs.messages.size() + t.dialogs.openDialogs,
                  asked);
        EXPECT_EQ(test::fileBytes(t.file("autosave.hsc")), encodePadFile(p));
        EXPECT_FALSE(entry(p, CMD_REDO).enabled);
    }
    // Undo all the way back to the window before the first pad.
    for (std::size_t k = states.size(); k-- > 0;) {
        ASSERT_TRUE(undoChange(p));
        ASSERT_EQ(difference(stateOf(p), states[k]), "") << k;
    }
    EXPECT_FALSE(undoChange(p));
    EXPECT_FALSE(entry(p, CMD_UNDO).enabled);
    EXPECT_EQ(entry(p, CMD_UNDO).caption,
              "R\xC3\xBC"
              "ckg\xC3\xA4ngig");
    EXPECT_FALSE(entry(p, CMD_SAVE).enabled);  // as before the first pad
}

// A step keeps the pad and what the change altered of the window, not the
// whole window: a long evening stays small, and still undoes to the start.
TEST(History, ALongEveningKeepsLittlePerStep) {
    TestProgram t;
    Program& p = t.p;
    p.pad.autosaveEnabled = false;
    const State empty = stateOf(p);
    int entries = 0;
    for (int pad = 0; pad < 4; ++pad) {
        frm0_MenuEvent(p, CMD_PAD6);
        for (int game = 0; game < 30; ++game)
            entries += test::passDeal(p);
        for (int k = 1; k <= 6; ++k)
            entries += test::enterSolo(p, k, 3, k % 6 + 1);
    }
    ASSERT_EQ(entries, 4 * 36);
    EXPECT_LE(p.history.bytes() / p.history.undoSteps(), 8u * 1024);
    while (undoChange(p)) {
    }
    EXPECT_EQ(difference(stateOf(p), empty), "");
}

TEST(History, OptionsStayAndANewChangeDropsTheRedoSteps) {
    TestProgram t;
    Program& p = t.p;
    frm0_MenuEvent(p, CMD_PAD4);
    ASSERT_TRUE(test::enterPair(p, 1, 2, 3));
    ASSERT_TRUE(test::enterPair(p, 1, 3, 4));
    frm0_MenuEvent(p, CMD_AUTOSAVE);  // off
    const Bytes autosaved = *test::fileBytes(t.file("autosave.hsc"));

    EXPECT_TRUE(frm0_KeyDown(p, KEY_BACKSPACE, ALT_BIT));
    EXPECT_EQ(p.pad.nextGameRow, 2);
    EXPECT_FALSE(p.pad.autosaveEnabled);
    EXPECT_FALSE(entry(p, CMD_AUTOSAVE).checked);
    EXPECT_EQ(test::fileBytes(t.file("autosave.hsc")), autosaved);  // "Autosave" is off

    EXPECT_TRUE(frm0_KeyDown(p, 'Y', CTRL_BIT));
    EXPECT_EQ(p.pad.nextGameRow, 3);
    frm0_MenuEvent(p, CMD_UNDO);
    frm0_MenuEvent(p, CMD_UNDO);
    EXPECT_EQ(entry(p, CMD_REDO).caption, "Wiederherstellen: Spiel 1");
    ASSERT_TRUE(test::enterPair(p, 3, 4, 7));
    EXPECT_FALSE(entry(p, CMD_REDO).enabled);
    EXPECT_FALSE(redoChange(p));
    EXPECT_EQ(entry(p, CMD_UNDO).caption,
              "R\xC3\xBC"
              "ckg\xC3\xA4ngig: Spiel 1");
    EXPECT_EQ(p.history.undoSteps(), 2u);

    // What changes nothing is not a step: an incomplete entry, a correction
    // answered with the old value.
    ASSERT_TRUE(test::act(p, {"MDS 1", "WER1 1", "OK"}));
    t.dialogs.inputAnswers = {"7"};
    PKT_MouseDown(p, 1, 1, CTRL_BIT, 0, 0);
    EXPECT_EQ(p.history.undoSteps(), 2u);
}

TEST(History, ARenameIsOneStepOnceTheFieldIsLeft) {
    TestProgram t;
    Program& p = t.p;
    frm0_MenuEvent(p, CMD_PAD4);
    ASSERT_TRUE(editName(p, 1, "A"));
    ASSERT_TRUE(editName(p, 1, "Anna"));
    // Still typing: undo takes back the whole rename at once.
    EXPECT_EQ(entry(p, CMD_UNDO).caption,
              "R\xC3\xBC"
              "ckg\xC3\xA4ngig: Name 1");
    ASSERT_TRUE(undoChange(p));
    EXPECT_EQ(p.pad.playerNames[1], "1");
    EXPECT_EQ(p.ui.NMS(1).text, "1");
    EXPECT_EQ(p.ui.status(2), "Geber: 1");
    ASSERT_TRUE(redoChange(p));
    EXPECT_EQ(p.ui.status(2), "Geber: Anna");

    // Leaving a field without a change records nothing.
    ASSERT_TRUE(editName(p, 2, "Bx"));
    ASSERT_TRUE(editName(p, 2, "2"));
    finishNameEdit(p);
    EXPECT_EQ(entry(p, CMD_UNDO).caption,
              "R\xC3\xBC"
              "ckg\xC3\xA4ngig: Name 1");
    EXPECT_EQ(p.history.undoSteps(), 2u);
}

}  // namespace
}  // namespace kx
