#pragma once

#include <string>
#include <vector>

namespace kx {

struct Program;

// The window "Frühere Stände" as data: the earlier states of the evenings
// (io/EarlierStates.h), newest first, with when each was kept, its players,
// how many games it holds and its totals; one of them shown as a preview;
// and "Wiederherstellen", which loads the chosen one as "Laden" does. A skin
// shows the rows and the preview and forwards the selection and the button.

struct StateRow {
    std::string path;
    std::string time;     // "07.12.2026 22:41"
    std::string players;  // "Anna, Bert, Carla, Dieter"
    std::string games;    // the entries: "17"
    std::string totals;   // "12 / -4 / 0 / -8"
    std::string problem;  // why the file cannot be loaded; empty when it can
};

struct StatesWindow {
    std::vector<StateRow> rows;
    int selected = -1;
    // The selected state: its entered rows and totals, or why it cannot be
    // loaded, or what the list being empty means.
    std::vector<std::string> preview;
    bool canRestore() const;
};

extern const char* const STATES_TITLE;       // "Frühere Stände"
extern const char* const STATES_COLUMNS[4];  // "Zeit", "Spieler", "Spiele", "Stand"
extern const char* const STATES_RESTORE;     // "Wiederherstellen"

// Reads the folder; the newest state is selected and previewed.
StatesWindow statesWindow(Program& p);
void selectState(Program& p, StatesWindow& w, int index);
// Loads the selected state as "Laden" would: after the discard question, as
// one undoable step "Laden"; the pad counts as unsaved. The current pad is
// kept as an earlier state first. True when it was loaded (the window closes).
bool restoreState(Program& p, const StatesWindow& w);

// The menu entry "Frühere Stände…".
void earlierStatesCommand(Program& p);

}  // namespace kx
