#pragma once

#include <string>
#include <vector>

#include "view/WindowModel.h"

namespace kx {

struct Program;

// The context menu of an entered row of the pad (right mouse button, or the
// context-menu key for the row of the last entry): the two corrections a
// Ctrl+click on the row's points or players starts. It offers no rule of
// its own: an entry runs exactly that correction with its questions, and is
// greyed where the correction would refuse (a penalty row, "Zeile ändern" off).
enum class RowMenuCommand { Points, Players };

struct RowMenuEntry {
    RowMenuCommand command = RowMenuCommand::Points;
    std::string caption;
    bool enabled = false;
};

// The pad row a label belongs to (CNT, SPL, PKT, SP1..SP6), or 0.
int padRowOf(const Control& c);
// The menu of pad row `row`; empty unless the row holds an entry of the open pad.
std::vector<RowMenuEntry> rowMenu(const Program& p, int row);
// The user chose `command` from the row's menu.
void rowMenuChosen(Program& p, int row, RowMenuCommand command);
// The row the context-menu key opens the menu for: that of the last game or
// solo entered; 0 when there is none.
int keyboardMenuRow(const Program& p);

// The tooltip of a pad label: how an entered row is corrected, or why it
// cannot be, after the reckoning of a calculated game's points; empty for
// every other label.
std::string padToolTip(const Program& p, const Control& c);

}  // namespace kx
