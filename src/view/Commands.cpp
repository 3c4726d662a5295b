#include "view/Commands.h"

#include <algorithm>
#include <string>

#include "core/Program.h"
#include "io/EarlierStates.h"
#include "io/FileCommands.h"
#include "io/NameSuggestions.h"
#include "io/TextExport.h"
#include "view/Extras.h"
#include "view/History.h"
#include "view/JournalWindow.h"
#include "view/PadLayout.h"
#include "view/QuickEntry.h"
#include "view/RulesWindow.h"
#include "view/SecondaryWindows.h"
#include "view/BoardCommands.h"
#include "view/ValueWindow.h"
#include "view/StatesWindow.h"
#include "view/WindowFit.h"

namespace kx {

// clang-format off
const std::array<const char*, 25> menuTexts{
    "Datei",         "Laden\t^O",           "Speichern\t^S",
    "Speichern unter\t^U", "'-'",           "Textexport\t^T",
    "'-'",           "Beenden\t^Q",         "",
    "Block",         "4 Spieler",           "5 Spieler",
    "6 Spieler",     "'-'",                 "Block l\xC3\xB6schen",
    "",              "Optionen",            "Zeile \xC3\xA4ndern\t^Z",
    "Autosave\t^A",  "Beenden Abfrage\t^B", "",
    "?",             "Hilfe\t^H",           "\xC3\x9C" "ber Kartotrix\t^V",
    "",
};

const std::vector<AddedMenuText> addedMenuTexts{
    {CMD_EDIT_MENU, "Bearbeiten"},
    {CMD_UNDO, "R\xC3\xBC" "ckg\xC3\xA4ngig\tAlt+R\xC3\xBC" "cktaste"},
    {CMD_REDO, "Wiederherstellen\t^Y"},
    {28, "'-'"},
    {CMD_QUICK_ENTRY, "Schnelleingabe\tF2"},
    {CMD_VALUE_WINDOW, "Spielwert berechnen\xE2\x80\xA6\tF3"},
    {CMD_JOURNAL, "Protokoll\xE2\x80\xA6"},
    {CMD_EARLIER_STATES, "Fr\xC3\xBChere St\xC3\xA4nde\xE2\x80\xA6"},
    {CMD_HOUSE_RULES, "Hausregeln\xE2\x80\xA6"},
    {CMD_EDIT_END, ""},
    // "Ansicht": the size of the window's drawing area.
    {31, "Ansicht"},
    {32, "Vergr\xC3\xB6\xC3\x9F" "ern\t^+"},
    {33, "Verkleinern\t^-"},
    {34, "Originalgr\xC3\xB6\xC3\x9F" "e\t^0"},
    {CMD_BOARD_SEPARATOR, "'-'"},
    {CMD_BOARD, "Tafel\tF11"},
    {CMD_PHONE, "Auf Handys zeigen\xE2\x80\xA6"},
    {35, ""},
    // "Extras": the end of the evening.
    {CMD_EXTRAS, "Extras"},
    {CMD_SETTLEMENT, "Abrechnung\xE2\x80\xA6"},
    {CMD_CHART, "Verlauf\xE2\x80\xA6"},
    {CMD_PRINT, "Drucken\xE2\x80\xA6"},
    {CMD_PDF, "PDF-Export\xE2\x80\xA6"},
    {CMD_CSV, "CSV-Export\xE2\x80\xA6"},
    {CMD_STATISTICS, "Statistik\xE2\x80\xA6"},
    {CMD_EXTRAS_END, ""},
};
// clang-format on

namespace {

// Reads one menu text by the rule of menuTexts.
MenuEntry menuEntry(const std::string& text, bool& titleNext) {
    MenuEntry entry;
    if (text.empty()) {
        entry.role = MenuRole::End;
        titleNext = true;
        return entry;
    }
    const auto tab = text.find('\t');
    entry.caption = text.substr(0, tab);
    if (tab != std::string::npos) entry.hint = text.substr(tab + 1);
    if (titleNext)
        entry.role = MenuRole::Title;
    else if (text == "'-'")
        entry.role = MenuRole::Separator;
    titleNext = false;
    return entry;
}

}  // namespace

void buildMenu(WindowModel& ui) {
    int size = MENU_ENTRY_COUNT;
    for (const AddedMenuText& added : addedMenuTexts)
        size = std::max(size, added.command + 1);
    MenuEntry unused;
    unused.role = MenuRole::Unused;
    ui.menu.assign(static_cast<std::size_t>(size), unused);
    bool titleNext = true;
    for (std::size_t i = 0; i < menuTexts.size(); ++i)
        ui.menu[i] = menuEntry(menuTexts[i], titleNext);
    titleNext = true;
    for (const AddedMenuText& added : addedMenuTexts)
        ui.menu[static_cast<std::size_t>(added.command)] = menuEntry(added.text, titleNext);
    for (int k : {CMD_SAVE, CMD_SAVE_AS, CMD_EXPORT})
        ui.menu[static_cast<std::size_t>(k)].enabled = false;
    enablePadExtras(ui, false);
    ui.menu[static_cast<std::size_t>(CMD_PHONE)].checkable = true;
    for (int k : {CMD_ROW_CHANGE, CMD_AUTOSAVE, CMD_CONFIRM_QUIT}) {
        ui.menu[static_cast<std::size_t>(k)].checkable = true;
        ui.menu[static_cast<std::size_t>(k)].checked = true;
    }
    // Nothing to undo or redo yet.
    for (int k : {CMD_UNDO, CMD_REDO})
        ui.menu[static_cast<std::size_t>(k)].enabled = false;
}

std::vector<int> menuBarOrder(const WindowModel& ui) {
    constexpr int HELP_MENU = 21;  // "?" stays last
    std::vector<int> order;
    std::vector<int> menu;  // the entries of the menu being read
    bool hasCommand = false;
    const auto keepMenu = [&] {
        if (hasCommand) order.insert(order.end(), menu.begin(), menu.end());
        menu.clear();
        hasCommand = false;
    };
    const auto visit = [&](int i) {
        const MenuEntry& entry = ui.menu[static_cast<std::size_t>(i)];
        if (entry.role == MenuRole::Unused) return;
        if (entry.role == MenuRole::Title) keepMenu();
        menu.push_back(i);
        hasCommand = hasCommand || entry.role == MenuRole::Command;
    };
    const auto read = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            visit(i);
        keepMenu();
    };
    read(0, HELP_MENU);
    // The added menus in the order of their list, so that a menu can take an
    // entry numbered after the others without renumbering any of them.
    for (const AddedMenuText& added : addedMenuTexts)
        visit(added.command);
    keepMenu();
    read(HELP_MENU, MENU_ENTRY_COUNT);
    return order;
}

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool mnemonicCandidate(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The first letter or digit of the caption not yet in `used` (which it joins);
// a caption without one, like "?", takes its first plain ASCII sign.
int pickMnemonic(const std::string& caption, std::string& used) {
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < caption.size(); ++i) {
            const char c = upper(caption[i]);
            const bool fits = pass == 0 ? mnemonicCandidate(c) : c > ' ' && c < 0x7F && c != '&';
            if (fits && used.find(c) == std::string::npos) {
                used += c;
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

}  // namespace

std::vector<int> menuMnemonics(const WindowModel& ui) {
    std::vector<int> mnemonics(ui.menu.size(), -1);
    std::string titles = "QVH";  // the Alt keys of the original key table
    std::string entries;
    for (int i : menuBarOrder(ui)) {
        const MenuEntry& entry = ui.menu[static_cast<std::size_t>(i)];
        int& mnemonic = mnemonics[static_cast<std::size_t>(i)];
        if (entry.role == MenuRole::Title) {
            mnemonic = pickMnemonic(entry.caption, titles);
            entries.clear();
        } else if (entry.role == MenuRole::Command) {
            mnemonic = pickMnemonic(entry.caption, entries);
        }
    }
    return mnemonics;
}

std::string captionWithMnemonic(const std::string& caption, int mnemonic) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (static_cast<int>(i) == mnemonic) text += '&';
        if (caption[i] == '&') text += '&';
        text += caption[i];
    }
    return text;
}

namespace {

void toggle(Program& p, bool& option, int entry) {
    option = !option;
    p.ui.menu[static_cast<std::size_t>(entry)].checked = option;
}

}  // namespace

bool confirmDiscard(Program& p, bool forLoad) {
    // Entries since the last save; a corrected entry counts once.
    const int entries = std::min(p.pad.entryCount(), p.shell.changesSinceSave);
    if (entries == 0 || !p.services.dialogs) return true;
    const std::string count =
        entries == 1 ? "1 Eintrag, der" : std::to_string(entries) + " Eintr\xC3\xA4ge, die";
    const std::string text =
        "Der laufende Block hat " + count + " noch nicht gespeichert " +
        (entries == 1 ? "ist" : "sind") + ". Trotzdem " +
        (forLoad ? "einen anderen Block laden?" : "einen neuen Block beginnen?");
    return p.services.dialogs->messageBox(text, "Kartotrix", MessageButtons::YesNo,
                                          MessageIcon::Question) == MessageAnswer::Yes;
}

void quitCommand(Program& p) {
    p.shell.quitRequest = 1;
    if (p.services.host) p.services.host->requestClose();
}

void frm0_MenuEvent(Program& p, int command) {
    // Nothing reaches the main window while a secondary window is open.
    if (!p.ui.frm0.enabled) return;
    // Before the first pad there is nothing to save or export, whether the
    // command comes from the (greyed) menu or from its key.
    if ((command == CMD_SAVE || command == CMD_SAVE_AS || command == CMD_EXPORT) &&
        !p.ui.menu[static_cast<std::size_t>(command)].enabled)
        return;
    // An added entry acts only while it is there and enabled.
    if (command >= MENU_ENTRY_COUNT) {
        if (command >= static_cast<int>(p.ui.menu.size())) return;
        const MenuEntry& entry = p.ui.menu[static_cast<std::size_t>(command)];
        if (entry.role != MenuRole::Command || !entry.enabled) return;
    }
    const bool replacesPad = command == CMD_LOAD || command == CMD_PAD4 || command == CMD_PAD5 ||
                             command == CMD_PAD6 || command == CMD_CLEAR_PAD;
    if (replacesPad) {
        if (!confirmDiscard(p, command == CMD_LOAD)) return;
        keepStateBeforeReplace(p);
    }
    switch (command) {
        case CMD_LOAD:
            recordChange(p, "Laden", [&p] { fileCommand(p, 1); });
            break;
        case CMD_SAVE:
            saveStamped(p);
            break;
        case CMD_SAVE_AS:
            fileCommand(p, 2);
            break;
        case CMD_EXPORT:
            exportText(p, "");
            break;
        case CMD_QUIT:
            quitCommand(p);
            break;
        case CMD_PAD4:
        case CMD_PAD5:
        case CMD_PAD6: {
            const int n = command - CMD_PAD4 + 4;
            recordChange(p, "Neuer Block", [&p, n] { newPad(p, n); });
            break;
        }
        case CMD_CLEAR_PAD:
            recordChange(p, "Block l\xC3\xB6schen", [&p] { newPad(p, p.pad.playerCount); });
            break;
        case CMD_ROW_CHANGE:
            toggle(p, p.pad.rowChangeEnabled, CMD_ROW_CHANGE);
            break;
        case CMD_AUTOSAVE:
            toggle(p, p.pad.autosaveEnabled, CMD_AUTOSAVE);
            break;
        case CMD_CONFIRM_QUIT:
            toggle(p, p.pad.confirmQuit, CMD_CONFIRM_QUIT);
            break;
        case CMD_HELP:
            showHelp(p);
            break;
        case CMD_ABOUT:
            showModal(p, SecondaryWindow::About);
            break;
        case CMD_UNDO:
            undoChange(p);
            break;
        case CMD_REDO:
            redoChange(p);
            break;
        case CMD_QUICK_ENTRY:
            openQuickEntry(p, "");
            break;
        case CMD_VALUE_WINDOW:
            valueWindowCommand(p);
            break;
        case CMD_EARLIER_STATES:
            earlierStatesCommand(p);
            break;
        case CMD_HOUSE_RULES:
            houseRulesCommand(p);
            break;
        case CMD_ZOOM_IN:
            zoomBy(p, 1);
            break;
        case CMD_ZOOM_OUT:
            zoomBy(p, -1);
            break;
        case CMD_ZOOM_RESET:
            zoomBy(p, 0);
            break;
        case CMD_JOURNAL:
            journalCommand(p);
            break;
        case CMD_BOARD:
            boardCommand(p);
            break;
        case CMD_PHONE:
            phoneCommand(p);
            break;
        default:
            if (isExtrasCommand(command)) extrasCommand(p, command);
            break;
    }
    // The evening just left lies in the autosave file: its names are offered now.
    if (replacesPad) refreshNameSuggestions(p);
}

namespace {

// Keys that Kartotrix adds to the original table. Returns true when one ran.
bool addedKeyDown(Program& p, int key, int shift) {
    const bool ctrl = shift == CTRL_BIT;
    switch (key) {
        case KEY_BACKSPACE:
            if (shift != ALT_BIT) return false;
            frm0_MenuEvent(p, CMD_UNDO);
            return true;
        case 'Y':
            if (!ctrl) return false;
            frm0_MenuEvent(p, CMD_REDO);
            return true;
        case KEY_F2:
            if (shift != 0) return false;
            frm0_MenuEvent(p, CMD_QUICK_ENTRY);
            return true;
        case KEY_F3:
            if (shift != 0) return false;
            frm0_MenuEvent(p, CMD_VALUE_WINDOW);
            return true;
        case KEY_F1:
            if (shift != 0) return false;
            frm0_MenuEvent(p, CMD_HELP);
            return true;
        case KEY_F11:
            if (shift != 0) return false;
            frm0_MenuEvent(p, CMD_BOARD);
            return true;
        case KEY_PLUS:
        case KEY_NUMPAD_ADD:
            // On many layouts "+" needs Shift, so Ctrl+Shift+"+" zooms in as well.
            if (!ctrl && shift != (CTRL_BIT | SHIFT_BIT)) return false;
            frm0_MenuEvent(p, CMD_ZOOM_IN);
            return true;
        case KEY_MINUS:
        case KEY_NUMPAD_SUBTRACT:
            if (!ctrl) return false;
            frm0_MenuEvent(p, CMD_ZOOM_OUT);
            return true;
        case '0':
            if (!ctrl) return false;
            frm0_MenuEvent(p, CMD_ZOOM_RESET);
            return true;
        default:
            return false;
    }
}

}  // namespace

bool nameFieldKeepsKey(int key, int shift) {
    if (shift == (CTRL_BIT | SHIFT_BIT)) return key == 'Z';  // redo
    if (shift != CTRL_BIT) return false;
    switch (key) {
        case 'A':
        case 'C':
        case 'V':
        case 'X':
        case 'Z':
        case 'Y':
            return true;
        default:
            return false;
    }
}

bool frm0_KeyDown(Program& p, int key, int shift) {
    if (!p.ui.frm0.enabled) return false;
    if (shift > SHIFT_BIT) {
        switch (key) {
            case 'Q':
                frm0_MenuEvent(p, CMD_QUIT);
                return true;
            case 'V':
                frm0_MenuEvent(p, CMD_ABOUT);
                return true;
            case 'H':
                frm0_MenuEvent(p, CMD_HELP);
                return true;
            default:
                break;
        }
    }
    if (addedKeyDown(p, key, shift)) return true;
    // The Ctrl-alone commands are ignored while the window is minimised.
    if (p.ui.frm0.windowState == 1 || shift != CTRL_BIT) return false;
    switch (key) {
        case 'A':
            frm0_MenuEvent(p, CMD_AUTOSAVE);
            return true;
        case 'B':
            frm0_MenuEvent(p, CMD_CONFIRM_QUIT);
            return true;
        case 'O':
            frm0_MenuEvent(p, CMD_LOAD);
            return true;
        case 'S':
            frm0_MenuEvent(p, CMD_SAVE);
            return true;
        case 'T':
            frm0_MenuEvent(p, CMD_EXPORT);
            return true;
        case 'U':
            frm0_MenuEvent(p, CMD_SAVE_AS);
            return true;
        case 'Z':
            frm0_MenuEvent(p, CMD_ROW_CHANGE);
            return true;
        default:
            return false;
    }
}

}  // namespace kx
