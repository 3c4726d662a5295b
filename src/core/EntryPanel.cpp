#include "core/EntryPanel.h"

#include <cmath>
#include <string>

#include "core/Program.h"
#include "io/PadFile.h"

namespace kx {

const std::array<int, 6>& playerChoices(int player) {
    static const std::array<std::array<int, 6>, 7> table{{
        {0, 0, 0, 0, 0, 0},
        {1, 2, 3, 7, 11, 16},
        {1, 4, 5, 8, 12, 17},
        {2, 4, 6, 9, 13, 18},
        {3, 5, 6, 10, 14, 19},
        {7, 8, 9, 10, 15, 20},
        {11, 12, 13, 14, 15, 21},
    }};
    return table.at(static_cast<std::size_t>(player));
}

int textValue(std::string_view text) {
    // Parsed by hand: the C library's conversions follow the user's locale.
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    double value = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < 1e9) value = value * 10 + (text[i] - '0');
        digits = true;
    }
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        double scale = 0.1;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10) {
            value += (text[i] - '0') * scale;
            digits = true;
        }
    }
    if (!digits) return 0;
    return static_cast<int>(std::lround(negative ? -value : value));
}

namespace {

int selectedItemValue(const Control& list) {
    if (list.selection < 0 || list.selection >= static_cast<int>(list.items.size())) return 0;
    return textValue(list.items[static_cast<std::size_t>(list.selection)]);
}

void enableGroup(ControlArray& group, bool enable) {
    for (Control& c : group)
        c.enabled = enable;
}

}  // namespace

bool chooseValueBeyondList(Program& p, int value) {
    PadState& pad = p.pad;
    const bool pair = pad.entryMode == 1 && pad.chosenPlayer != pad.chosenPartner;
    const bool single = pad.entryMode == 2 || (pad.entryMode == 1 && !pair);
    if (pad.chosenPlayer == 0 || std::abs(value) > MAX_GAME_VALUE) return false;
    if (pair && value <= LARGEST_LISTED_PAIR_VALUE) return false;
    if (single && (value % 3 != 0 || std::abs(value) <= LARGEST_LISTED_SINGLE_VALUE)) return false;
    if (!pair && !single) return false;
    p.ui.WAS1.selection = p.ui.WAS1s.selection = p.ui.WAS2.selection = -1;
    (pad.entryMode == 1 ? pad.gameValue : pad.soloValue) = value;
    pad.valueBeyondList = true;
    return true;
}

void clearEntry(Program& p) {
    PadState& pad = p.pad;
    pad.valueBeyondList = false;
    pad.pendingReckoning.reset();
    pad.chosenBock = false;
    pad.chosenPlayer = pad.chosenPartner = pad.gameValue = pad.soloValue = 0;
    pad.soloDealer = pad.soloSecondSitOut = 0;
    uncheckAll(p.ui.WER1);
    uncheckAll(p.ui.WER2);
    uncheckAll(p.ui.WER3);
    p.ui.WIE2.selection = -1;
    p.ui.WAS1.selection = -1;
    p.ui.WAS1s.selection = -1;
    p.ui.WAS2.selection = -1;
    showBockChoice(p);
}

void showBockChoice(Program& p) {
    PadState& pad = p.pad;
    Control& box = p.ui.BOCK;
    box.visible = pad.padOpen() && pad.houseRules.bock.triggers.byHand;
    const bool gameOrSolo = pad.entryMode == 1 || pad.entryMode == 2;
    box.enabled = box.visible && gameOrSolo && p.ui.MDS(pad.entryMode).enabled;
    pad.chosenBock = box.checked = box.enabled && pad.chosenBock;
}

void enablePlayerChoices(Program& p, int player, bool enable) {
    if (player < 1 || player > MAX_PLAYERS) return;
    for (int k : playerChoices(player))
        p.ui.WER1(k).enabled = enable;
}

void MDS_Click(Program& p, int index) {
    WindowModel& ui = p.ui;
    p.pad.entryMode = index;
    enableGroup(ui.WER1, index == 1);
    ui.WAS1.enabled = ui.WAS1s.enabled = index == 1;
    enableGroup(ui.WER2, index == 2);
    ui.WAS2.enabled = ui.WIE2.enabled = index == 2;
    enableGroup(ui.WER3, index == 3);
    if (index == 1 && p.pad.playerCount >= 5) {
        enablePlayerChoices(p, p.pad.dealer, false);
        if (p.pad.playerCount == 6) enablePlayerChoices(p, p.pad.secondSitOut, false);
    }
    clearEntry(p);
}

void WER1_Click(Program& p, int index) {
    const std::string& caption = p.ui.WER1(index).text;
    if (caption.empty()) return;
    p.pad.chosenPlayer = textValue(caption.substr(0, 1));
    p.pad.chosenPartner = textValue(caption.substr(caption.size() - 1));
    const bool single = p.pad.chosenPlayer == p.pad.chosenPartner;
    p.pad.valueBeyondList = false;
    p.pad.pendingReckoning.reset();
    Control& hiddenList = single ? p.ui.WAS1 : p.ui.WAS1s;
    hiddenList.visible = false;
    hiddenList.selection = -1;
    (single ? p.ui.WAS1s : p.ui.WAS1).visible = true;
}

void WAS1_Click(Program& p) {
    p.pad.valueBeyondList = false;
    p.pad.pendingReckoning.reset();
    p.pad.gameValue = selectedItemValue(p.ui.WAS1);
    p.ui.WAS1s.selection = -1;
}

void WAS1s_Click(Program& p) {
    p.pad.valueBeyondList = false;
    p.pad.pendingReckoning.reset();
    p.pad.gameValue = selectedItemValue(p.ui.WAS1s);
    p.ui.WAS1.selection = -1;
}

void WER2_Click(Program& p, int index) {
    p.pad.valueBeyondList = false;
    p.pad.pendingReckoning.reset();
    p.pad.chosenPlayer = textValue(p.ui.WER2(index).text);
}

void WAS2_Click(Program& p) {
    p.pad.valueBeyondList = false;
    p.pad.pendingReckoning.reset();
    p.pad.soloValue = selectedItemValue(p.ui.WAS2);
}

void WIE2_Click(Program& p) {
    p.pad.soloDealer = selectedItemValue(p.ui.WIE2);
    p.pad.soloSecondSitOut = p.pad.soloDealer == 0 ? 0 : previousSeat(p.pad.soloDealer);
}

void WER3_Click(Program& p, int index) {
    p.pad.chosenPlayer = textValue(p.ui.WER3(index).text);
}

void NMS_Change(Program& p, int index) {
    p.pad.playerNames[static_cast<std::size_t>(index)] = p.ui.NMS(index).text;
    if (index == p.pad.dealer) p.ui.setStatus(2, "Geber: " + p.ui.NMS(index).text);
}

void resetEntryPanel(Program& p, int n) {
    WindowModel& ui = p.ui;
    checkOption(ui.MDS, 1);
    enableGroup(ui.MDS, true);

    ui.WAS1.visible = ui.WAS2.visible = true;
    // WAS1s shares WAS1's place; the previous pad may have ended on it.
    ui.WAS1s.visible = false;
    ui.WAS1.selection = ui.WAS1s.selection = ui.WAS2.selection = -1;

    std::vector<std::string> places;
    for (int k = 1; k <= n; ++k)
        places.push_back(std::to_string(k));
    ui.WIE2.items = std::move(places);
    ui.WIE2.selection = -1;

    p.pad.entryMode = 1;
    MDS_Click(p, 1);

    const int pairChoices = n == 4 ? 6 : n == 5 ? 10 : 21;
    for (Control& c : ui.WER1)
        c.visible = c.index <= pairChoices;
    for (Control& c : ui.WER2)
        c.visible = c.index <= n;
    for (Control& c : ui.WER3)
        c.visible = c.index <= n;
    ui.WIE2.visible = n > 4;
    for (Control& c : ui.NMS)
        c.visible = c.index <= n;
}

void closeGameSection(Program& p) {
    p.ui.MDS(1).enabled = false;
    for (Control& c : p.ui.WER1)
        c.visible = false;
    p.ui.WAS1.visible = p.ui.WAS1s.visible = false;
}

void closeSoloSection(Program& p) {
    p.ui.MDS(2).enabled = false;
    p.ui.WAS2.visible = p.ui.WIE2.visible = false;
}

void closePenaltySection(Program& p) {
    p.ui.MDS(3).enabled = false;
    for (Control& c : p.ui.WER3)
        c.visible = false;
}

}  // namespace kx
