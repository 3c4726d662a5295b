#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "view/Tracked.h"

namespace kx {

enum class ControlKind { OptionButton, PushButton, Label, DropDown, TextField, CheckBox };

// How a control is drawn; the program logic never looks at it.
enum class Look {
    Panel,       // entry panel controls and their captions
    Heading,     // "Sp" and "Pk" over the pad
    NameField,   // player names over the columns
    RowLabel,    // row numbers "1", "S1", "StP"
    RowInfo,     // who played and for how much
    PlayerCell,  // running totals
    Total,       // grand totals
};

// One control of the main window as plain data: what the user sees of it and
// whether it can be used. The Qt shell creates one widget per control and
// mirrors this state into it after every handler.
struct Control {
    std::string name;
    int index = 0;  // position in its control array, from 1; 0 for a single control
    ControlKind kind = ControlKind::Label;
    Look look = Look::Panel;
    // What can change once the control exists is tracked (view/Tracked.h),
    // so that an undo step keeps only the fields a change altered.
    Tracked<Rect> rect;
    Tracked<std::string> text;  // caption, label text or field text (UTF-8)
    // A short second text at the label's left edge, in a quieter ink: the
    // place ("1.") beside a total, or "B" beside a Bock game's points, so that
    // neither rests on colour alone.
    Tracked<std::string> mark;
    Tracked<std::vector<std::string>> items;  // drop-down lists
    Tracked<int> selection = -1;              // selected list item, -1 for none
    Tracked<bool> checked = false;            // option buttons
    Tracked<bool> visible = true;
    Tracked<bool> enabled = true;
    Tracked<std::optional<Rgb>> background;

    // "WER1_17" for array elements, "OKB" for single controls.
    std::string objectName() const;
    bool usable() const { return visible && enabled; }
    bool operator==(const Control&) const = default;
};

// Controls sharing one name, addressed from 1 like the handlers' index.
class ControlArray {
  public:
    Control& operator()(int k) { return items_.at(static_cast<std::size_t>(k - 1)); }
    const Control& operator()(int k) const { return items_.at(static_cast<std::size_t>(k - 1)); }
    int size() const { return static_cast<int>(items_.size()); }
    // Adding may move the array's controls; controlsAdded() counts the additions.
    Control& add(Control c);
    static unsigned controlsAdded();
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::vector<Control> items_;
};

struct StatusPanel {
    Tracked<std::string> text;
    int width = 0;
    bool fillsRest = false;  // takes whatever width the others leave
    bool clock = false;      // shows the time of day, kept current by the shell
    // The text is set to fit the panel's width (a narrower font) rather than
    // cut, so that the panel keeps its width and no other panel moves.
    bool fitsText = false;
};

// Unused: a command number that no entry has (between the added menus).
enum class MenuRole { Title, Command, Separator, End, Unused };

struct MenuEntry {
    MenuRole role = MenuRole::Command;
    std::string caption;
    std::string hint;  // shortcut hint shown right-aligned, e.g. "^O"
    bool enabled = true;
    bool checked = false;
    bool checkable = false;
};

// The 25 entries of the original menu keep their numbers 0..24; entries that
// Kartotrix adds have numbers from 25 on.
inline constexpr int MENU_ENTRY_COUNT = 25;
inline constexpr int STATUS_PANEL_COUNT = 8;

struct MainWindowState {
    std::string caption;
    Rect frame;  // outer rectangle on the screen
    bool enabled = true;
    bool shown = false;
    int windowState = 0;  // 0 normal, 1 minimised, 2 maximised
};

// The one-line quick-entry field ("Schnelleingabe"). The skin shows it while
// it is open, over the lower edge of the pad, with the preview of what Enter
// would enter (see view/QuickEntry.h).
struct QuickEntryField {
    bool open = false;
    std::string text;  // UTF-8
};

// The main window as data: every control of the entry panel and of the pad,
// the eight status panels and the 25 menu entries. Handlers read and change
// this model and the pad state, nothing else; the shell mirrors it on screen.
// buildControls creates the controls once; afterwards they are only moved,
// filled, shown, hidden, enabled and disabled, so references stay valid.
struct WindowModel {
    MainWindowState frm0;

    ControlArray MDS;
    Control OKB;
    Control lb1, lb2, lb3, lb4, lb5, lb6;
    ControlArray WER1;
    Control WAS1, WAS1s;
    ControlArray WER2;
    Control WAS2, WIE2;
    ControlArray WER3;
    Control SPF, PKF;
    ControlArray NMS;
    ControlArray CNT, SPL, PKT;
    std::array<ControlArray, 7> SP;  // SP[1]..SP[6], one array per player column
    ControlArray SPsum;
    // "Bock" on the entry panel: marks the entry being made as a trigger of a
    // Bock round. Shown while the pad's house rules let Bock be marked by hand.
    Control BOCK;

    std::array<StatusPanel, STATUS_PANEL_COUNT + 1> STB;  // panels 1..8
    std::vector<MenuEntry> menu;                          // indexed by command number
    QuickEntryField quickEntry;
    // The pad row of the line selected in the window "Protokoll", shaded on
    // the pad while that window is open; 0 for none. Never part of an undo
    // step (see view/History.h): it belongs to the open window, not the pad.
    int highlightedRow = 0;
    // What the name fields offer while the user types, most recent first
    // (io/NameSuggestions.h).
    std::vector<std::string> nameSuggestions;

    // Every control in creation order.
    std::vector<Control*> controls();
    Control* find(const std::string& objectName);

    void setStatus(int panel, std::string text) {
        STB.at(static_cast<std::size_t>(panel)).text = std::move(text);
    }
    const std::string& status(int panel) const {
        return STB.at(static_cast<std::size_t>(panel)).text;
    }
};

// Option groups are exclusive: checking one choice unchecks the others.
void checkOption(ControlArray& group, int k);
void uncheckAll(ControlArray& group);
// The checked choice, or 0.
int checkedOption(const ControlArray& group);

}  // namespace kx
