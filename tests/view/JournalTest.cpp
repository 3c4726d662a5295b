// The journal: every change of a pad as a line, kept in its file, and a
// correction taken back from it.
#include <gtest/gtest.h>

#include "core/Correction.h"
#include "io/PadFile.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/Journal.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::enterPair;
using test::TestProgram;

std::vector<std::string> shownLines(const Program& p) {
    std::vector<std::string> lines;
    for (const JournalLine& line : journalOf(p))
        lines.push_back(line.shown());
    return lines;
}

// The checked blocks at the end of a pad file (their length stands in the header).
Bytes blockBytes(const Bytes& file) {
    const std::size_t length = file[26] | file[27] << 8 | file[28] << 16 | file[29] << 24;
    return Bytes(file.end() - static_cast<std::ptrdiff_t>(length), file.end());
}

void correctValue(TestProgram& t, int row, const std::string& answer) {
    t.dialogs.inputAnswers = {answer};
    PKT_MouseDown(t.p, row, 1, CTRL_BIT, 0, 0);
}

TEST(Journal, AScriptedEveningWritesItsLinesAndTravelsWithThePad) {
    TestProgram t;
    newPad(t.p, 4);
    t.clock.time.hour = 20, t.clock.time.minute = 14;
    ASSERT_TRUE(enterPair(t.p, 1, 3, 4));
    ASSERT_TRUE(test::enterSolo(t.p, 2, -6));
    t.clock.time.hour = 21, t.clock.time.minute = 2;
    correctValue(t, 1, "5");
    t.dialogs.inputAnswers = {"4"};
    SPL_MouseDown(t.p, 21, 1, CTRL_BIT, 0, 0);
    ASSERT_TRUE(editName(t.p, 3, "Carla"));
    nameEditFinished(t.p);
    frm0_KeyDown(t.p, KEY_BACKSPACE, ALT_BIT);
    frm0_MenuEvent(t.p, CMD_REDO);
    ASSERT_TRUE(test::enterPenalty(t.p, 4));
    const std::vector<std::string> expected{"20:14 Spiel 1: 1 / 3 gewinnen 4",
                                            "20:14 Solo 1: 2 verliert 6",
                                            "21:02 Korrektur Spiel 1: Punkte 4 \xE2\x86\x92 5",
                                            "21:02 Korrektur Solo 1: Spieler 2 \xE2\x86\x92 4",
                                            "21:02 Name 3: \xE2\x80\x9E"
                                            "3\xE2\x80\x9C \xE2\x86\x92 \xE2\x80\x9E"
                                            "Carla\xE2\x80\x9C",
                                            "21:02 R\xC3\xBC"
                                            "ckg\xC3\xA4ngig: Name 3",
                                            "21:02 Wiederherstellen: Name 3",
                                            "21:02 Strafpunkte 1: 4 bekommt -12"};
    EXPECT_EQ(shownLines(t.p), expected);
    EXPECT_FALSE(hasCorrections(Journal(journalOf(t.p).begin(), journalOf(t.p).begin() + 2)));
    EXPECT_TRUE(hasCorrections(journalOf(t.p)));

    // The autosave after the last entry holds its line too.
    TestProgram fromAutosave;
    ASSERT_EQ(readPadFile(fromAutosave.p, t.file("autosave.hsc")), "");
    EXPECT_EQ(shownLines(fromAutosave.p), shownLines(t.p));

    // Saved and loaded, the journal comes back whole and gains "Block geladen".
    ASSERT_TRUE(writePadFile(t.p, t.file("abend.hsc")));
    const Bytes saved = encodePadFile(t.p);
    TestProgram u;
    u.clock.time.hour = 22, u.clock.time.minute = 30;
    u.dialogs.openAnswers = {t.file("abend.hsc")};
    frm0_MenuEvent(u.p, CMD_LOAD);
    std::vector<std::string> loaded = expected;
    loaded.push_back("22:30 Block geladen");
    EXPECT_EQ(shownLines(u.p), loaded);
    journalOf(u.p).pop_back();
    EXPECT_EQ(blockBytes(encodePadFile(u.p)), blockBytes(saved));
    EXPECT_GT(blockBytes(saved).size(), 200u);

    // Undo of the load brings back the empty start with its own journal.
    frm0_KeyDown(u.p, KEY_BACKSPACE, ALT_BIT);
    EXPECT_FALSE(u.p.pad.padOpen());
    frm0_MenuEvent(u.p, CMD_REDO);
    EXPECT_EQ(shownLines(u.p).back(), "22:30 Wiederherstellen: Laden");

    // A damaged journal refuses the file, as any damaged block does.
    for (std::size_t at : {saved.size() - 1, saved.size() - 30, saved.size() - 100}) {
        Bytes bad = saved;
        bad[at] ^= 0x04;
        EXPECT_FALSE(decodePadFile(bad).image) << at;
    }
    EXPECT_FALSE(decodePadFile(Bytes(saved.begin(), saved.end() - 5)).image);
}

TEST(Journal, TakingBackACorrectionEqualsCorrectingBackByHand) {
    TestProgram byJournal, byHand;
    for (TestProgram* t : {&byJournal, &byHand}) {
        newPad(t->p, 5);
        for (int v : {3, 2, 5})
            ASSERT_TRUE(enterPair(t->p, 4, 5, v));
        correctValue(*t, 2, "9");
        t->dialogs.inputAnswers = {"2", "4"};
        SPL_MouseDown(t->p, 3, 1, CTRL_BIT, 0, 0);
        ASSERT_TRUE(enterPair(t->p, 2, 5, 1));  // entered after the corrections
    }
    ASSERT_EQ(journalOf(byJournal.p)[3].text, "Korrektur Spiel 2: Punkte 2 \xE2\x86\x92 9");
    ASSERT_EQ(journalOf(byJournal.p)[4].text,
              "Korrektur Spiel 3: Spieler 4 / 5 \xE2\x86\x92 2 / 4");
    ASSERT_TRUE(takeBack(byJournal.p, 3));
    correctValue(byHand, 2, "2");
    EXPECT_EQ(byJournal.p.pad.gameTable, byHand.p.pad.gameTable);
    EXPECT_EQ(test::padBytesWithoutJournal(byJournal.p), test::padBytesWithoutJournal(byHand.p));
    EXPECT_EQ(journalOf(byJournal.p).back().text,
              "Zur\xC3\xBC"
              "ckgenommen: Korrektur Spiel 2: Punkte 9 \xE2\x86\x92 2");
    EXPECT_EQ(byJournal.p.history.undoLabel(),
              "Zur\xC3\xBC"
              "cknahme Spiel 2");
    // Undo takes the take-back back like any other step.
    frm0_KeyDown(byJournal.p, KEY_BACKSPACE, ALT_BIT);
    EXPECT_EQ(byJournal.p.pad.gameTable[2][1], 9);

    // Refused, with nothing changed: a row corrected again since, a line that
    // is no correction, and a correction whose row changed again since.
    const std::size_t playersLine = 4;
    ASSERT_EQ(journalOf(byHand.p)[playersLine].kind, JournalKind::Correction);
    correctValue(byHand, 3, "7");
    const GameTable before = byHand.p.pad.gameTable;
    byHand.dialogs.messages.clear();
    EXPECT_FALSE(takeBack(byHand.p, playersLine));
    EXPECT_FALSE(takeBack(byHand.p, 0));
    EXPECT_EQ(byHand.p.pad.gameTable, before);
    ASSERT_EQ(byHand.dialogs.messages.size(), 2u);
    EXPECT_NE(byHand.dialogs.messages[0].text.find("noch einmal ge\xC3\xA4ndert"),
              std::string::npos);
    EXPECT_FALSE(canTakeBack(byJournal.p, 3).possible);  // taken back, then undone
    EXPECT_NE(canTakeBack(byJournal.p, 3).reason.find("noch einmal ge\xC3\xA4ndert"),
              std::string::npos);
}

}  // namespace
}  // namespace kx
