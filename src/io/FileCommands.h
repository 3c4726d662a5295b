#pragma once

#include <string>

#include "core/Services.h"
#include "io/FileIo.h"

namespace kx {

struct Program;

inline constexpr const char* LOAD_ERROR_NOT_FOUND = "Fehler beim Laden. Datei nicht gefunden.";
inline constexpr const char* SAVE_ERROR_CANCELLED =
    "Fehler beim Speichern. Datei nicht gespeichert.";

// "Laden" (mode 1) and "Speichern unter" (mode 2) through the file dialogs.
void fileCommand(Program& p, int mode);

// The pad named on the command line, read at start-up as "Laden" reads it,
// with "Block geladen" in its journal. Returns the German reason when it is
// missing or refused; the program then starts without a pad.
std::string loadPadAtStart(Program& p, const std::string& path);

// "Speichern": the program's folder, "save", the date as DD-MM-YYYY, the hour
// and the minute, e.g. "save07-12-2026_9_5.hsc".
std::string stampedFileName(const std::string& folder, const LocalTime& time);
// When the files go to the user's data folder, the first "Speichern" of a run
// tells where the pad went (savedWhereText).
void saveStamped(Program& p);
std::string savedWhereText(const std::string& folder, const std::string& fileName);

// Writes the pad; a failure is reported with the file's name and the reason.
bool savePadAs(Program& p, const std::string& path, LinkRule links = LinkRule::Follow);

}  // namespace kx
