#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/PadState.h"
#include "view/WindowModel.h"

namespace kx {

struct Program;

// What a change of the pad can alter: the pad state, every control of the
// window, the status texts, which menu entries are enabled and the width of
// the pad. The options and the menu's check marks are not part of it, nor
// anything else the window model holds (the quick-entry field, view options).
// A snapshot takes about 80 KB, nearly all of it the controls, so a whole
// evening (some 50 entries, corrections and renames) keeps a few MB.
struct Snapshot {
    PadState pad;
    std::vector<Control> controls;    // in the order of WindowModel::controls()
    std::vector<std::string> status;  // panels 1..8
    std::vector<bool> menuEnabled;
    int padWidth = 0;
    bool operator==(const Snapshot&) const = default;
};

Snapshot takeSnapshot(Program& p);
// Puts a snapshot back; the options stay as they are.
void restoreSnapshot(Program& p, const Snapshot& s);
// Bytes a snapshot holds, its heap parts included.
std::size_t snapshotBytes(const Snapshot& s);

// Unlimited undo and redo within one run. Each step keeps the state on the
// other side of one change and a short German name for it ("Spiel 7",
// "Korrektur Solo 2", "Laden"). Undo and redo put snapshots back; they never
// replay a command, so no question is asked again.
//
// A rename is recorded once it is complete: the first edit of a name field
// keeps the state before it, and the end of the editing (or the next change,
// undo or redo) turns it into one step.
class EditHistory {
  public:
    bool canUndo() const { return !undo_.empty() || pendingRename_.has_value(); }
    bool canRedo() const { return !redo_.empty(); }
    // Name of the step undo or redo would take back; empty when there is none.
    std::string undoLabel() const;
    std::string redoLabel() const;
    std::size_t undoSteps() const { return undo_.size(); }
    std::size_t redoSteps() const { return redo_.size(); }

  private:
    struct Step {
        std::string label;
        Snapshot state;
    };
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    std::optional<Step> pendingRename_;

    friend void beginNameEdit(Program& p, int k);
    friend void flushRename(Program& p);
    friend void recordStep(Program& p, std::string label, Snapshot before);
    friend bool undoChange(Program& p);
    friend bool redoChange(Program& p);
};

// Runs `change` and records it as one step when it changed the pad (its
// state or names) or the pad's width. Returns whether it did.
bool recordChange(Program& p, std::string label, const std::function<void()>& change);

// Whether two pad states differ in more than the panel's current choices,
// its mode and the options.
bool padDiffers(const PadState& a, const PadState& b);

// A name field is about to be edited (called before every edit).
void beginNameEdit(Program& p, int k);
// The editing of a name field has ended (the field was left): the rename, if
// the names changed, becomes a step.
void nameEditFinished(Program& p);
void flushRename(Program& p);
void recordStep(Program& p, std::string label, Snapshot before);

// Take back or redo the last step; then the autosave file is written when
// "Autosave" is on. False when there is nothing to undo or redo.
bool undoChange(Program& p);
bool redoChange(Program& p);

// Captions and enabled states of "Rückgängig" and "Wiederherstellen".
void refreshEditMenu(Program& p);

}  // namespace kx
