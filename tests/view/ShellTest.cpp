// The application shell: controls, menu and status bar after start-up, window
// geometry, the elapsed time, keys, quitting, About and help.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/MainWindow.h"
#include "view/SecondaryWindows.h"

namespace kx {
namespace {

using test::TestProgram;

const MenuEntry& entry(const Program& p, int i) {
    return p.ui.menu[static_cast<std::size_t>(i)];
}

int fileCount(const std::string& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& f : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

TEST(BuildControls, GeometryListsAndStateBeforeTheFirstPad) {
    TestProgram t;
    WindowModel& ui = t.p.ui;
    const std::tuple<const char*, Rect, const char*> spots[] = {
        {"MDS_3", {40, 535, 90, 36}, "Strafpunkte"},
        {"WER1_7", {15, 102, 40, 16}, "1 / 5"},
        {"WER1_15", {115, 134, 40, 16}, "5 / 6"},
        {"WER1_17", {65, 150, 40, 16}, "2"},
        {"WER1_21", {115, 166, 40, 16}, "6"},
        {"WER3_4", {15, 616, 40, 16}, "4"},
        {"WIE2", {40, 490, 90, 24}, ""},
        {"NMS_6", {722, 4, 80, 20}, "6"},
        {"SP6_39", {722, 102, 80, 20}, ""},
        {"SPsum_5", {642, 578, 80, 20}, ""}};
    for (const auto& [name, rect, text] : spots) {
        const Control* c = ui.find(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->rect, rect) << name;
        EXPECT_EQ(c->text, text) << name;
    }
    ASSERT_EQ(ui.WAS1.items.size(), 19u);
    EXPECT_EQ(ui.WAS1.items.back(), "18");
    ASSERT_EQ(ui.WAS2.items.size(), 26u);
    EXPECT_EQ(ui.WAS2.items[1], "-3");
    EXPECT_EQ(ui.WAS2.items[13], "-21");
    EXPECT_EQ(ui.WAS2.items.back(), "-39");
    EXPECT_EQ(ui.WAS1s.items, ui.WAS2.items);

    // Nothing can be used before the first pad.
    for (const Control& c : ui.MDS)
        EXPECT_TRUE(c.visible && !c.enabled) << c.objectName();
    for (const ControlArray* group : {&ui.WER1, &ui.WER2, &ui.WER3})
        for (const Control& c : *group)
            EXPECT_FALSE(c.visible || c.enabled) << c.objectName();
    EXPECT_TRUE(ui.WAS1.visible && !ui.WAS1.enabled && ui.WAS2.visible && !ui.WAS2.enabled);
    EXPECT_FALSE(ui.WAS1s.visible || ui.WAS1s.enabled || ui.WIE2.visible || ui.WIE2.enabled);
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(ui.NMS(k).text, std::to_string(k)) << k;
        EXPECT_EQ(ui.NMS(k).visible, k <= 4) << k;
        EXPECT_EQ(t.p.pad.playerNames[static_cast<std::size_t>(k)], std::to_string(k));
        EXPECT_FALSE(ui.SPsum(k).visible) << k;
    }
    for (const ControlArray* grid : {&ui.CNT, &ui.SPL, &ui.PKT, &ui.SP[1], &ui.SP[6]})
        for (const Control& c : *grid)
            EXPECT_FALSE(c.visible) << c.objectName();
}

TEST(Menu, EntriesAndStartUpStates) {
    TestProgram t;
    const std::string roles = "TCCCSCSCETCCCSCETCCCETCCE";  // Title Command Separator End
    std::string texts;
    for (int i = 0; i < MENU_ENTRY_COUNT; ++i) {
        const MenuEntry& e = entry(t.p, i);
        EXPECT_EQ("TCSE"[static_cast<int>(e.role)], roles[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(e.checked, i >= 17 && i <= 19) << i;
        EXPECT_EQ(e.enabled, i != 2 && i != 3 && i != 5) << i;
        if (e.role == MenuRole::Title || e.role == MenuRole::Command)
            texts += e.caption + (e.hint.empty() ? "" : " " + e.hint) + "|";
    }
    EXPECT_EQ(texts,
              "Datei|Laden ^O|Speichern ^S|Speichern unter ^U|Textexport ^T|Beenden ^Q|Block|"
              "4 Spieler|5 Spieler|6 Spieler|Block löschen|Optionen|Zeile ändern ^Z|Autosave ^A|"
              "Beenden Abfrage ^B|?|Hilfe ^H|Über Kartotrix ^V|");
}

TEST(StatusBar, PanelsAfterStartUp) {
    TestProgram t;
    const char* texts[] = {
        "Kartotrix v1.0.2.5", "", "", "Umsatz:", "Gespielt: ", "Soli: ", "Zeit: ", "h:mm:ss"};
    const int widths[] = {130, 130, 0, 95, 90, 60, 80, 60};
    int fixed = 0;
    for (int k = 1; k <= STATUS_PANEL_COUNT; ++k) {
        const StatusPanel& s = t.p.ui.STB[static_cast<std::size_t>(k)];
        EXPECT_EQ(s.text, texts[k - 1]) << k;
        EXPECT_EQ(s.fillsRest, k == 3) << k;
        EXPECT_EQ(s.clock, k == 8) << k;
        if (s.fillsRest) continue;
        EXPECT_EQ(s.width, widths[k - 1]) << k;
        fixed += s.width;
    }
    EXPECT_EQ(fixed, 645);
}

TEST(MainWindow, LoadCentresByTheDrawingAreaAtTheTop) {
    // {screen width, left}: the drawing area (660), not the outer width, is centred.
    const std::pair<int, int> cases[] = {{1024, 182}, {800, 70}, {600, 0}};
    for (const auto& [screen, left] : cases) {
        Program p;
        initProgram(p, "/tmp/kartotrix/");
        frm0_Load(p, ScreenMetrics{screen, 4, 3, 23, 20, 22});
        EXPECT_EQ(p.ui.frm0.frame, (Rect{left, 0, 668, 680 + 23 + 20 + 2 * 3 + 22})) << screen;
        EXPECT_EQ(p.ui.frm0.caption, "  Kartotrix  ");
        EXPECT_TRUE(p.ui.frm0.shown && p.shell.startupDone);
    }
}

TEST(MainWindow, SettingsChangeRefitsWithoutMoving) {
    TestProgram t;
    Program& p = t.p;
    frm0_WinIniChange(p, ScreenMetrics{1024, 4, 3, 23, 20, 22});
    p.ui.frm0.frame.left = 150;
    p.ui.frm0.frame.top = 40;
    const Rect before = p.ui.frm0.frame;
    frm0_WinIniChange(p, ScreenMetrics{1024, 4, 3, 31, 20, 22});  // title bar 8 pixels taller
    EXPECT_EQ(p.ui.frm0.frame, (Rect{150, 40, before.width, before.height + 8}));
    frm0_MenuEvent(p, CMD_PAD5);
    frm0_DisplayChange(p, ScreenMetrics{1024, 6, 5, 31, 20, 22});
    EXPECT_EQ(p.ui.frm0.frame, (Rect{150, 40, 740 + 12, 680 + 31 + 20 + 10 + 22}));
}

TEST(MainWindow, MouseMoveShowsMinutesOfTheRunningPad) {
    TestProgram t;
    Program& p = t.p;
    t.clock.setSeconds(20 * 3600);
    frm0_MouseMove(p);
    EXPECT_EQ(p.ui.status(7), "Zeit: ");
    frm0_MenuEvent(p, CMD_PAD4);
    t.clock.setSeconds(20 * 3600 + 180);
    frm0_MouseMove(p);
    EXPECT_EQ(p.ui.status(7), "Zeit: 3 min");
    // Started at 23:58:30, now 00:03:30.
    t.clock.setSeconds(23 * 3600 + 58 * 60 + 30);
    frm0_MenuEvent(p, CMD_PAD4);
    t.clock.setSeconds(3 * 60 + 30);
    frm0_MouseMove(p);
    EXPECT_EQ(p.ui.status(7), "Zeit: 5 min");
}

// Not only the mouse: an entry, any key and the clock's tick bring the time
// up to date, an entry also when it is the pad's last.
TEST(MainWindow, ElapsedTimeFollowsEntriesKeysAndTheClock) {
    const std::pair<const char*, void (*)(Program&)> events[] = {
        {"entry", [](Program& p) { test::enterPair(p, 1, 2, 1); }},
        {"key", frm0_KeyPress},
        {"tick", STB_Tick},
    };
    for (const auto& [name, event] : events) {
        SCOPED_TRACE(name);
        TestProgram t;
        t.clock.setSeconds(18 * 3600);
        frm0_MenuEvent(t.p, CMD_PAD4);
        t.clock.setSeconds(18 * 3600 + 165 * 60 + 59);
        event(t.p);
        EXPECT_EQ(t.p.ui.status(7), "Zeit: 165 min");
    }
    TestProgram t;
    t.clock.setSeconds(0);
    frm0_MenuEvent(t.p, CMD_PAD4);
    for (int k = 1; k <= 20; ++k)
        ASSERT_TRUE(test::passDeal(t.p));
    t.clock.setSeconds(999 * 60);
    for (int k = 1; k <= 4; ++k)
        ASSERT_TRUE(test::enterSolo(t.p, k, 3));
    EXPECT_FALSE(t.p.pad.padRunning);
    EXPECT_EQ(t.p.ui.status(7), "Zeit: 999 min");
    EXPECT_TRUE(t.p.ui.STB[7].fitsText);
}

TEST(KeyDown, OptionTogglesNeedCtrlAlone) {
    // Key, shift bits, the menu entry whose option flips (0 for none).
    const std::tuple<char, int, int> cases[] = {{'A', CTRL_BIT, CMD_AUTOSAVE},
                                                {'B', CTRL_BIT, CMD_CONFIRM_QUIT},
                                                {'Z', CTRL_BIT, CMD_ROW_CHANGE},
                                                {'A', CTRL_BIT | SHIFT_BIT, 0},
                                                {'A', ALT_BIT, 0},
                                                {'A', 0, 0},
                                                {'Z', CTRL_BIT | ALT_BIT, 0}};
    for (const auto& [key, shift, toggled] : cases) {
        SCOPED_TRACE(::testing::Message() << key << " shift " << shift);
        TestProgram t;
        frm0_KeyDown(t.p, key, shift);
        const bool flags[] = {t.p.pad.rowChangeEnabled, t.p.pad.autosaveEnabled,
                              t.p.pad.confirmQuit};
        for (int i = 17; i <= 19; ++i) {
            EXPECT_EQ(flags[i - 17], i != toggled) << i;
            EXPECT_EQ(entry(t.p, i).checked, i != toggled) << i;
        }
    }
}

TEST(KeyDown, RowChangeTwiceEndsCheckedAndLeavesAutosaveAlone) {
    TestProgram t;
    Program& p = t.p;
    frm0_KeyDown(p, 'A', CTRL_BIT);
    frm0_KeyDown(p, 'Z', CTRL_BIT);
    EXPECT_FALSE(p.pad.rowChangeEnabled || entry(p, 17).checked);
    frm0_KeyDown(p, 'Z', CTRL_BIT);
    EXPECT_TRUE(p.pad.rowChangeEnabled && entry(p, 17).checked);
    EXPECT_FALSE(p.pad.autosaveEnabled || entry(p, 18).checked);
}

TEST(KeyDown, QuitNeedsCtrlOrAlt) {
    const std::pair<int, bool> cases[] = {{ALT_BIT, true},
                                          {CTRL_BIT, true},
                                          {CTRL_BIT | ALT_BIT | SHIFT_BIT, true},
                                          {SHIFT_BIT, false},
                                          {0, false}};
    for (const auto& [shift, quits] : cases) {
        TestProgram t;
        frm0_KeyDown(t.p, 'Q', shift);
        EXPECT_EQ(t.host.closeRequests, quits ? 1 : 0) << shift;
        EXPECT_EQ(t.host.closed, quits) << shift;
    }
}

TEST(KeyDown, MinimisedWindowIgnoresCtrlAloneKeysButNotQuitOrHelp) {
    TestProgram t;
    t.p.ui.frm0.windowState = 1;
    frm0_KeyDown(t.p, 'A', CTRL_BIT);
    frm0_KeyDown(t.p, 'O', CTRL_BIT);
    EXPECT_TRUE(t.p.pad.autosaveEnabled);
    EXPECT_EQ(t.dialogs.openDialogs, 0);
    frm0_KeyDown(t.p, 'H', CTRL_BIT);
    frm0_KeyDown(t.p, 'Q', CTRL_BIT);
    EXPECT_EQ(t.desktop.opened.size(), 1u);
    EXPECT_EQ(t.host.closeRequests, 1);
}

TEST(KeyDown, SaveAndExportWaitForTheFirstPadButLoadDoesNot) {
    TestProgram t;
    Program& p = t.p;
    for (int key : {'S', 'U', 'T'})
        frm0_KeyDown(p, key, CTRL_BIT);
    for (int command : {CMD_SAVE, CMD_SAVE_AS, CMD_EXPORT})
        frm0_MenuEvent(p, command);
    EXPECT_EQ(fileCount(t.folder), 0);
    EXPECT_TRUE(t.dialogs.savePresets.empty() && t.dialogs.messages.empty());
    frm0_KeyDown(p, 'O', CTRL_BIT);
    EXPECT_EQ(t.dialogs.openDialogs, 1);

    frm0_MenuEvent(p, CMD_PAD4);
    frm0_KeyDown(p, 'S', CTRL_BIT);
    EXPECT_EQ(fileCount(t.folder), 1);
    frm0_KeyDown(p, 'T', CTRL_BIT);
    EXPECT_TRUE(std::filesystem::exists(t.file("autosave.txt")));
    frm0_KeyDown(p, 'U', CTRL_BIT);
    EXPECT_EQ(t.dialogs.savePresets.size(), 1u);
}

TEST(Menu, TitlesSeparatorsAndEmptyEntriesDoNothing) {
    TestProgram t;
    Program& p = t.p;
    frm0_MenuEvent(p, CMD_PAD5);
    ASSERT_TRUE(test::enterPair(p, 2, 3, 4));
    const int files = fileCount(t.folder);  // the autosave file
    for (int command : {0, 4, 6, 8, 9, 13, 15, 16, 20, 21, 24}) {
        frm0_MenuEvent(p, command);
        EXPECT_TRUE(p.pad.playerCount == 5 && p.pad.nextGameRow == 2) << command;
        EXPECT_TRUE(p.pad.autosaveEnabled && p.pad.rowChangeEnabled && p.pad.confirmQuit);
        EXPECT_TRUE(t.host.shown.empty() && t.desktop.opened.empty()) << command;
        EXPECT_EQ(t.host.closeRequests + t.dialogs.openDialogs + fileCount(t.folder), files);
        EXPECT_TRUE(t.dialogs.savePresets.empty()) << command;
    }
}

TEST(Quit, CancellingKeepsTheWindowAndTheNextQuitAsksAgain) {
    TestProgram t;
    Program& p = t.p;
    t.host.onModal = [&](SecondaryWindow w) {
        EXPECT_EQ(w, SecondaryWindow::QuitConfirmation);
        clse_cc_Click(p);
    };
    frm0_MenuEvent(p, CMD_QUIT);
    ASSERT_EQ(t.host.shown.size(), 1u);
    EXPECT_FALSE(t.host.mainEnabledWhileShown[0]);
    EXPECT_FALSE(t.host.closed);
    EXPECT_TRUE(p.ui.frm0.enabled);
    EXPECT_EQ(p.shell.quitRequest, 0);
    frm0_MenuEvent(p, CMD_QUIT);
    EXPECT_EQ(t.host.shown.size(), 2u);
    EXPECT_FALSE(t.host.closed);
    t.host.requestClose();  // the close box never asks, even after a cancelled quit
    EXPECT_EQ(t.host.shown.size(), 2u);
    EXPECT_TRUE(t.host.closed);
}

TEST(Quit, ConfirmingOrClosingTheQuestionEndsTheProgram) {
    for (const bool viaCloseBox : {false, true}) {
        TestProgram t;
        t.host.onModal = [&](SecondaryWindow) {
            viaCloseBox ? frm3_Close(t.p) : clse_ok_Click(t.p);
        };
        frm0_MenuEvent(t.p, CMD_QUIT);
        EXPECT_EQ(t.host.shown.size(), 1u) << viaCloseBox;
        EXPECT_TRUE(t.host.closed) << viaCloseBox;
    }
}

TEST(Quit, WithoutConfirmationOrByCloseBoxNothingIsAsked) {
    TestProgram t;
    frm0_MenuEvent(t.p, CMD_CONFIRM_QUIT);
    frm0_MenuEvent(t.p, CMD_QUIT);
    EXPECT_TRUE(t.host.shown.empty());
    EXPECT_TRUE(t.host.closed);
    TestProgram u;  // confirmQuit on
    u.host.requestClose();
    EXPECT_TRUE(u.host.shown.empty());
    EXPECT_TRUE(u.host.closed);
}

TEST(About, ShownModallyWhileTheMainWindowIgnoresCommands) {
    TestProgram t;
    Program& p = t.p;
    int depth = 0;
    t.host.onModal = [&](SecondaryWindow w) {
        if (depth++ > 0) return t.host.closeWindow(w);  // a second About would recurse here
        EXPECT_FALSE(frm0_KeyDown(p, 'V', CTRL_BIT));
        frm0_KeyDown(p, 'A', CTRL_BIT);
        frm0_KeyDown(p, 'Q', CTRL_BIT);
        frm0_MenuEvent(p, CMD_PAD4);
        frm0_MenuEvent(p, CMD_HELP);
        about_ok_Click(p);
    };
    frm0_KeyDown(p, 'V', CTRL_BIT);
    EXPECT_EQ(t.host.shown, (std::vector<SecondaryWindow>{SecondaryWindow::About}));
    EXPECT_EQ(t.host.mainEnabledWhileShown, (std::vector<bool>{false}));
    EXPECT_TRUE(p.pad.autosaveEnabled);
    EXPECT_FALSE(p.pad.padRunning);
    EXPECT_EQ(t.host.closeRequests, 0);
    EXPECT_TRUE(t.desktop.opened.empty());
    EXPECT_TRUE(p.ui.frm0.enabled);
    frm0_MenuEvent(p, CMD_ABOUT);
    EXPECT_EQ(t.host.shown.size(), 2u);
}

TEST(Help, OpensTheHelpFileAddress) {
    TestProgram t;
    Program& p = t.p;
    frm0_KeyDown(p, 'H', CTRL_BIT);
    frm0_MenuEvent(p, CMD_HELP);
    EXPECT_EQ(t.desktop.opened, std::vector<std::string>(2, fileAddress(p.shell.helpFile)));
    p.shell.helpFile = "C:\\Spiele\\KartotrixHilfe.html";
    frm0_KeyDown(p, 'H', ALT_BIT);
    EXPECT_EQ(t.desktop.opened.back(), "file:///C:/Spiele/KartotrixHilfe.html");
}

TEST(Help, FileAddressOfWindowsAndPosixPaths) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Spiele\\KartotrixHilfe.html", "file:///C:/Spiele/KartotrixHilfe.html"},
        {"/opt/k/KartotrixHilfe.html", "file:///opt/k/KartotrixHilfe.html"},
        {"C:\\Program Files\\K\\h.html", "file:///C:/Program%20Files/K/h.html"},
        {"/home/a b/h.html", "file:///home/a%20b/h.html"},
        // '#' would start a fragment and '%' an escape; non-ASCII goes byte by byte.
        {"/spiele/Runde #2/100%/h.html", "file:///spiele/Runde%20%232/100%25/h.html"},
        {"/home/j\xC3\xBCrgen/h.html", "file:///home/j%C3%BCrgen/h.html"}};
    for (const auto& [path, address] : cases)
        EXPECT_EQ(fileAddress(path), address) << path;
}

}  // namespace
}  // namespace kx
