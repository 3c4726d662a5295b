// The window "Protokoll" without a skin: its lines, the row a selected line
// shades on the pad, "Zurücknehmen", where the window goes, and the
// journal's pages after the printed sheet.
#include <gtest/gtest.h>

#include <functional>

#include "core/Correction.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/Extras.h"
#include "view/Journal.h"
#include "view/JournalWindow.h"
#include "view/PadLayout.h"
#include "view/PadRender.h"
#include "view/PadSheet.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::enterPair;
using test::TestProgram;

// A skin whose window "Protokoll" is played by `user`.
struct FakeJournalHost : ExtrasHost {
    std::function<void(Program&, JournalWindow&)> user;
    int opened = 0;
    bool showSettlement(Program&) override { return false; }
    bool showChart(Program&, const ScoreChart&) override { return false; }
    bool printSheet(const PadSheet&) override { return false; }
    std::optional<Bytes> sheetPdf(const PadSheet&) override { return std::nullopt; }
    bool showStatistics(const Statistics&) override { return false; }
    bool showJournal(Program& p, JournalWindow& w) override {
        ++opened;
        if (user) user(p, w);
        return true;
    }
};

void correctValue(TestProgram& t, int row, const std::string& answer) {
    t.dialogs.inputAnswers = {answer};
    PKT_MouseDown(t.p, row, 1, CTRL_BIT, 0, 0);
}

// Game 1, a lost solo, a correction of game 1, a rename, game 1 corrected again.
void playEvening(TestProgram& t) {
    newPad(t.p, 4);
    ASSERT_TRUE(enterPair(t.p, 1, 3, 4));
    ASSERT_TRUE(test::enterSolo(t.p, 2, -6));
    correctValue(t, 1, "5");
    ASSERT_TRUE(editName(t.p, 3, "Carla"));
    nameEditFinished(t.p);
    correctValue(t, 1, "7");
    ASSERT_EQ(journalOf(t.p).size(), 5u);
}

TEST(JournalWindow, SelectionShadesTheLinesRowAndTellsWhetherItCanBeTakenBack) {
    TestProgram t;
    playEvening(t);
    JournalWindow w = openJournalWindow(t.p);
    ASSERT_EQ(w.lines.size(), 5u);
    EXPECT_EQ(w.lines[4], journalOf(t.p)[4].shown());
    EXPECT_EQ(w.selected, 4);  // the newest, where the list is scrolled to
    EXPECT_EQ(t.p.ui.highlightedRow, 1);

    const int solo = t.p.pad.lastGameRow + 1;
    const struct {
        int line;
        int row;
        bool canTakeBack;
        const char* status;
    } cases[] = {
        {0, 1, false, "Nur eine Korrektur"},
        {1, solo, false, "Nur eine Korrektur"},
        {2, 1, false, "Spiel 1 wurde danach noch einmal ge\xC3\xA4ndert"},
        {3, 0, false, "Nur eine Korrektur"},  // a rename has no row
        {4, 1, true,
         "\xE2\x80\x9EZur\xC3\xBC"
         "cknehmen\xE2\x80\x9C setzt Spiel 1 wieder auf Punkte 5."},
        {-1, 0, false, ""},
        {5, 0, false, ""},  // beyond the list: nothing selected
    };
    for (const auto& c : cases) {
        selectJournalLine(t.p, w, c.line);
        EXPECT_EQ(w.selected, c.line < 5 ? c.line : -1) << c.line;
        EXPECT_EQ(t.p.ui.highlightedRow, c.row) << c.line;
        EXPECT_EQ(w.canTakeBack, c.canTakeBack) << c.line;
        EXPECT_EQ(w.status.find(c.status), 0u) << c.line << ": " << w.status;
    }

    // Only the cells of the shaded row change colour; the totals keep theirs.
    selectJournalLine(t.p, w, 1);
    EXPECT_EQ(shownBackground(t.p.ui, t.p.ui.SP[4](solo)), COLOUR_HIGHLIGHT);
    EXPECT_EQ(shownBackground(t.p.ui, t.p.ui.CNT(solo)), COLOUR_HIGHLIGHT);
    EXPECT_EQ(shownBackground(t.p.ui, t.p.ui.SP[4](1)), std::nullopt);
    EXPECT_EQ(shownBackground(t.p.ui, t.p.ui.SPsum(4)), t.p.ui.SPsum(4).background);
    closeJournalWindow(t.p);
    EXPECT_EQ(shownBackground(t.p.ui, t.p.ui.CNT(solo)), std::nullopt);
}

TEST(JournalWindow, TakingBackFollowsThePadAndClosingClearsTheShading) {
    TestProgram t;
    FakeJournalHost host;
    t.p.services.extras = &host;
    playEvening(t);
    ASSERT_TRUE(enterPair(t.p, 2, 4, 1));  // entered after the corrections
    bool takenBack = false;
    host.user = [&](Program& p, JournalWindow& w) {
        // A line that is no correction is refused with a message, nothing changed.
        selectJournalLine(p, w, 0);
        EXPECT_FALSE(takeBackSelected(p, w));
        EXPECT_EQ(t.dialogs.messages.size(), 1u);
        EXPECT_EQ(w.lines.size(), 6u);
        selectJournalLine(p, w, 4);
        takenBack = takeBackSelected(p, w);
        EXPECT_EQ(w.lines.size(), 7u);
        EXPECT_EQ(w.selected, 6);  // the new line, shown at once
        EXPECT_EQ(w.lines[6],
                  "20:00 Zur\xC3\xBC"
                  "ckgenommen: Korrektur Spiel 1: Punkte 7 \xE2\x86\x92 5");
        EXPECT_EQ(p.ui.highlightedRow, 1);
        selectJournalLine(p, w, 4);
        EXPECT_FALSE(w.canTakeBack);
    };
    frm0_MenuEvent(t.p, CMD_JOURNAL);
    EXPECT_EQ(host.opened, 1);
    EXPECT_TRUE(takenBack);
    EXPECT_EQ(t.p.pad.gameTable[1][1], 5);
    EXPECT_EQ(t.p.ui.highlightedRow, 0);
    // An undoable step; the shading is no part of it.
    EXPECT_EQ(t.p.history.undoLabel(),
              "Zur\xC3\xBC"
              "cknahme Spiel 1");
    frm0_KeyDown(t.p, KEY_BACKSPACE, ALT_BIT);
    EXPECT_EQ(t.p.pad.gameTable[1][1], 7);
    EXPECT_EQ(t.p.ui.highlightedRow, 0);
}

TEST(JournalWindow, MenuEntryWaitsForAPadAndWithoutAWindowShowsTheText) {
    TestProgram t;
    const std::vector<int> order = menuBarOrder(t.p.ui);
    const auto at = std::find(order.begin(), order.end(), CMD_JOURNAL);
    ASSERT_NE(at, order.end());
    EXPECT_EQ(*(at - 1), CMD_VALUE_WINDOW);  // in "Bearbeiten", after "Spielwert berechnen…"
    EXPECT_EQ(t.p.ui.menu[CMD_JOURNAL].caption, "Protokoll\xE2\x80\xA6");
    EXPECT_FALSE(t.p.ui.menu[CMD_JOURNAL].enabled);
    frm0_MenuEvent(t.p, CMD_JOURNAL);
    EXPECT_TRUE(t.dialogs.messages.empty());

    newPad(t.p, 5);
    EXPECT_TRUE(t.p.ui.menu[CMD_JOURNAL].enabled);
    frm0_MenuEvent(t.p, CMD_JOURNAL);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].caption, "Protokoll");
    EXPECT_EQ(t.dialogs.messages[0].text.find("Das Protokoll ist noch leer"), 0u);
    ASSERT_TRUE(enterPair(t.p, 2, 3, 3));  // player 1 deals and sits out
    frm0_MenuEvent(t.p, CMD_JOURNAL);
    EXPECT_EQ(t.dialogs.messages.back().text, "20:00 Spiel 1: 2 / 3 gewinnen 3\n");
}

TEST(JournalWindow, StandsBesideTheMainWindowWithinTheWorkArea) {
    const Rect work{0, 0, 1920, 1040};
    const struct {
        Rect main;
        Rect expected;
    } cases[] = {
        {{100, 50, 1000, 760}, {1100, 50, 520, 440}},    // right of it
        {{800, 50, 1000, 760}, {280, 50, 520, 440}},     // left of it
        {{300, 50, 1400, 760}, {1400, 50, 520, 440}},    // no room: the right edge
        {{100, 900, 1000, 760}, {1100, 600, 520, 440}},  // kept above the bottom
        {{100, -30, 1000, 760}, {1100, 0, 520, 440}},    // and below the top
    };
    for (const auto& c : cases)
        EXPECT_EQ(journalWindowPlace(c.main, 520, 440, work), c.expected) << c.main.left;
}

TEST(PadSheetJournal, PrintedAfterTheSheetOnlyWithACorrection) {
    TestProgram t;
    newPad(t.p, 4);
    ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    EXPECT_TRUE(padSheet(t.p, t.clock.time).journalPages.empty());
    correctValue(t, 1, "4");
    // A house rule read from a file may hold control characters.
    noteLine(t.p, JournalKind::Rules, "Hausregel\x1B[2J\nneu");
    std::vector<SheetPage> pages = padSheet(t.p, t.clock.time).journalPages;
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].title, "Protokoll");
    EXPECT_EQ(pages[0].lines,
              (std::vector<std::string>{"20:00 Spiel 1: 1 / 2 gewinnen 3",
                                        "20:00 Korrektur Spiel 1: Punkte 3 \xE2\x86\x92 4",
                                        "20:00 Hausregel [2J neu"}));

    // A long evening goes on on further pages.
    while (journalOf(t.p).size() < 2 * JOURNAL_LINES_PER_PAGE + 7)
        noteLine(t.p, JournalKind::Rules, "Hausregel");
    pages = padSheet(t.p, t.clock.time).journalPages;
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[1].title, "Protokoll (Fortsetzung)");
    EXPECT_EQ(pages[1].lines.size(), JOURNAL_LINES_PER_PAGE);
    EXPECT_EQ(pages[2].lines.size(), 7u);
}

}  // namespace
}  // namespace kx
