#pragma once

#include <array>
#include <string>
#include <vector>

namespace kx {

struct Program;
struct WindowModel;

// The menu bar as one list: a title opens a menu, an empty text closes it,
// "'-'" is a separator; a tab separates a caption from its shortcut hint.
// An entry's index is its command number.
extern const std::array<const char*, 25> menuTexts;

// The menus Kartotrix adds ("Bearbeiten", "Ansicht", "Extras"), written like
// menuTexts but each with its command number, from 25 on: a text opens a menu
// when it is the first or follows an empty text; an empty text closes it.
// They stand in the menu bar between "Optionen" and "?".
struct AddedMenuText {
    int command;
    const char* text;
};
extern const std::vector<AddedMenuText> addedMenuTexts;

// The command numbers of the menu entries in the order the menu bar shows
// them: "Datei", "Block", "Optionen", the added menus in the order of
// addedMenuTexts, then "?". A menu without any command entry is left out.
std::vector<int> menuBarOrder(const WindowModel& ui);

enum MenuCommand {
    CMD_LOAD = 1,
    CMD_SAVE = 2,
    CMD_SAVE_AS = 3,
    CMD_EXPORT = 5,
    CMD_QUIT = 7,
    CMD_PAD4 = 10,
    CMD_PAD5 = 11,
    CMD_PAD6 = 12,
    CMD_CLEAR_PAD = 14,
    CMD_ROW_CHANGE = 17,
    CMD_AUTOSAVE = 18,
    CMD_CONFIRM_QUIT = 19,
    CMD_HELP = 22,
    CMD_ABOUT = 23,
    // "Bearbeiten"
    CMD_EDIT_MENU = 25,
    CMD_UNDO = 26,
    CMD_REDO = 27,
    CMD_QUICK_ENTRY = 29,
    CMD_JOURNAL = 45,  // "Protokoll…", listed after "Schnelleingabe"
    CMD_EDIT_END = 30,
    CMD_VALUE_WINDOW = 44,  // "Spielwert berechnen…", in "Bearbeiten"
    CMD_HOUSE_RULES = 47,   // "Hausregeln…", in "Bearbeiten"
    CMD_EARLIER_STATES = 48,
    // "Ansicht"
    CMD_ZOOM_IN = 32,
    CMD_ZOOM_OUT = 33,
    CMD_ZOOM_RESET = 34,
};

// Key codes are the platform's virtual-key codes: the letters A..Z are 65..90
// and the digits 48..57; these are the other keys the program knows. Each
// skin translates its toolkit's keys into them.
enum KeyCode {
    KEY_BACKSPACE = 0x08,
    KEY_TAB = 0x09,
    KEY_RETURN = 0x0D,
    KEY_ESCAPE = 0x1B,
    KEY_F1 = 0x70,
    KEY_F2 = 0x71,
    KEY_F3 = 0x72,
    KEY_F10 = 0x79,
    KEY_F11 = 0x7A,
    KEY_NUMPAD_ADD = 0x6B,
    KEY_NUMPAD_SUBTRACT = 0x6D,
    KEY_PLUS = 0xBB,   // the "+" key of the main block
    KEY_MINUS = 0xBD,  // the "-" key of the main block
};

// Shift bits of a key or mouse event.
enum ShiftBits { SHIFT_BIT = 1, CTRL_BIT = 2, ALT_BIT = 4 };

// Fills the menu model from menuTexts with its start-up states.
void buildMenu(WindowModel& ui);

// The letter of each menu entry that Alt (for a title) or the open menu (for
// an entry) reaches it by, as a byte offset into its caption; -1 for none.
// Indexed like WindowModel::menu. Titles never take Q, V or H, which are the
// Alt keys of "Beenden", "Über Kartotrix" and "Hilfe".
std::vector<int> menuMnemonics(const WindowModel& ui);
// The caption with "&" before its mnemonic (and any "&" of its own doubled),
// as menu bars of both skins write it.
std::string captionWithMnemonic(const std::string& caption, int mnemonic);

void frm0_MenuEvent(Program& p, int command);

// A key pressed anywhere in the main window: key code (letters 65..90) and
// shift bits. Returns true when the key ran a command.
bool frm0_KeyDown(Program& p, int key, int shift);

// Before a command replaces the open pad ("4/5/6 Spieler", "Block löschen",
// "Laden"): when the pad has entries that no "Speichern" or "Speichern
// unter" has written since the last entry or correction, asks whether to go
// on (No is the default). True when the command may go on.
bool confirmDiscard(Program& p, bool forLoad);
// While a name field has the focus, the editing keys belong to the field
// (Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z) and do not
// reach frm0_KeyDown; every other key acts as everywhere in the window.
bool nameFieldKeepsKey(int key, int shift);

// "Beenden": a close request that asks first when the option says so.
void quitCommand(Program& p);

}  // namespace kx
