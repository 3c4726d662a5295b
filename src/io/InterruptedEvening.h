#pragma once

#include <optional>
#include <string>

#include "core/Services.h"

namespace kx {

struct Program;

// An evening that ended without a normal quit (a crash, a kill, a power cut)
// is offered back at the next start. A small marker file beside the autosave,
// "autosave.offen" (or "autosave-2.offen" … for further running copies), says
// that the autosave belongs to a run that has not ended: the first autosave
// of a run writes it, a normal quit removes it.

std::string runMarkerPath(const Program& p);
// After an autosave was written: marks the run's evening as running, once.
void markEveningRunning(Program& p);
// A normal quit (menu, Ctrl+Q, close box): nothing to offer at the next start.
void markEveningClosed(Program& p);

// What the question names: the entries of the autosave and when it was last changed.
struct InterruptedEvening {
    int entries = 0;
    std::optional<LocalTime> lastChange;
};
// "Der letzte Abend wurde nicht ordentlich beendet (17 Spiele, zuletzt um 22:41). Weiterspielen?"
std::string interruptedEveningQuestion(const InterruptedEvening& evening);

// At start-up, once this copy's files are claimed. When the marker is there
// and the autosave holds a running evening (entries, not complete), asks once
// whether to play on: Yes loads the autosave as "Laden" would (it counts as
// unsaved); otherwise the autosave is kept among the earlier states before
// anything can overwrite it. With `ask` false (a pad file was given to open)
// it is only kept. Returns whether the evening was loaded.
bool offerInterruptedEvening(Program& p, bool ask);

}  // namespace kx
