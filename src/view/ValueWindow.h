#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/GameValue.h"
#include "view/QuickEntry.h"
#include "view/WindowModel.h"

namespace kx {

struct Program;
struct ScreenMetrics;

// The window "Spielwert" (F3, menu "Bearbeiten"): the game value calculator
// with the inputs a card player knows from the table, beside the pad. It is
// a model in the logic: what the user entered (ValueInputs), the window's
// fields as plain data (ValueWindowView) and what "Übernehmen" does. Each
// skin creates one native control per field, mirrors the view into them and
// hands every change back through valueWindowInput.
//
// "Übernehmen" makes the entry panel's choices for the game with the panel's
// own user actions (mode, winners or soloist, value, and for a mandatory solo
// at 5 and 6 players its dealer), so that "OK" enters it with every rule of
// the panel in force; the row then keeps the inputs. It never presses "OK".

// "Normalspiel" (Re is a pair), "Solo" (one player alone in the normal games,
// after his mandatory solo) and "Pflichtsolo".
enum class ValueKind { Game = 1, Single = 2, MandatorySolo = 3 };

// What the user has entered. Every entry of the pad starts the window afresh.
struct ValueInputs {
    ValueKind kind = ValueKind::Game;
    std::vector<int> re;  // Re's players in the order ticked: two, or the soloist
    int dealer = 0;       // the mandatory solo's dealer, asked at 5 and 6 players
    GamePlay play;        // play.solo follows the kind
    // The pad these inputs are for: player count, next rows and dealer.
    std::array<int, 4> padMark{};
    bool operator==(const ValueInputs&) const = default;
};

// The kinds of field a skin shows. Check and Choice have the value 0 or 1,
// Number the number, List the selected item (-1 for none); Text is a
// read-only box of several lines, Label one line.
enum class FieldKind { Label, Choice, Check, Number, List, Text, Button };

struct ValueField {
    std::string name;  // "augen_re", "re_3", "uebernehmen"
    FieldKind kind = FieldKind::Label;
    std::string
        text;   // caption or shown text (UTF-8); a number's or list's name for screen readers
    Rect rect;  // in the client area, pixels of a 96-dpi screen
    bool visible = true;
    bool enabled = true;
    int value = 0;
    int minimum = 0, maximum = 0;    // Number
    std::vector<std::string> items;  // List
    bool warning = false;            // a Label saying why "Übernehmen" cannot be used
    bool operator==(const ValueField&) const = default;
};

struct ValueWindowView {
    int width = 0;  // the client area, pixels of a 96-dpi screen
    int height = 0;
    std::vector<ValueField> fields;  // in the order of the keyboard's Tab key
    const ValueField* field(const std::string& name) const;
};

inline constexpr const char* VALUE_WINDOW_TITLE = "Spielwert";

// The inputs when the window opens: the panel's mode decides between a
// normal game and a mandatory solo; no players ticked; Re with 121 card points.
ValueInputs valueWindowOpened(const Program& p);
// After anything changed the pad: inputs for another game or another pad
// start afresh; a kind the pad no longer offers gives way. True when the
// inputs were started afresh.
bool valueWindowFollowPad(const Program& p, ValueInputs& in);

// Whether the pad offers a kind now: a normal game while normal games remain,
// "Solo" when one of the players may also play alone (after his mandatory
// solo), "Pflichtsolo" while mandatory solos remain. Without a pad every kind
// may be reckoned, but nothing taken over.
bool valueKindOffered(const Program& p, ValueKind kind);
// Whether a player may be ticked for Re: he takes part in the next game (not
// the dealer at 5 and 6 players, nor the seat before him at 6), for "Solo"
// he may play alone, for "Pflichtsolo" he has not yet played his.
bool mayPlayRe(const Program& p, const ValueInputs& in, int player);
// The players of Kontra: those who take part and are not Re. For a mandatory
// solo at 5 and 6 players, those who sit out with the chosen dealer are left
// out; before a dealer is chosen, only Re is.
std::vector<int> kontraPlayers(const Program& p, const ValueInputs& in);

ValueWindowView valueWindowView(const Program& p, const ValueInputs& in);
// The user changed field `name` to `value` (see FieldKind). A field that is
// hidden or disabled, and an unknown name, change nothing.
void valueWindowInput(const Program& p, ValueInputs& in, const std::string& name, int value);

// The game value and what "Übernehmen" does. A value beyond the panel's lists
// is the action BEYOND_LISTS (chooseValueBeyondList).
struct ValueTakeOver {
    GameValue value;
    std::vector<PanelAction> actions;  // empty when it cannot be taken over
    std::string entry;                 // what the panel will hold, or why it cannot (German)
};
ValueTakeOver valueTakeOver(const Program& p, const ValueInputs& in);
// "Übernehmen": the panel's choices for the game, and the inputs go with the
// entry "OK" makes (the row keeps its reckoning) unless the user changes a
// choice first. False, with nothing changed, when the inputs cannot be taken
// over.
bool takeOverValue(Program& p, const ValueInputs& in);

// Where the window's frame (width × height) goes: beside the main window's
// frame, right of it when there is room, else left of it, else at the right
// edge of the work area, where it covers the pad's last columns and never
// the entry panel with its "OK"; never outside the work area.
Rect valueWindowPlace(const Rect& mainFrame, int width, int height, const ScreenMetrics& m);

// The skin's window. With none, the command tells the user it is not offered.
class ValueWindowHost {
  public:
    virtual ~ValueWindowHost() = default;
    // Opens the window, or brings it to the front when it is open.
    virtual void showValueWindow(Program& p) = 0;
};

// "Spielwert berechnen…".
void valueWindowCommand(Program& p);

}  // namespace kx
