#include "view/Controls.h"

#include "core/Program.h"

namespace kx {

const std::array<const char*, 66> controlTexts{
    "1 / 2", "1 / 3", "1 / 4", "2 / 3", "2 / 4", "3 / 4", "1 / 5", "2 / 5", "3 / 5", "4 / 5",
    "1 / 6", "2 / 6", "3 / 6", "4 / 6", "5 / 6", "1",     "2",     "3",     "4",     "5",
    "6",     "0",     "1",     "2",     "3",     "4",     "5",     "6",     "7",     "8",
    "9",     "10",    "11",    "12",    "13",    "14",    "15",    "16",    "17",    "18",
    "3",     "-3",    "6",     "-6",    "9",     "-9",    "12",    "-12",   "15",    "-15",
    "18",    "-18",   "21",    "-21",   "24",    "-24",   "27",    "-27",   "30",    "-30",
    "33",    "-33",   "36",    "-36",   "39",    "-39",
};

namespace {

Control make(std::string name, ControlKind kind, std::string text, Rect rect,
             Look look = Look::Panel) {
    Control c;
    c.name = std::move(name);
    c.kind = kind;
    c.text = std::move(text);
    c.rect = rect;
    c.look = look;
    return c;
}

Control hiddenDisabled(Control c) {
    c.visible = false;
    c.enabled = false;
    return c;
}

// Three columns 50 pixels apart, rows 16 pixels apart.
Rect optionGridRect(int k, int top) {
    return {15 + 50 * ((k - 1) % 3), top + 16 * ((k - 1) / 3), 40, 16};
}

void addPlayerOptions(ControlArray& group, const char* name, int top) {
    for (int k = 1; k <= 6; ++k) {
        group.add(hiddenDisabled(
            make(name, ControlKind::OptionButton, std::to_string(k), optionGridRect(k, top))));
    }
}

Control label(std::string name, std::string text, int top) {
    return make(std::move(name), ControlKind::Label, std::move(text), {40, top, 90, 20});
}

Control list(std::string name, int top) {
    Control c = make(std::move(name), ControlKind::DropDown, "", {40, top, 90, 24});
    c.enabled = false;
    return c;
}

Control padCell(const std::string& name, int left, int width, int j, Look look) {
    Control c = make(name, ControlKind::Label, "", {left, 24 + 2 * j, width, 20}, look);
    c.visible = false;
    return c;
}

void buildEntryPanel(WindowModel& ui) {
    const char* modes[] = {"Spiel", "Solo", "Strafpunkte"};
    const int modeTops[] = {15, 315, 535};
    for (int k = 0; k < 3; ++k) {
        ui.MDS.add(make("MDS", ControlKind::OptionButton, modes[k], {40, modeTops[k], 90, 36}));
    }
    for (Control& c : ui.MDS)
        c.enabled = false;
    ui.OKB = make("OKB", ControlKind::PushButton, "OK", {30, 250, 110, 50});
    ui.lb1 = label("lb1", "Spieler", 50);
    for (int k = 1; k <= 21; ++k) {
        ui.WER1.add(hiddenDisabled(make("WER1", ControlKind::OptionButton,
                                        controlTexts[static_cast<std::size_t>(k - 1)],
                                        optionGridRect(k, 70))));
    }
    ui.lb2 = label("lb2", "Punkte", 190);
    ui.WAS1 = list("WAS1", 210);
    ui.WAS1s = list("WAS1s", 210);
    ui.WAS1s.visible = false;
    ui.lb3 = label("lb3", "Spieler", 360);
    addPlayerOptions(ui.WER2, "WER2", 380);
    ui.lb4 = label("lb4", "Punkte", 420);
    ui.WAS2 = list("WAS2", 440);
    ui.lb5 = label("lb5", "Geber", 470);
    ui.WIE2 = list("WIE2", 490);
    ui.WIE2.visible = false;
    ui.lb6 = label("lb6", "Spieler", 580);
    addPlayerOptions(ui.WER3, "WER3", 600);
    // In the gap between the game's points and "OK".
    ui.BOCK = hiddenDisabled(make("BOCK", ControlKind::CheckBox, "Bock", {40, 234, 90, 16}));

    std::size_t next = 21;
    std::vector<std::string> values;
    for (int k = 0; k < 19; ++k)
        values.emplace_back(controlTexts[next++]);
    ui.WAS1.items = std::move(values);
    values.clear();
    for (int k = 0; k < 26; ++k)
        values.emplace_back(controlTexts[next++]);
    ui.WAS2.items = values;
    ui.WAS1s.items = std::move(values);
}

void buildPadGrid(WindowModel& ui) {
    ui.SPF = make("SPF", ControlKind::Label, "Sp", {202, 4, 60, 20}, Look::Heading);
    ui.PKF = make("PKF", ControlKind::Label, "Pk", {262, 4, 60, 20}, Look::Heading);
    for (int k = 1; k <= 6; ++k) {
        Control c = make("NMS", ControlKind::TextField, std::to_string(k),
                         {242 + 80 * k, 4, 80, 20}, Look::NameField);
        c.visible = k <= 4;
        ui.NMS.add(std::move(c));
    }
    for (int j = 1; j <= LAST_PAD_ROW; ++j) {
        ui.CNT.add(padCell("CNT", 170, 32, j, Look::RowLabel));
        ui.SPL.add(padCell("SPL", 202, 60, j, Look::RowInfo));
        ui.PKT.add(padCell("PKT", 262, 60, j, Look::RowInfo));
        for (int p = 1; p <= 6; ++p) {
            ui.SP[static_cast<std::size_t>(p)].add(
                padCell("SP" + std::to_string(p), 242 + 80 * p, 80, j, Look::PlayerCell));
        }
    }
    for (int p = 1; p <= 6; ++p) {
        Control c = make("SPsum", ControlKind::Label, "", {242 + 80 * p, 578, 80, 20}, Look::Total);
        c.visible = false;
        ui.SPsum.add(std::move(c));
    }
}

}  // namespace

void buildControls(Program& p) {
    buildEntryPanel(p.ui);
    for (int k = 1; k <= MAX_PLAYERS; ++k)
        p.pad.playerNames[static_cast<std::size_t>(k)] = std::to_string(k);
    buildPadGrid(p.ui);
}

}  // namespace kx
