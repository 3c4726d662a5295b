#pragma once

#include <functional>
#include <memory>
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
// The whole of it, as the tests compare windows; the history keeps less.
struct Snapshot {
    PadState pad;
    std::vector<Control> controls;    // in the order of WindowModel::controls()
    std::vector<std::string> status;  // panels 1..8
    std::vector<bool> menuEnabled;
    int padWidth = 0;
    bool operator==(const Snapshot&) const = default;
};

Snapshot takeSnapshot(Program& p);

// Unlimited undo and redo within one run. Each step keeps the state on the
// other side of one change and a short German name for it ("Spiel 7",
// "Korrektur Solo 2", "Laden"). Undo and redo put states back; they never
// replay a command, so no question is asked again.
//
// A step keeps the whole pad state, the menu's enabled flags and the pad's
// width, but of the controls and status texts only the fields that the change
// altered: the window model's tracked fields note their old values in a field
// log (view/Tracked.h). Fields changed between steps (the panel's choices)
// are in the log too, so undo first takes them back and the window is
// exactly as it was before the change. An "OK" keeps about 4 KB.
//
// A rename is recorded once it is complete: the first edit of a name field
// keeps the state before it, and the end of the editing (or the next change,
// undo or redo) turns it into one step.
class EditHistory {
  public:
    EditHistory();
    ~EditHistory();
    EditHistory(EditHistory&&) noexcept;
    EditHistory& operator=(EditHistory&&) noexcept;

    bool canUndo() const { return !undo_.empty() || pendingRename_.has_value(); }
    bool canRedo() const { return !redo_.empty(); }
    // Name of the step undo or redo would take back; empty when there is none.
    std::string undoLabel() const;
    std::string redoLabel() const;
    std::size_t undoSteps() const { return undo_.size(); }
    std::size_t redoSteps() const { return redo_.size(); }
    // Bytes the steps and the field log hold, their heap parts included.
    std::size_t bytes() const;

    // The state at the start of a change, until the change is recorded.
    struct Before {
        PadState pad;
        std::vector<bool> menuEnabled;
        int padWidth = 0;
        std::size_t logAt = 0;  // where the change's field changes begin in the log
    };

  private:
    struct Step {
        std::string label;
        PadState pad;
        std::vector<FieldChange> fields;  // tracked fields and their values on the other side
        std::vector<bool> menuEnabled;
        int padWidth = 0;
    };
    struct PendingRename {
        std::string label;
        Before before;
    };
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    std::optional<PendingRename> pendingRename_;
    std::unique_ptr<FieldLog> log_;
    unsigned coveredAdditions_ = 0;
    std::size_t baseline_ = 0;  // log entries from here on changed since the last step
    int open_ = 0;              // changes begun and not yet ended

    FieldLog& watch(Program& p);
    Before begin(Program& p);
    std::vector<FieldChange> changedSince(std::size_t at) const;
    void keepUnrecorded(std::size_t end);
    void settle();
    void putBack(Program& p, std::vector<Step>& from, std::vector<Step>& to, bool redo);

    friend void beginNameEdit(Program& p, int k);
    friend void flushRename(Program& p);
    friend void recordStep(Program& p, std::string label, Before before);
    friend bool recordChange(Program& p, std::string label, const std::function<void()>& change);
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
void recordStep(Program& p, std::string label, EditHistory::Before before);

// Take back or redo the last step; then the autosave file is written when
// "Autosave" is on. False when there is nothing to undo or redo.
bool undoChange(Program& p);
bool redoChange(Program& p);

// Captions and enabled states of "Rückgängig" and "Wiederherstellen".
void refreshEditMenu(Program& p);

}  // namespace kx
