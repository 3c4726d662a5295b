#include "view/Commands.h"

#include <algorithm>
#include <string>

#include "core/Program.h"
#include "io/FileCommands.h"
#include "io/TextExport.h"
#include "view/Extras.h"
#include "view/History.h"
#include "view/PadLayout.h"
#include "view/QuickEntry.h"
#include "view/SecondaryWindows.h"

namespace kx {

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
    {CMD_EDIT_END, ""},
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
    if (titleNext) entry.role = MenuRole::Title;
    else if (text == "'-'") entry.role = MenuRole::Separator;
    titleNext = false;
    return entry;
}

}  // namespace

void buildMenu(WindowModel& ui) {
    int size = MENU_ENTRY_COUNT;
    for (const AddedMenuText& added : addedMenuTexts) size = std::max(size, added.command + 1);
    MenuEntry unused;
    unused.role = MenuRole::Unused;
    ui.menu.assign(static_cast<std::size_t>(size), unused);
    bool titleNext = true;
    for (std::size_t i = 0; i < menuTexts.size(); ++i) ui.menu[i] = menuEntry(menuTexts[i], titleNext);
    titleNext = true;
    for (const AddedMenuText& added : addedMenuTexts)
        ui.menu[static_cast<std::size_t>(added.command)] = menuEntry(added.text, titleNext);
    for (int k : {CMD_SAVE, CMD_SAVE_AS, CMD_EXPORT}) ui.menu[static_cast<std::size_t>(k)].enabled = false;
    enablePadExtras(ui, false);
    for (int k : {CMD_ROW_CHANGE, CMD_AUTOSAVE, CMD_CONFIRM_QUIT}) {
        ui.menu[static_cast<std::size_t>(k)].checkable = true;
        ui.menu[static_cast<std::size_t>(k)].checked = true;
    }
    // Nothing to undo or redo yet.
    for (int k : {CMD_UNDO, CMD_REDO}) ui.menu[static_cast<std::size_t>(k)].enabled = false;
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
    const auto read = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            const MenuEntry& entry = ui.menu[static_cast<std::size_t>(i)];
            if (entry.role == MenuRole::Unused) continue;
            if (entry.role == MenuRole::Title) keepMenu();
            menu.push_back(i);
            hasCommand = hasCommand || entry.role == MenuRole::Command;
        }
        keepMenu();
    };
    read(0, HELP_MENU);
    read(MENU_ENTRY_COUNT, static_cast<int>(ui.menu.size()));
    read(HELP_MENU, MENU_ENTRY_COUNT);
    return order;
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
    const std::string count = entries == 1 ? "1 Eintrag, der" : std::to_string(entries) + " Eintr\xC3\xA4ge, die";
    const std::string text = "Der laufende Block hat " + count + " noch nicht gespeichert " +
                             (entries == 1 ? "ist" : "sind") + ". Trotzdem " +
                             (forLoad ? "einen anderen Block laden?" : "einen neuen Block beginnen?");
    return p.services.dialogs->messageBox(text, "Kartotrix", MessageButtons::YesNo, MessageIcon::Question) ==
           MessageAnswer::Yes;
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
    if (replacesPad && !confirmDiscard(p, command == CMD_LOAD)) return;
    switch (command) {
        case CMD_LOAD: recordChange(p, "Laden", [&p] { fileCommand(p, 1); }); break;
        case CMD_SAVE: saveStamped(p); break;
        case CMD_SAVE_AS: fileCommand(p, 2); break;
        case CMD_EXPORT: exportText(p, ""); break;
        case CMD_QUIT: quitCommand(p); break;
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
        case CMD_ROW_CHANGE: toggle(p, p.pad.rowChangeEnabled, CMD_ROW_CHANGE); break;
        case CMD_AUTOSAVE: toggle(p, p.pad.autosaveEnabled, CMD_AUTOSAVE); break;
        case CMD_CONFIRM_QUIT: toggle(p, p.pad.confirmQuit, CMD_CONFIRM_QUIT); break;
        case CMD_HELP: showHelp(p); break;
        case CMD_ABOUT: showModal(p, SecondaryWindow::About); break;
        case CMD_UNDO: undoChange(p); break;
        case CMD_REDO: redoChange(p); break;
        case CMD_QUICK_ENTRY: openQuickEntry(p, ""); break;
        default:
            if (isExtrasCommand(command)) extrasCommand(p, command);
            break;
    }
}

bool frm0_KeyDown(Program& p, int key, int shift) {
    if (!p.ui.frm0.enabled) return false;
    if (shift > SHIFT_BIT) {
        switch (key) {
            case 'Q': frm0_MenuEvent(p, CMD_QUIT); return true;
            case 'V': frm0_MenuEvent(p, CMD_ABOUT); return true;
            case 'H': frm0_MenuEvent(p, CMD_HELP); return true;
            default: break;
        }
    }
    // Added keys; none of them is a key of the table below.
    if (key == KEY_BACKSPACE && shift == ALT_BIT) {
        frm0_MenuEvent(p, CMD_UNDO);
        return true;
    }
    if (key == 'Y' && shift == CTRL_BIT) {
        frm0_MenuEvent(p, CMD_REDO);
        return true;
    }
    if (key == KEY_F2 && shift == 0) {
        frm0_MenuEvent(p, CMD_QUICK_ENTRY);
        return true;
    }
    // The Ctrl-alone commands are ignored while the window is minimised.
    if (p.ui.frm0.windowState == 1 || shift != CTRL_BIT) return false;
    switch (key) {
        case 'A': frm0_MenuEvent(p, CMD_AUTOSAVE); return true;
        case 'B': frm0_MenuEvent(p, CMD_CONFIRM_QUIT); return true;
        case 'O': frm0_MenuEvent(p, CMD_LOAD); return true;
        case 'S': frm0_MenuEvent(p, CMD_SAVE); return true;
        case 'T': frm0_MenuEvent(p, CMD_EXPORT); return true;
        case 'U': frm0_MenuEvent(p, CMD_SAVE_AS); return true;
        case 'Z': frm0_MenuEvent(p, CMD_ROW_CHANGE); return true;
        default: return false;
    }
}

}  // namespace kx
