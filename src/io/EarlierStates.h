#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/PadState.h"
#include "core/Services.h"
#include "io/FileSystem.h"

namespace kx {

struct Program;

// Earlier states of each evening, kept besides the autosave in the folder
// "Sicherungen" of the program's files: after an entry or change at most one
// a minute, and always the last state before a command replaces the pad. The
// folder is rotated so that it keeps at most MAX_KEPT_STATES files and
// MAX_KEPT_STATE_BYTES, oldest first, but never a state of the open evening
// that is younger than a day. Like the autosave they are written only while
// the option "Autosave" is on.

inline constexpr const char* STATES_FOLDER_NAME = "Sicherungen";
inline constexpr std::size_t MAX_KEPT_STATES = 200;
inline constexpr std::uint64_t MAX_KEPT_STATE_BYTES = 5 * 1024 * 1024;
inline constexpr long long SECONDS_BETWEEN_STATES = 60;
inline constexpr long long OPEN_EVENING_KEPT_SECONDS = 24 * 60 * 60;

// What a run remembers of the states it kept.
struct KeptStates {
    std::optional<long long> lastAt;  // when the last one was kept (stateSeconds)
    // Its pad: a pad whose rows, names and counters have not changed since is
    // not kept again (a line added to its journal alone is no new state).
    std::optional<PadState> last;
    bool failureReported = false;  // reported once, again after one was written
    bool runMarked = false;        // the marker of a running evening is written
};

// A state's file name says when it was kept and when its evening began
// (the pad's start time): "2026-12-07_22-41-05_Abend-20-14-05.hsc". A
// second state in the same second gets "_2" … "_9" before ".hsc".
struct StateName {
    LocalTime kept;
    int eveningStart = 0;  // seconds since midnight
    int sequence = 1;
};
std::string stateFileName(const StateName& name);
std::optional<StateName> parseStateFileName(const std::string& fileName);

// Seconds since 1 January 1970 of a local time, counting every day as 86400
// seconds: enough to compare the ages of states.
long long stateSeconds(const LocalTime& t);

// Whether a state is kept now: before a replacing command always, after a
// change only when the last one is at least a minute old (or lies in the
// future, after the clock was set back).
bool stateDue(const std::optional<long long>& lastAt, long long now, bool beforeReplace);

// A state found in the folder.
struct StoredState {
    std::string fileName;
    StateName name;
    std::uint64_t size = 0;
};
// The files to remove so that the folder keeps the limits, oldest first;
// `openEvening` is the start time of the open pad, if one is open.
std::vector<std::string> statesToRemove(std::vector<StoredState> states, const LocalTime& now,
                                        const std::optional<int>& openEvening,
                                        std::size_t maxFiles = MAX_KEPT_STATES,
                                        std::uint64_t maxBytes = MAX_KEPT_STATE_BYTES);

// The folder of the states, with its trailing separator.
std::string statesFolder(const Program& p);
// The states in the folder, newest first.
std::vector<StoredState> storedStates(FileSystem& fs, const std::string& folder);

// After an entry or change (called with every autosave).
void keepStateAfterChange(Program& p);
// Before "Laden", "4/5/6 Spieler", "Block löschen" and a restore replace the pad.
void keepStateBeforeReplace(Program& p);
// Keeps a pad file's bytes as the state of `kept` (the autosave of an
// interrupted evening); false when it could not be written.
bool keepPadBytes(Program& p, const Bytes& bytes, const LocalTime& kept, int eveningStart);

}  // namespace kx
