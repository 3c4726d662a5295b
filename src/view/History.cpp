#include "view/History.h"

#include <algorithm>
#include <cstdint>

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

std::vector<bool> menuEnabled(const Program& p) {
    std::vector<bool> enabled;
    enabled.reserve(p.ui.menu.size());
    for (const MenuEntry& entry : p.ui.menu)
        enabled.push_back(entry.enabled);
    return enabled;
}

using Changes = std::vector<const FieldChange*>;

// Pointers to the log entries [from, to).
void addChanges(Changes& to, const std::vector<FieldChange>& log, std::size_t from,
                std::size_t end = SIZE_MAX) {
    end = std::min(end, log.size());
    for (std::size_t i = from; i < end; ++i)
        to.push_back(&log[i]);
}

// Keeps the first change of each field, the value it had before them all,
// in the order of the fields' addresses. Sorting pointers keeps it cheap.
// With `changedOnly`, fields back at that value are left out (before they are copied).
std::vector<FieldChange> firstChanges(const Changes& changes, bool changedOnly = false) {
    // (field, position) pairs sort without the buffer a stable sort takes.
    std::vector<std::pair<const void*, std::size_t>> order;
    order.reserve(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i)
        order.emplace_back(changes[i]->field, i);
    std::sort(order.begin(), order.end());
    std::vector<FieldChange> kept;
    kept.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        if (i == 0 || order[i].first != order[i - 1].first) {
            const FieldChange& c = *changes[order[i].second];
            if (!changedOnly || !holdsValue(c)) kept.push_back(c);
        }
    return kept;
}

std::size_t valueBytes(const FieldValue& v) {
    if (const auto* text = std::get_if<std::string>(&v)) return stringBytes(*text);
    if (const auto* items = std::get_if<std::vector<std::string>>(&v)) {
        std::size_t bytes = items->capacity() * sizeof(std::string);
        for (const std::string& item : *items)
            bytes += stringBytes(item);
        return bytes;
    }
    return 0;
}

// The pad state's heap parts; a tree node counted as its value and four words.
std::size_t padHeapBytes(const PadState& pad) {
    constexpr std::size_t NODE = 4 * sizeof(void*);
    std::size_t bytes = 0;
    for (const std::string& name : pad.playerNames)
        bytes += stringBytes(name);
    bytes += pad.reckonings.size() * (NODE + sizeof(std::pair<const int, Reckoning>));
    bytes += (pad.bockBase.size() + pad.soloAfter.size()) * (NODE + sizeof(std::pair<int, int>));
    return bytes + pad.bockMarks.size() * (NODE + sizeof(int));
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
    s.menuEnabled = menuEnabled(p);
    s.padWidth = p.shell.padWidth;
    return s;
}

bool padDiffers(const PadState& a, const PadState& b) {
    // An entry changes the table or the points: that answers without copies.
    if (a.gameTable != b.gameTable || a.gamePoints != b.gamePoints ||
        a.soloPoints != b.soloPoints || a.penaltyPoints != b.penaltyPoints ||
        a.playerNames != b.playerNames)
        return true;
    return !(recordedPart(a) == recordedPart(b));
}

EditHistory::EditHistory() = default;
EditHistory::~EditHistory() = default;
EditHistory::EditHistory(EditHistory&&) noexcept = default;
EditHistory& EditHistory::operator=(EditHistory&&) noexcept = default;

std::string EditHistory::undoLabel() const {
    if (pendingRename_) return pendingRename_->label;
    return undo_.empty() ? "" : undo_.back().label;
}

std::string EditHistory::redoLabel() const {
    return redo_.empty() ? "" : redo_.back().label;
}

std::size_t EditHistory::bytes() const {
    std::size_t bytes = sizeof *this;
    auto changesBytes = [](const std::vector<FieldChange>& changes) {
        std::size_t b = changes.capacity() * sizeof(FieldChange);
        for (const FieldChange& c : changes)
            b += valueBytes(c.value);
        return b;
    };
    for (const std::vector<Step>* steps : {&undo_, &redo_}) {
        bytes += steps->capacity() * sizeof(Step);
        for (const Step& s : *steps)
            bytes += stringBytes(s.label) + padHeapBytes(s.pad) + changesBytes(s.fields) +
                     s.menuEnabled.capacity() / 8;
    }
    if (log_) bytes += sizeof *log_ + changesBytes(log_->changes);
    return bytes;
}

// The log covers the controls and the status panels of this window model
// (the single controls and the panels lie in the model itself). Should a
// control array grow, its controls move and the steps' field addresses would
// be stale: the history starts afresh then.
FieldLog& EditHistory::watch(Program& p) {
    if (log_ && coveredAdditions_ == ControlArray::controlsAdded()) return *log_;
    undo_.clear();
    redo_.clear();
    pendingRename_.reset();
    open_ = 0;
    baseline_ = 0;
    log_ = std::make_unique<FieldLog>();
    std::vector<std::pair<const char*, const char*>> ranges;
    for (const Control* c : p.ui.controls())
        ranges.emplace_back(reinterpret_cast<const char*>(c), reinterpret_cast<const char*>(c + 1));
    ranges.emplace_back(reinterpret_cast<const char*>(&p.ui),
                        reinterpret_cast<const char*>(&p.ui + 1));
    log_->cover(std::move(ranges));
    coveredAdditions_ = ControlArray::controlsAdded();
    return *log_;
}

EditHistory::Before EditHistory::begin(Program& p) {
    const std::size_t at = watch(p).changes.size();
    ++open_;
    return {p.pad, menuEnabled(p), p.shell.padWidth, at};
}

// The fields changed from log entry `at` on, with their values before, less
// those that are back at that value.
std::vector<FieldChange> EditHistory::changedSince(std::size_t at) const {
    Changes changes;
    addChanges(changes, log_->changes, at);
    return firstChanges(changes, true);
}

// Fields changed since the last step and before entry `end` of the log (the
// panel's choices, say) are part of the state that a new step starts from.
// Undoing the last step must take them back too: it keeps their values from
// before, unless it keeps those fields already.
void EditHistory::keepUnrecorded(std::size_t end) {
    if (undo_.empty() || baseline_ >= std::min(end, log_->changes.size())) return;
    std::vector<FieldChange>& fields = undo_.back().fields;
    Changes changes;
    for (const FieldChange& c : fields)
        changes.push_back(&c);
    addChanges(changes, log_->changes, baseline_, end);
    fields = firstChanges(changes);
}

// A step has been recorded: what the log holds so far is part of the state
// before it. The log empties once no change is under way.
void EditHistory::settle() {
    baseline_ = log_->changes.size();
    if (open_ == 0) {
        log_->changes.clear();
        baseline_ = 0;
    }
}

// Undo or redo: the fields changed since the last step go back first, then
// the step's; the step for the way back keeps all of them as they are now.
void EditHistory::putBack(Program& p, std::vector<Step>& from, std::vector<Step>& to, bool redo) {
    Step step = std::move(from.back());
    from.pop_back();
    std::vector<FieldChange>& log = log_->changes;
    Changes sinceStep;
    addChanges(sinceStep, log, baseline_);
    const std::vector<FieldChange> since = firstChanges(sinceStep);
    for (const FieldChange& c : step.fields)
        sinceStep.push_back(&c);
    std::vector<FieldChange> touched = firstChanges(sinceStep);
    for (FieldChange& c : touched)
        c.value = fieldValue(c);
    to.push_back({step.label, p.pad, std::move(touched), menuEnabled(p), p.shell.padWidth});

    for (const FieldChange& c : since)
        putFieldValue(c);
    for (const FieldChange& c : step.fields)
        putFieldValue(c);
    keepOptions(step.pad, p.pad);
    p.pad = std::move(step.pad);
    for (std::size_t i = 0; i < p.ui.menu.size() && i < step.menuEnabled.size(); ++i) {
        if (!editEntry(i)) p.ui.menu[i].enabled = step.menuEnabled[i];
    }
    p.shell.padWidth = step.padWidth;
    log.clear();
    baseline_ = 0;
    fitMainWindow(p);
    noteUndo(p, step.label, redo);
    afterRestore(p);
}

bool recordChange(Program& p, std::string label, const std::function<void()>& change) {
    flushRename(p);
    EditHistory& h = p.history;
    EditHistory::Before before = h.begin(p);
    // The autosave the change asks for waits until the journal has the
    // change's line, so that the file holds both.
    const bool outer = !p.shell.autosaveDeferred;
    p.shell.autosaveDeferred = true;
    change();
    if (outer) p.shell.autosaveDeferred = false;
    --h.open_;
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

void recordStep(Program& p, std::string label, EditHistory::Before before) {
    noteChange(p, label, before.pad);
    EditHistory& h = p.history;
    h.watch(p);
    h.keepUnrecorded(before.logAt);
    h.undo_.push_back({std::move(label), std::move(before.pad), h.changedSince(before.logAt),
                       std::move(before.menuEnabled), before.padWidth});
    h.redo_.clear();
    h.settle();
    refreshEditMenu(p);
}

void beginNameEdit(Program& p, int k) {
    EditHistory& h = p.history;
    if (h.pendingRename_) return;
    h.pendingRename_ = EditHistory::PendingRename{"Name " + std::to_string(k), h.begin(p)};
    refreshEditMenu(p);
}

void flushRename(Program& p) {
    EditHistory& h = p.history;
    if (!h.pendingRename_) return;
    EditHistory::PendingRename rename = std::move(*h.pendingRename_);
    h.pendingRename_.reset();
    --h.open_;
    if (rename.before.pad.playerNames != p.pad.playerNames)
        recordStep(p, std::move(rename.label), std::move(rename.before));
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
    h.putBack(p, h.undo_, h.redo_, false);
    return true;
}

bool redoChange(Program& p) {
    flushRename(p);
    EditHistory& h = p.history;
    if (h.redo_.empty()) return false;
    h.putBack(p, h.redo_, h.undo_, true);
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
