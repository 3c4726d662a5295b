// How the window meets a desktop: zoom and fitting, the "Ansicht" menu and
// the added keys, name fields and shortcuts, menu letters, help without a
// browser, and what assistive technology is told.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/TestProgram.h"
#include "view/Accessibility.h"
#include "view/Commands.h"
#include "view/MainWindow.h"
#include "view/SecondaryWindows.h"
#include "view/WindowFit.h"

namespace kx {
namespace {

using test::TestProgram;

// Frame 4 wide at the sides, 3 at top and bottom, title bar 23, menu bar 20,
// status bar 22: the chrome is 8 pixels wide and 71 high.
ScreenMetrics desktop(int workWidth, int workHeight) {
    ScreenMetrics m{1280, 4, 3, 23, 20, 22};
    m.workWidth = workWidth;
    m.workHeight = workHeight;
    return m;
}

TEST(Zoom, StepsAndFittingScale) {
    EXPECT_DOUBLE_EQ(nextZoomStep(1.0, 1), 1.1);
    EXPECT_DOUBLE_EQ(nextZoomStep(1.0, -1), 0.9);
    EXPECT_DOUBLE_EQ(nextZoomStep(0.93, -1), 0.9);  // a fitted zoom steps to the next step
    EXPECT_DOUBLE_EQ(nextZoomStep(0.93, 1), 1.0);
    EXPECT_DOUBLE_EQ(nextZoomStep(zoomSteps.back(), 1), zoomSteps.back());
    EXPECT_DOUBLE_EQ(nextZoomStep(zoomSteps.front(), -1), zoomSteps.front());

    // {work width, work height, padWidth, zoom asked} → zoom that fits.
    const std::tuple<int, int, int, double, double> cases[] = {
        {0, 0, 820, 1.0, 1.0},                // nothing known: as asked
        {1280, 1024, 660, 1.0, 1.0},          // fits
        {1280, 1024, 660, 1.5, 953.0 / 680},  // too tall at 1.5
        {1280, 720, 820, 1.0, 649.0 / 680},   // a laptop at 150 %
        {600, 1024, 660, 1.0, 592.0 / 660},   // too narrow
        {200, 100, 660, 1.0, MIN_ZOOM},
    };
    for (const auto& [w, h, padWidth, zoom, fitted] : cases)
        EXPECT_DOUBLE_EQ(fittingZoom(zoom, padWidth, desktop(w, h)), fitted)
            << w << "x" << h << " " << padWidth;
}

TEST(Zoom, WindowFitsTheWorkAreaAndStaysOnIt) {
    TestProgram t;
    Program& p = t.p;
    frm0_WinIniChange(p, desktop(1280, 720));
    frm0_MenuEvent(p, CMD_PAD6);
    // The whole window fits 720 pixels: drawing area and chrome.
    EXPECT_LE(p.ui.frm0.frame.height, 720);
    EXPECT_EQ(p.ui.frm0.frame.height, scaledLength(680, p.shell.zoom) + 71);
    EXPECT_EQ(p.ui.frm0.frame.width, scaledLength(820, p.shell.zoom) + 8);
    // "Originalgröße" cannot leave the screen; "Verkleinern" still shrinks.
    const double fitted = p.shell.zoom;
    frm0_MenuEvent(p, CMD_ZOOM_RESET);
    EXPECT_DOUBLE_EQ(p.shell.zoom, fitted);
    frm0_MenuEvent(p, CMD_ZOOM_IN);
    EXPECT_DOUBLE_EQ(p.shell.zoom, fitted);
    frm0_MenuEvent(p, CMD_ZOOM_OUT);
    EXPECT_DOUBLE_EQ(p.shell.zoom, 0.9);

    // A wider pad moves a window standing at the right edge left, not off the screen.
    TestProgram u;
    frm0_WinIniChange(u.p, desktop(1024, 900));
    u.p.ui.frm0.frame.left = 300;
    frm0_MenuEvent(u.p, CMD_PAD6);
    EXPECT_DOUBLE_EQ(u.p.shell.zoom, 1.0);
    EXPECT_EQ(u.p.ui.frm0.frame, (Rect{1024 - 828, 0, 828, 751}));
    frm0_MenuEvent(u.p, CMD_PAD4);  // narrower: it stays
    EXPECT_EQ(u.p.ui.frm0.frame.left, 1024 - 828);
}

TEST(Zoom, ResizingScalesTheDrawingArea) {
    TestProgram t;
    Program& p = t.p;
    frm0_MenuEvent(p, CMD_PAD4);
    frm0_Resize(p, {10, 0, 668, 754}, 660, 680);
    EXPECT_DOUBLE_EQ(p.shell.zoom, 1.0);
    EXPECT_EQ(p.ui.frm0.frame, (Rect{10, 0, 668, 754}));
    frm0_Resize(p, {10, 0, 1000, 754}, 992, 680);  // wider only: the height limits
    EXPECT_DOUBLE_EQ(p.shell.zoom, 1.0);
    frm0_Resize(p, {10, 0, 998, 1100}, 990, 1020);
    EXPECT_DOUBLE_EQ(p.shell.zoom, 1.5);
    frm0_Resize(p, {10, 0, 998, 1100}, 989, 1019);  // a pixel off keeps the zoom
    EXPECT_DOUBLE_EQ(p.shell.zoom, 1.5);
    frm0_Resize(p, {10, 0, 100, 100}, 90, 20);
    EXPECT_DOUBLE_EQ(p.shell.zoom, MIN_ZOOM);
    frm0_KeyDown(p, '0', CTRL_BIT);
    EXPECT_DOUBLE_EQ(p.shell.zoom, 1.0);
}

// Panel 3 fills what the others leave: 15 pixels at four players. While it
// says what Bock is coming, the version panel gives it its place.
TEST(StatusBar, BockTextTakesTheVersionPanelsPlaceWhenNarrow) {
    TestProgram t;
    Program& p = t.p;
    frm0_MenuEvent(p, CMD_PAD4);
    using Places = std::vector<PanelPlace>;
    const Places plain = statusPanelPlaces(p.ui, 660, 1.0);
    EXPECT_EQ(plain[0], (PanelPlace{0, 130}));
    EXPECT_EQ(plain[2], (PanelPlace{260, 15}));
    p.ui.setStatus(3, "Bock: noch 4 Spiele");
    const Places bock = statusPanelPlaces(p.ui, 660, 1.0);
    EXPECT_EQ(bock[0].width, 0);
    EXPECT_EQ(bock[1], (PanelPlace{0, 130}));
    EXPECT_EQ(bock[2], (PanelPlace{130, 145}));
    EXPECT_EQ(bock[3], plain[3]);  // nothing right of it moves
    // With room enough (six players) every panel keeps its place.
    EXPECT_EQ(statusPanelPlaces(p.ui, 820, 1.0)[0], (PanelPlace{0, 130}));
}

TEST(Menu, AnsichtStandsBetweenOptionenAndHelp) {
    TestProgram t;
    std::string titles;
    for (int i : menuBarOrder(t.p.ui)) {
        const MenuEntry& e = t.p.ui.menu[static_cast<std::size_t>(i)];
        if (e.role == MenuRole::Title) titles += e.caption + "|";
        if (i >= 31 && i <= 34 && e.role == MenuRole::Command)
            titles += e.caption + " " + e.hint + "|";
    }
    EXPECT_EQ(titles,
              "Datei|Block|Optionen|Bearbeiten|Ansicht|Vergrößern ^+|Verkleinern ^-|Originalgröße "
              "^0|Extras|?|");
}

TEST(KeyDown, AddedKeysHelpAndZoom) {
    // Key, shift bits, the zoom afterwards (from 1), whether help opened.
    const std::tuple<int, int, double, bool> cases[] = {
        {KEY_F1, 0, 1.0, true},
        {KEY_F1, CTRL_BIT, 1.0, false},
        {KEY_PLUS, CTRL_BIT, 1.1, false},
        {KEY_PLUS, CTRL_BIT | SHIFT_BIT, 1.1, false},
        {KEY_NUMPAD_ADD, CTRL_BIT, 1.1, false},
        {KEY_PLUS, 0, 1.0, false},
        {KEY_MINUS, CTRL_BIT, 0.9, false},
        {KEY_NUMPAD_SUBTRACT, CTRL_BIT, 0.9, false},
        {KEY_MINUS, ALT_BIT, 1.0, false},
        {'0', ALT_BIT, 1.0, false},
    };
    for (const auto& [key, shift, zoom, help] : cases) {
        SCOPED_TRACE(::testing::Message() << key << " shift " << shift);
        TestProgram t;
        frm0_KeyDown(t.p, key, shift);
        EXPECT_DOUBLE_EQ(t.p.shell.zoom, zoom);
        EXPECT_EQ(t.desktop.opened.size(), help ? 1u : 0u);
    }
}

TEST(KeyDown, NameFieldsKeepOnlyTheEditingKeys) {
    for (int key : {'A', 'C', 'V', 'X', 'Z', 'Y'}) {
        EXPECT_TRUE(nameFieldKeepsKey(key, CTRL_BIT)) << key;
        EXPECT_FALSE(nameFieldKeepsKey(key, ALT_BIT)) << key;
    }
    EXPECT_TRUE(nameFieldKeepsKey('Z', CTRL_BIT | SHIFT_BIT));
    EXPECT_FALSE(nameFieldKeepsKey('A', CTRL_BIT | SHIFT_BIT));
    for (int key : std::initializer_list<int>{'Q', 'S', 'O', 'B', 'H', 'T', 'U', KEY_F1, KEY_F2,
                                              KEY_BACKSPACE, KEY_PLUS})
        EXPECT_FALSE(nameFieldKeepsKey(key, CTRL_BIT)) << key;
    EXPECT_FALSE(nameFieldKeepsKey(KEY_BACKSPACE, ALT_BIT));
    EXPECT_FALSE(nameFieldKeepsKey(KEY_F1, 0));
}

TEST(Menu, LettersAreUniqueAndLeaveTheAltCommandsAlone) {
    TestProgram t;
    const WindowModel& ui = t.p.ui;
    const std::vector<int> letters = menuMnemonics(ui);
    std::set<char> titles;
    std::set<char> entries;
    std::string shown;
    for (int i : menuBarOrder(ui)) {
        const MenuEntry& e = ui.menu[static_cast<std::size_t>(i)];
        if (e.role != MenuRole::Title && e.role != MenuRole::Command) continue;
        const int at = letters[static_cast<std::size_t>(i)];
        ASSERT_GE(at, 0) << e.caption;
        const char letter = static_cast<char>(
            std::toupper(static_cast<unsigned char>(e.caption[static_cast<std::size_t>(at)])));
        if (e.role == MenuRole::Title) {
            EXPECT_TRUE(titles.insert(letter).second) << e.caption;
            EXPECT_EQ(std::string("QVH").find(letter), std::string::npos) << e.caption;
            entries.clear();
            shown += captionWithMnemonic(e.caption, at) + " ";
        } else {
            EXPECT_TRUE(entries.insert(letter).second) << e.caption;
        }
    }
    EXPECT_EQ(shown, "&Datei &Block &Optionen B&earbeiten &Ansicht E&xtras &? ");
    EXPECT_EQ(captionWithMnemonic("Speichern unter", 1), "S&peichern unter");
    EXPECT_EQ(captionWithMnemonic("A&B", 0), "&A&&B");
}

TEST(Help, TheOwnWindowWhenTheDesktopCannotOpenIt) {
    TestProgram t;
    Program& p = t.p;
    frm0_KeyDown(p, KEY_F1, 0);
    EXPECT_TRUE(t.host.helpWindows.empty());
    t.desktop.refuse = true;
    frm0_MenuEvent(p, CMD_HELP);
    EXPECT_EQ(t.desktop.opened.size(), 2u);
    EXPECT_EQ(t.host.helpWindows, std::vector<std::string>{p.shell.helpFile});
    p.services.desktop = nullptr;
    frm0_KeyDown(p, 'H', CTRL_BIT);
    EXPECT_EQ(t.host.helpWindows.size(), 2u);
}

TEST(Accessibility, CellsNameRowPlayerAndValue) {
    TestProgram t;
    Program& p = t.p;
    frm0_MenuEvent(p, CMD_PAD5);
    p.pad.playerNames[3] = "Anna";
    p.pad.playerNames[4] = "";
    ASSERT_TRUE(test::enterPair(p, 3, 4, 2));
    ASSERT_TRUE(test::enterSolo(p, 3, -6, 5));
    const std::pair<const char*, const char*> cases[] = {
        {"CNT_1", "Spiel 1"},
        {"SPL_1", "Spiel 1, Spieler: 3 / 4"},
        {"PKT_1", "Spiel 1, Punkte: 2"},
        {"SP3_1", "Spiel 1, Anna: 2"},
        {"SP4_1", "Spiel 1, Spieler 4: 2"},
        {"SP1_1", "Spiel 1, 1: setzt aus"},
        {"SP1_2", "Spiel 2, 1: leer"},
        {"SP3_26", "Solo 1, Anna: -6"},
        {"CNT_33", "Strafpunkte 3"},
        {"SPsum_3", "Gesamt, Anna: -4, Platz 5"},
        {"NMS_3", "Spieler 3"},
        {"WER1_6", "Spiel: 3 / 4"},
        {"WER3_2", "Strafpunkte: Spieler 2"},
        {"WIE2", "Geber des Solos"},
        {"OKB", "OK"},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(accessibleName(p, *p.ui.find(name)), expected) << name;
    for (Control* c : p.ui.controls())
        EXPECT_FALSE(accessibleName(p, *c).empty()) << c->objectName();
}

}  // namespace
}  // namespace kx
