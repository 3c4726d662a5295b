#pragma once

#include <optional>
#include <string>
#include <vector>

#include "io/FileSystem.h"

namespace kx {

// The outcome of a file operation: the step that failed and why.
struct FileResult {
    FileStep step = FileStep::Check;
    FileError error = FileError::None;
    explicit operator bool() const { return error == FileError::None; }
};

// Which targets a replace may write.
enum class LinkRule {
    Follow,  // a name the user chose: a link to a file replaces that file
    Refuse,  // a name the program makes up itself: never written through a link
};

// Replaces the file at `path` as a whole, so that it is either the new bytes
// or, after any failure, byte for byte what it was. The bytes go to a new
// temporary file beside the target, are written, flushed and synced; only
// then does the temporary file take the target's name, and the folder is
// synced so that the new name survives a power cut. Every step is checked;
// on a failure the temporary file is removed. A target that exists and is
// not a regular file (a folder, FIFO, device or socket) is refused before
// anything is written, and so is a link under LinkRule::Refuse.
FileResult replaceFile(FileSystem& fs, const std::string& path, const Bytes& bytes,
                       LinkRule links = LinkRule::Follow);

// Reads a regular file of at most `limit` bytes. A longer file is refused
// (FileError::TooLarge) without being read whole.
FileResult readFile(FileSystem& fs, const std::string& path, std::size_t limit, Bytes& out);

// Temporary files of a replace are called ".kx-XXXXXX.tmp" (earlier versions
// put the target's name in front; those are recognised too).
bool isTemporaryName(const std::string& fileName);
// Removes the temporary files that an interrupted replace left in `folder`.
void removeTemporaries(FileSystem& fs, const std::string& folder);

// "Der Datenträger ist voll." and the like: why, in words a card player understands.
std::string reasonText(const FileResult& result);
// "Die Datei „…“ konnte nicht geschrieben werden. Der Datenträger ist voll."
std::string writeFailureText(const std::string& path, const FileResult& result);

// The folder part of a path, with its trailing separator ("" for a bare name).
std::string folderOf(const std::string& path);
// The name after the last separator.
std::string fileNameOf(const std::string& path);

// The setup program writes this file beside the program it installs. An
// installed program's folder belongs to the system, not to its user, so the
// program's own files go to the user's data folder; without the file the
// program is portable and keeps its files beside itself.
inline constexpr const char* INSTALLED_MARKER = "Kartotrix.installiert";
bool installedBySetup(FileSystem& fs, const std::string& programFolder);

// The folder for the program's own files: the user's data folder (created
// when missing) for an installed program or when nothing can be written
// beside the program, otherwise the program's folder. Both folders and the
// result end with a separator.
std::string chooseFilesFolder(FileSystem& fs, const std::string& programFolder,
                              const std::string& userDataFolder, bool installed = false);

}  // namespace kx
