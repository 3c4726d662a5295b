#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/PadState.h"
#include "core/Services.h"

namespace kx {

struct Program;

// The journal ("Protokoll") of a pad: every change as a line with its time, in
// words a player reads ("20:14 Spiel 7: Anna / Carla gewinnen 4", "21:02
// Korrektur Spiel 5: Punkte 3 → 5", "Rückgängig: Spiel 9"). It travels with
// the pad in its file. Undo does not take lines back: it adds one.
//
// Lines are made from what a recorded step changed (see recordStep), so every
// way of changing the pad (panel, quick entry, correction, rename, load,
// undo, redo) writes its line without knowing of the journal.

enum class JournalKind : int {
    Entry = 1,       // a game, solo or penalty entered
    Correction = 2,  // the points or players of an entered row changed
    Rename = 3,
    Load = 4,
    Undo = 5,
    Redo = 6,
    TakeBack = 7,  // a correction taken back from the journal
    Rules = 8,     // a house rule changed
};

struct JournalLine {
    LocalTime time;
    JournalKind kind = JournalKind::Entry;
    int row = 0;  // the pad row the line is about; 0 for none
    // A correction or take-back: the row's value (or, when `players`, its
    // player cell: a single player or 10 × first + second) before and after.
    bool players = false;
    int before = 0;
    int after = 0;
    std::string text;  // without the time

    // "20:14 Spiel 7: Anna / Carla gewinnen 4".
    std::string shown() const;
};

using Journal = std::vector<JournalLine>;

// The journals of every pad of this run, one per pad that was started or
// loaded. The pad state names its journal by number, so undoing a "Laden"
// or "Neuer Block" brings back the earlier pad's journal with it.
class Journals {
  public:
    // A new, empty journal, and its number.
    int fresh();
    Journal& of(int id);
    const Journal& of(int id) const;

  private:
    std::vector<Journal> journals_{Journal{}};  // 0: before the first pad
};

// The journal of the open pad.
Journal& journalOf(Program& p);
const Journal& journalOf(const Program& p);

// A recorded step changed the pad from `before` to the open pad: adds its lines.
void noteChange(Program& p, const std::string& label, const PadState& before);
// A pad was loaded ("Laden", or the pad named on the command line): "Block geladen".
void noteLoaded(Program& p);
// Undo or redo of the step named `label` has put its other side back.
void noteUndo(Program& p, const std::string& label, bool redo);
// A house rule changed ("Hausregel: Bock nach verlorenem Solo an").
void noteLine(Program& p, JournalKind kind, const std::string& text, int row = 0);

// "Spiel 7", "Solo 2", "Strafpunkte 1": how the journal names a row.
std::string rowName(const PadState& pad, int row);
// "Spiel 7: Anna / Carla gewinnen 4": an entered row as its journal line
// says it, with the players' names of now.
std::string entryText(const PadState& pad, int row);

// Whether a correction line can be taken back now, and if not why (German).
// A row corrected again later, a row no longer holding what the correction
// left, and any line that is no correction cannot.
struct TakeBackCheck {
    bool possible = false;
    std::string reason;
};
TakeBackCheck canTakeBack(const Program& p, std::size_t line);
// Applies the reverse correction of the journal's line `line` as a new step
// ("Zurücknahme Spiel 5") with its own line. False when it cannot (a message
// says why when dialogs are there).
bool takeBack(Program& p, std::size_t line);

// The journal as text, one shown line per line, for "--protokoll" and printing.
std::string journalText(const Journal& journal);
// Whether the journal holds a correction (the sheet prints it then).
bool hasCorrections(const Journal& journal);

}  // namespace kx
