#pragma once

#include <string>

namespace kx {

struct Program;

// What a user can do with the entry panel, as the shell reports it: the
// control changes as the user made it change, then its handler runs. A hidden
// or disabled control cannot be used; the action is then refused (false).

// Picks choice k of an option group: "MDS", "WER1", "WER2" or "WER3". Picking
// the choice that is already checked is accepted and changes nothing.
bool clickOption(Program& p, const std::string& group, int k);
// Picks item `item` (from 0) of a list: "WAS1", "WAS1s", "WAS2" or "WIE2".
bool pickItem(Program& p, const std::string& list, int item);
// Picks the item with that text.
bool pickItemText(Program& p, const std::string& list, const std::string& text);
// The text of name field k was edited to `text`.
bool editName(Program& p, int k, const std::string& text);
// The user has left the name field he was editing: the rename is complete
// and can be undone as one step.
void finishNameEdit(Program& p);
// Ticks or clears "Bock": the entry being made is marked as a trigger of a
// Bock round. A choice of the panel like the others: no step of undo.
bool tickBock(Program& p, bool checked);
// "OK"; an entry it makes is one step of undo.
bool pressOK(Program& p);

}  // namespace kx
