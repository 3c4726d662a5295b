#include "view/UserActions.h"

#include <algorithm>

#include "core/EntryPanel.h"
#include "core/Program.h"
#include "core/Scoring.h"
#include "io/Cp1252.h"
#include "view/History.h"

namespace kx {

namespace {

ControlArray* optionGroup(WindowModel& ui, const std::string& group) {
    if (group == "MDS") return &ui.MDS;
    if (group == "WER1") return &ui.WER1;
    if (group == "WER2") return &ui.WER2;
    if (group == "WER3") return &ui.WER3;
    return nullptr;
}

Control* valueList(WindowModel& ui, const std::string& list) {
    if (list == "WAS1") return &ui.WAS1;
    if (list == "WAS1s") return &ui.WAS1s;
    if (list == "WAS2") return &ui.WAS2;
    if (list == "WIE2") return &ui.WIE2;
    return nullptr;
}

}  // namespace

bool clickOption(Program& p, const std::string& group, int k) {
    ControlArray* options = optionGroup(p.ui, group);
    if (!options || k < 1 || k > options->size() || !(*options)(k).usable() || !p.ui.frm0.enabled)
        return false;
    // Picking the choice that is already checked changes nothing.
    if ((*options)(k).checked) return true;
    checkOption(*options, k);
    if (group == "MDS")
        MDS_Click(p, k);
    else if (group == "WER1")
        WER1_Click(p, k);
    else if (group == "WER2")
        WER2_Click(p, k);
    else
        WER3_Click(p, k);
    return true;
}

bool pickItem(Program& p, const std::string& list, int item) {
    Control* c = valueList(p.ui, list);
    if (!c || !c->usable() || !p.ui.frm0.enabled || item < 0 ||
        item >= static_cast<int>(c->items.size()))
        return false;
    c->selection = item;
    if (list == "WAS1")
        WAS1_Click(p);
    else if (list == "WAS1s")
        WAS1s_Click(p);
    else if (list == "WAS2")
        WAS2_Click(p);
    else
        WIE2_Click(p);
    return true;
}

bool pickItemText(Program& p, const std::string& list, const std::string& text) {
    Control* c = valueList(p.ui, list);
    if (!c) return false;
    const auto it = std::find(c->items.begin(), c->items.end(), text);
    if (it == c->items.end()) return false;
    return pickItem(p, list, static_cast<int>(it - c->items.begin()));
}

bool editName(Program& p, int k, const std::string& text) {
    if (k < 1 || k > p.ui.NMS.size() || !p.ui.NMS(k).usable() || !p.ui.frm0.enabled) return false;
    beginNameEdit(p, k);
    // A name is stored with at most 255 characters, one byte each, and
    // without control characters (a pasted TAB or line end becomes a blank).
    p.ui.NMS(k).text = truncateUtf8(printableText(text), 255);
    NMS_Change(p, k);
    return true;
}

void finishNameEdit(Program& p) {
    nameEditFinished(p);
}

bool tickBock(Program& p, bool checked) {
    if (!p.ui.BOCK.usable() || !p.ui.frm0.enabled) return false;
    p.ui.BOCK.checked = p.pad.chosenBock = checked;
    return true;
}

namespace {

// What undo names the entry the panel is about to make: "Spiel 7", "Solo 2", "Strafpunkte".
std::string entryLabel(const PadState& pad) {
    if (pad.entryMode == 2) return "Solo " + std::to_string(pad.nextSoloRow - pad.lastGameRow);
    if (pad.entryMode == 3) return "Strafpunkte";
    return "Spiel " + std::to_string(pad.nextGameRow);
}

}  // namespace

bool pressOK(Program& p) {
    if (!p.ui.OKB.usable() || !p.ui.frm0.enabled) return false;
    recordChange(p, entryLabel(p.pad), [&p] { OKB_Click(p); });
    return true;
}

}  // namespace kx
