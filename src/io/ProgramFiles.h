#pragma once

#include <memory>
#include <string>

#include "io/FileSystem.h"

namespace kx {

struct Program;

// The locks by which a running copy of the program claims its files in the
// program's folder. Held for the whole run; the operating system drops them
// when the program ends in any way, so a crashed copy leaves nothing that
// blocks the next one.
struct ProgramFilesClaim {
    std::unique_ptr<FileLock> running;   // shared by every copy that runs
    std::unique_ptr<FileLock> autosave;  // this copy's autosave name
    // Shown once at start-up when another copy already uses "autosave.hsc".
    std::string notice;
};

// Claims the autosave files for this copy: "autosave.hsc" and "autosave.txt"
// when no other copy holds them, otherwise the first free "autosave-2",
// "autosave-3", … (sets p.shell.autosaveBase). When no other copy runs, the
// temporary files of a save that was interrupted are removed first.
ProgramFilesClaim claimProgramFiles(Program& p);

}  // namespace kx
