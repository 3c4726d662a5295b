#pragma once

#include <array>
#include <string_view>

namespace kx {

struct Program;

// Handlers of the entry panel. Each runs after the user's action has already
// changed the control (a choice checked, a list item selected, a name typed);
// see view/UserActions.h for the functions that do both.
void MDS_Click(Program& p, int index);
void WER1_Click(Program& p, int index);
void WER2_Click(Program& p, int index);
void WER3_Click(Program& p, int index);
void WAS1_Click(Program& p);
void WAS1s_Click(Program& p);
void WAS2_Click(Program& p);
void WIE2_Click(Program& p);
void NMS_Change(Program& p, int index);

// The largest value the panel's lists hold: a pair wins 0..18, one player
// alone or a soloist a multiple of 3 within ±39.
inline constexpr int LARGEST_LISTED_PAIR_VALUE = 18;
inline constexpr int LARGEST_LISTED_SINGLE_VALUE = 39;

// Chooses a value beyond the lists for the players already chosen (the value
// calculator and quick entry make such games: a pair worth 19..999, one
// player alone or a soloist worth a multiple of 3 beyond ±39 up to ±999), so
// that "OK" enters it as any other. False, with nothing changed, when no
// players are chosen or the value is within the lists or not admissible.
bool chooseValueBeyondList(Program& p, int value);

// Clears every choice of the panel and the six chosen values.
void clearEntry(Program& p);
// Shows the "Bock" box while the pad's house rules let a game be marked by
// hand, usable for a game or a solo that can still be entered; its tick is
// the pad's chosen mark and goes when the box cannot be used.
void showBockChoice(Program& p);
// Enables or disables the six WER1 choices that involve the player.
void enablePlayerChoices(Program& p, int player, bool enable);
// Brings the panel to the state of a new pad for n players.
void resetEntryPanel(Program& p, int n);

// A section of the pad is full: its mode is disabled and its choices leave the panel.
void closeGameSection(Program& p);
void closeSoloSection(Program& p);
void closePenaltySection(Program& p);

// The WER1 choices (pairs and the single player) that involve a player 1..6.
const std::array<int, 6>& playerChoices(int player);

// The whole number a caption, list item or typed answer starts with, rounded
// to the nearest integer ("-27" gives -27, "2 / 5" gives 2); 0 when the text
// does not start with a number.
int textValue(std::string_view text);

}  // namespace kx
