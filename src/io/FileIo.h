#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kx {

using Bytes = std::vector<std::uint8_t>;

bool fileExists(const std::string& path);

// Replaces the file as a whole: the bytes go to a temporary file beside it,
// are flushed to disk, and only then take the old file's name. A crash in
// between leaves the previous file as it was. Returns false on any failure.
bool writeFileAtomically(const std::string& path, const Bytes& bytes);

// The whole file, or nothing when it cannot be read.
std::optional<Bytes> readWholeFile(const std::string& path);

// The folder for the program's own files: the program's folder when files
// can be written there, otherwise the user's data folder (created when
// missing). Both arguments and the result end with a separator.
std::string chooseFilesFolder(const std::string& programFolder, const std::string& userDataFolder);

}  // namespace kx
