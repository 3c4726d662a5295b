#include "view/History.h"

#include "core/Program.h"
#include "io/PadFile.h"
#include "view/Commands.h"
#include "view/Journal.h"
#include "view/MainWindow.h"

namespace kx {

namespace {

constexpr const char* UNDO_CAPTION =
    "R\xC3\xBC"
    "ckg\xC3\xA4ngig";
constexpr const char* REDO_CAPTION = "Wiederherstellen";

// The panel's choices, its mode and the options are not what a change is about.
PadState recordedPart(PadState pad) {
    pad.chosenPlayer = pad.chosenPartner = pad.gameValue = pad.soloValue = 0;
    pad.soloDealer = pad.soloSecondSitOut = 0;
    pad.valueBeyondList = false;
    pad.chosenBock = false;
    pad.pendingReckoning.reset();
    pad.journalId = 0;
    pad.entryMode = 0;
    pad.autosaveEnabled = pad.rowChangeEnabled = pad.confirmQuit = true;
    return pad;
}

void keepOptions(PadState& restored, const PadState& current) {
    restored.autosaveEnabled = current.autosaveEnabled;
    restored.rowChangeEnabled = current.rowChangeEnabled;
    restored.confirmQuit = current.confirmQuit;
}

bool editEntry(std::size_t command) {
    return command >= CMD_EDIT_MENU && command <= CMD_EDIT_END;
}

std::size_t stringBytes(const std::string& s) {
    return s.capacity() > 15 ? s.capacity() + 1 : 0;
}

void afterRestore(Program& p) {
    // The pad differs from what "Speichern" last wrote, as after any change.
    ++p.shell.changesSinceSave;
    refreshEditMenu(p);
    if (p.pad.autosaveEnabled) autosave(p);
}

}  // namespace

Snapshot takeSnapshot(Program& p) {
    Snapshot s;
    s.pad = p.pad;
    const std::vector<Control*> controls = p.ui.controls();
    s.controls.reserve(controls.size());
    for (const Control* c : controls)
        s.controls.push_back(*c);
    for (int k = 1; k <= STATUS_PANEL_COUNT; ++k)
        s.status.push_back(p.ui.status(k));
    for (const MenuEntry& entry : p.ui.menu)
        s.menuEnabled.push_back(entry.enabled);
    s.padWidth = p.shell.padWidth;
    return s;
}

void restoreSnapshot(Program& p, const Snapshot& s) {
    PadState pad = s.pad;
    keepOptions(pad, p.pad);
    p.pad = std::move(pad);
    const std::vector<Control*> controls = p.ui.controls();
    for (std::size_t i = 0; i < controls.size() && i < s.controls.size(); ++i)
        *controls[i] = s.controls[i];
    for (std::size_t k = 0; k < s.status.size(); ++k)
        p.ui.setStatus(static_cast<int>(k + 1), s.status[k]);
    for (std::size_t i = 0; i < p.ui.menu.size() && i < s.menuEnabled.size(); ++i) {
        if (!editEntry(i)) p.ui.menu[i].enabled = s.menuEnabled[i];
    }
    p.shell.padWidth = s.padWidth;
    fitMainWindow(p);
}

std::size_t snapshotBytes(const Snapshot& s) {
    std::size_t bytes = sizeof s;
    for (const std::string& name : s.pad.playerNames)
        bytes += stringBytes(name);
    bytes += s.controls.capacity() * sizeof(Control);
    for (const Control& c : s.controls) {
        bytes +=
            stringBytes(c.name) + stringBytes(c.text) + c.items.capacity() * sizeof(std::string);
        for (const std::string& item : c.items)
            bytes += stringBytes(item);
    }
    bytes += s.status.capacity() * sizeof(std::string);
    for (const std::string& text : s.status)
        bytes += stringBytes(text);
    return bytes + s.menuEnabled.capacity() / 8;
}

bool padDiffers(const PadState& a, const PadState& b) {
    return !(recordedPart(a) == recordedPart(b));
}

std::string EditHistory::undoLabel() const {
    if (pendingRename_) return pendingRename_->label;
    return undo_.empty() ? "" : undo_.back().label;
}

std::string EditHistory::redoLabel() const {
    return redo_.empty() ? "" : redo_.back().label;
}

bool recordChange(Program& p, std::string label, const std::function<void()>& change) {
    flushRename(p);
    Snapshot before = takeSnapshot(p);
    // The autosave the change asks for waits until the journal has the
    // change's line, so that the file holds both.
    const bool outer = !p.shell.autosaveDeferred;
    p.shell.autosaveDeferred = true;
    change();
    if (outer) p.shell.autosaveDeferred = false;
    const bool changed = padDiffers(before.pad, p.pad) || before.padWidth != p.shell.padWidth;
    if (changed)
        recordStep(p, std::move(label), std::move(before));
    else
        refreshEditMenu(p);
    if (outer && p.shell.autosavePending) {
        p.shell.autosavePending = false;
        autosave(p);
    }
    return changed;
}

void recordStep(Program& p, std::string label, Snapshot before) {
    noteChange(p, label, before.pad);
    EditHistory& h = p.history;
    h.undo_.push_back({std::move(label), std::move(before)});
    h.redo_.clear();
    refreshEditMenu(p);
}

void beginNameEdit(Program& p, int k) {
    EditHistory& h = p.history;
    if (h.pendingRename_) return;
    h.pendingRename_ = EditHistory::Step{"Name " + std::to_string(k), takeSnapshot(p)};
    refreshEditMenu(p);
}

void flushRename(Program& p) {
    EditHistory& h = p.history;
    if (!h.pendingRename_) return;
    EditHistory::Step step = std::move(*h.pendingRename_);
    h.pendingRename_.reset();
    if (step.state.pad.playerNames != p.pad.playerNames)
        recordStep(p, std::move(step.label), std::move(step.state));
    else
        refreshEditMenu(p);
}

void nameEditFinished(Program& p) {
    flushRename(p);
}

bool undoChange(Program& p) {
    flushRename(p);
    EditHistory& h = p.history;
    if (h.undo_.empty()) return false;
    EditHistory::Step step = std::move(h.undo_.back());
    h.undo_.pop_back();
    h.redo_.push_back({step.label, takeSnapshot(p)});
    restoreSnapshot(p, step.state);
    noteUndo(p, step.label, false);
    afterRestore(p);
    return true;
}

bool redoChange(Program& p) {
    flushRename(p);
    EditHistory& h = p.history;
    if (h.redo_.empty()) return false;
    EditHistory::Step step = std::move(h.redo_.back());
    h.redo_.pop_back();
    h.undo_.push_back({step.label, takeSnapshot(p)});
    restoreSnapshot(p, step.state);
    noteUndo(p, step.label, true);
    afterRestore(p);
    return true;
}

void refreshEditMenu(Program& p) {
    std::vector<MenuEntry>& menu = p.ui.menu;
    if (menu.size() <= static_cast<std::size_t>(CMD_REDO)) return;
    const EditHistory& h = p.history;
    MenuEntry& undo = menu[static_cast<std::size_t>(CMD_UNDO)];
    MenuEntry& redo = menu[static_cast<std::size_t>(CMD_REDO)];
    undo.enabled = h.canUndo();
    undo.caption = undo.enabled ? std::string(UNDO_CAPTION) + ": " + h.undoLabel() : UNDO_CAPTION;
    redo.enabled = h.canRedo();
    redo.caption = redo.enabled ? std::string(REDO_CAPTION) + ": " + h.redoLabel() : REDO_CAPTION;
}

}  // namespace kx
