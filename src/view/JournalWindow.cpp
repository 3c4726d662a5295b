#include "view/JournalWindow.h"

#include <algorithm>

#include "core/Program.h"
#include "io/Cp1252.h"
#include "view/Extras.h"
#include "view/Journal.h"

namespace kx {

const char* const JOURNAL_TITLE = "Protokoll";
const char* const JOURNAL_TAKE_BACK =
    "Zur\xC3\xBC"
    "cknehmen";

namespace {

constexpr const char* EMPTY_JOURNAL =
    "Das Protokoll ist noch leer: Eintr\xC3\xA4ge, Korrekturen und Namen erscheinen hier.";

// A row's value, or its players by number ("4 / 5"), as the correction asks for them.
std::string cellText(const JournalLine& line, int cell) {
    if (!line.players) return "Punkte " + std::to_string(cell);
    if (cell > MAX_PLAYERS)
        return "Spieler " + std::to_string(cell / 10) + " / " + std::to_string(cell % 10);
    return "Spieler " + std::to_string(cell);
}

// The row a line points at, when the pad shows it.
int shownRow(const Program& p, const JournalLine& line) {
    if (line.row < 1 || line.row > p.ui.CNT.size()) return 0;
    return p.ui.CNT(line.row).visible ? line.row : 0;
}

}  // namespace

JournalWindow openJournalWindow(Program& p) {
    JournalWindow w;
    followJournal(p, w);
    return w;
}

void selectJournalLine(Program& p, JournalWindow& w, int index) {
    const Journal& journal = journalOf(p);
    const bool inList = index >= 0 && static_cast<std::size_t>(index) < journal.size() &&
                        static_cast<std::size_t>(index) < w.lines.size();
    w.selected = inList ? index : -1;
    w.canTakeBack = false;
    p.ui.highlightedRow = 0;
    if (!inList) {
        w.status = journal.empty() ? EMPTY_JOURNAL : "";
        return;
    }
    const JournalLine& line = journal[static_cast<std::size_t>(index)];
    p.ui.highlightedRow = shownRow(p, line);
    const TakeBackCheck check = canTakeBack(p, static_cast<std::size_t>(index));
    w.canTakeBack = check.possible;
    w.status = check.possible ? "\xE2\x80\x9E" + std::string(JOURNAL_TAKE_BACK) +
                                    "\xE2\x80\x9C setzt " + rowName(p.pad, line.row) +
                                    " wieder auf " + cellText(line, line.before) + "."
                              : printableText(check.reason);
}

void followJournal(Program& p, JournalWindow& w) {
    const std::size_t before = w.lines.size();
    w.lines.clear();
    for (const JournalLine& line : journalOf(p))
        w.lines.push_back(printableText(line.shown()));
    const int newest = static_cast<int>(w.lines.size()) - 1;
    const bool grown = w.lines.size() > before;
    selectJournalLine(p, w, grown || w.selected > newest ? newest : w.selected);
}

bool takeBackSelected(Program& p, JournalWindow& w) {
    if (w.selected < 0) return false;
    const bool done = takeBack(p, static_cast<std::size_t>(w.selected));
    followJournal(p, w);
    return done;
}

void closeJournalWindow(Program& p) {
    p.ui.highlightedRow = 0;
}

Rect journalWindowPlace(const Rect& mainFrame, int width, int height, const Rect& workArea) {
    const int workRight = workArea.left + workArea.width;
    const int mainRight = mainFrame.left + mainFrame.width;
    int left = workRight - width;
    if (mainRight + width <= workRight)
        left = mainRight;
    else if (mainFrame.left - width >= workArea.left)
        left = mainFrame.left - width;
    const int lowest = workArea.top + workArea.height - height;
    const int top = std::max(workArea.top, std::min(mainFrame.top, lowest));
    return {std::max(workArea.left, left), top, width, height};
}

void journalCommand(Program& p) {
    if (!p.pad.padOpen()) return;
    JournalWindow w = openJournalWindow(p);
    const bool shown = p.services.extras && p.services.extras->showJournal(p, w);
    closeJournalWindow(p);
    if (shown || !p.services.dialogs) return;
    const std::string text = journalText(journalOf(p));
    p.services.dialogs->messageBox(text.empty() ? EMPTY_JOURNAL : text, JOURNAL_TITLE,
                                   MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace kx
