#pragma once

#include <string>
#include <vector>

#include "view/WindowModel.h"

namespace kx {

struct Program;

// The window "Protokoll" (menu "Bearbeiten") as data: the journal's lines of
// the open pad (view/Journal.h), oldest first, one of them selected; the
// selected line's row shaded on the pad (WindowModel::highlightedRow); and
// "Zurücknehmen", which takes a selected correction back, or the reason why
// it cannot. A skin lists the lines, scrolls to the selected one, shows the
// status and forwards the selection and the button; after anything changed
// the pad it mirrors the main window.

struct JournalWindow {
    std::vector<std::string> lines;  // as shown, control characters as blanks
    int selected = -1;               // -1 for none
    bool canTakeBack = false;
    // What "Zurücknehmen" would do, or why it cannot; what an empty journal means.
    std::string status;
};

extern const char* const JOURNAL_TITLE;      // "Protokoll"
extern const char* const JOURNAL_TAKE_BACK;  // "Zurücknehmen"

// The window as it opens: the newest line selected and its row highlighted.
JournalWindow openJournalWindow(Program& p);
// Selects line `index` (-1 or a line beyond the list: none) and highlights its row.
void selectJournalLine(Program& p, JournalWindow& w, int index);
// The lines read again after the pad changed: a grown journal selects its
// newest line, so that the list follows what was just done.
void followJournal(Program& p, JournalWindow& w);
// "Zurücknehmen" of the selected line, as one undoable step with a line of
// its own. False, with nothing changed, when it cannot be taken back.
bool takeBackSelected(Program& p, JournalWindow& w);
// The window closed: the pad shows no highlighted row any more.
void closeJournalWindow(Program& p);

// The window's size at 96 dpi, and where its frame goes: beside the main
// window's frame (right of it when the work area has room, else left of it),
// so that the highlighted row stays in sight; else at the work area's right
// edge, over the pad's last columns. Never outside the work area.
inline constexpr int JOURNAL_WIDTH = 520;
inline constexpr int JOURNAL_HEIGHT = 440;
Rect journalWindowPlace(const Rect& mainFrame, int width, int height, const Rect& workArea);

// The menu entry "Protokoll…". A skin without the window shows the journal's
// text in a message box.
void journalCommand(Program& p);

}  // namespace kx
