#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Reckoning.h"

namespace kx {

struct Program;
struct PadState;
struct WindowModel;

// Quick entry ("Schnelleingabe"): a whole entry typed as one line. Blanks (and
// "/") separate the parts; players are given by number or by the start of
// their name, case-insensitive and unambiguous:
//   "1 2 3", "anna bert 3"  the pair 1 / 2 won 3 (a normal game, 0..18)
//   "2 -9"                  player 2 alone, -9 (a multiple of 3, ±3..±39)
//   "s 3 6", "s 3 -6 2"     the mandatory solo of player 3, with solo dealer 2
//   "p 4", "x 4"            a penalty for player 4
// "s", "p" and "x" are keywords only as the whole first part.
//
// With the game value calculator's words after the players the line says how
// the game went, and the entry gets the game value by the pad's house rules:
//   "1 2 re 160 k90 fuchs"  Re were 1 / 2, with 160 card points ("Augen")
//   "2 r60 190"             player 2 alone as Re: the value counts three times
//   "s 3 130a g2"           the mandatory solo of player 3, solo dealer 2
// The words, in any order and case:
//   re, kontra                         "Re" or "Kontra" announced
//   r90 r60 r30 rs, k90 k60 k30 ks     Re's or Kontra's highest absage (s: schwarz);
//                                      it includes the lower ones and the announcement
//   160, 160a                          Re's card points, 0..240; Kontra has the rest
//   ohne                               the party with 0 card points took no trick
//   fuchs dk karlchen                  Re's extra points (a fox caught, a Doppelkopf,
//   kfuchs kdk kkarlchen               Karlchen), Kontra's with "k"; once per point made
//   karlfang dulle fuchsletzt          the private extra points (Karlchen caught, Dulle
//   kkarlfang kdulle kfuchsletzt       caught, fox in the last trick), Re's and Kontra's;
//                                      an extra point the pad's house rules do not count
//                                      is refused with their name
//   g2, gbert                          the solo dealer at 5 or 6 players
// A number alone after the players stays today's points ("1 2 3"); as card
// points it needs another word or the "a" ("1 2 160a"). A player whose name
// starts like one of the words is given by number there. Enter enters the
// pair that gains (Re's, or the other two taking part when Kontra gains) or
// the single player's threefold value, also beyond the panel's lists (a pair
// 0..18, alone ±3..±39), and the row keeps the calculator's inputs.
//
// Enter makes the entry with the entry panel's own user actions, so every rule
// and every refusal is the panel's. The preview runs those actions on a copy
// of the program and says what Enter will enter, or why it cannot.

enum class QuickKind { Pair, Single, Solo, Penalty };

struct QuickEntry {
    QuickKind kind = QuickKind::Pair;
    int player = 0;   // first winner, the single player, the soloist or the penalised player
    int partner = 0;  // second winner of a pair (higher number)
    int value = 0;
    int dealer = 0;                          // solo dealer, 0 when none was given
    std::string reckoning = {};              // the calculator's items in short, for the preview
    std::optional<Reckoning> reckoned = {};  // the calculator's inputs, kept with the row
    bool operator==(const QuickEntry&) const = default;
};

// Either an entry or why the text is not one (German).
struct QuickParse {
    std::optional<QuickEntry> entry;
    std::string error;
};
QuickParse parseQuickEntry(const PadState& pad, std::string_view text);

// One user action on the panel: an option group and its choice, a list and
// the item's text, a value beyond the lists (BEYOND_LISTS with the value as
// its item, see chooseValueBeyondList), or "OK".
inline constexpr const char* BEYOND_LISTS = "beyond";
struct PanelAction {
    std::string control;  // "MDS", "WER1", "WER2", "WER3", "WAS1", "WAS1s", "WAS2", "WIE2", "OK"
    int choice = 0;
    std::string item;
    bool operator==(const PanelAction&) const = default;
};
// The actions the panel takes for an entry; the WER1 choice is found by its caption.
std::vector<PanelAction> panelActions(const WindowModel& ui, const QuickEntry& entry);

struct QuickPreview {
    bool admissible = false;
    std::string text;  // "Spiel 8: Anna / Bert gewinnen 3" or the reason it cannot be entered
};
QuickPreview previewQuickEntry(const Program& p, std::string_view text);

// Makes the entry the text describes; nothing changes when it is not admissible.
bool enterQuickEntry(Program& p, std::string_view text);

// Whether a key typed outside the name fields opens quick entry with it: a
// letter or digit without Ctrl or Alt.
bool opensQuickEntry(std::string_view typed, int shift);

// The field in the window model.
void openQuickEntry(Program& p, std::string text);
void quickEntryEdited(Program& p, std::string text);
// Enter: makes the entry; the field then stays open and empty. An entry that
// cannot be made changes nothing and keeps the text. True when entered.
bool quickEntryEnter(Program& p);
// Escape: closes the field without entering anything.
void closeQuickEntry(Program& p);

}  // namespace kx
