#pragma once

#include <string>

#include "io/FileIo.h"
#include "io/FileSystem.h"

namespace kx {

struct Program;

// The text of one table cell: empty for an empty cell, else the plain number.
std::string formatCell(int cell);

// The pad as tab-separated 8-bit text with CR LF line ends.
Bytes exportBytes(const Program& p);

// Writes the export; an empty name means autosave.txt in the program's
// folder. A file that cannot be written is reported to the user.
FileResult exportText(Program& p, const std::string& name);
std::string exportPath(const Program& p, const std::string& name);

}  // namespace kx
