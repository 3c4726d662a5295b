#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/PadState.h"
#include "io/FileIo.h"
#include "io/FileSystem.h"

namespace kx {

struct Program;

inline constexpr std::size_t PAD_HEADER_SIZE = 90;
inline constexpr std::size_t PAD_TABLE_SIZE = TABLE_ROWS * TABLE_COLUMNS;
inline constexpr std::uint8_t EMPTY_BYTE = 0x80;
inline constexpr const char* PAD_MARKER = "Kartotrix---";
inline constexpr const char* LOAD_ERROR_INVALID =
    "Fehler beim Laden. Keine g\xC3\xBCltige Blockdatei.";
inline constexpr const char* LOAD_ERROR_FOLDER =
    "Fehler beim Laden. Das ist ein Ordner, keine Blockdatei.";
// The largest value a game may be given (a correction beyond it is refused),
// and the largest running total a loaded pad may hold. Both keep every sum of
// the pad far inside the range of an int.
inline constexpr int MAX_GAME_VALUE = 999;
inline constexpr int MAX_CELL_VALUE = 1000000;

// Flag word bits.
inline constexpr std::uint32_t FLAG_GAMES_COMPLETE = 0x2;
inline constexpr std::uint32_t FLAG_SOLOS_COMPLETE = 0x4;
inline constexpr std::uint32_t soloOpenBit(int player) {
    return 1u << (25 + player);
}

// A pad file's contents, checked and decoded, before they touch the open pad.
struct PadImage {
    int playerCount = 4;
    int startTime = 0;
    std::uint32_t flags = 0;
    // The state bytes at offsets 30..40, read as 0..255.
    int dealer = 0, secondSitOut = 0, lastEntryRow = 0, lastEntryValue = 0, entryMode = 0;
    int nextGameRow = 0, nextSoloRow = 0, nextPenaltyRow = 0;
    int lastEntryPlayer1 = 0, lastEntryPlayer2 = 0, lastEntryDealer = 0;
    GameTable table{};
    PlayerNames names;         // UTF-8
    bool exactValues = false;  // the extension block supplied the table
};

// Either a checked image, or why the bytes were refused (a German message).
struct DecodeResult {
    std::optional<PadImage> image;
    std::string error;
};

// The pad file of the open pad.
Bytes encodePadFile(const Program& p);
// Checks every field before anything is used; never reads past the end.
DecodeResult decodePadFile(const Bytes& bytes);

// The autosave pad file when the name is empty, else the name itself.
std::string padFilePath(const Program& p, const std::string& name);

// The longest file that can be a pad: header, table, six names of 255 bytes
// and a whole exact-value block. Longer files are refused unread.
extern const std::size_t MAX_PAD_FILE_SIZE;

// Writes the open pad; on failure the old file, if any, is unchanged and the
// result says which step failed and why. The autosave file (empty name) is
// never written through a symbolic link, nor is any name under LinkRule::Refuse.
FileResult writePadFile(Program& p, const std::string& name, LinkRule links = LinkRule::Follow);

// Replaces the open pad by a decoded pad file, as loading does.
void applyPadImage(Program& p, const PadImage& image);

// Whether a file name is one of the program's autosave files ("autosave.hsc",
// "autosave-2.hsc", …), whatever its folder and letter case.
bool isAutosaveFileName(const std::string& path);

// Reads a pad file into the open pad. A missing file changes nothing and gives
// an empty text; a folder, a file that cannot be read or is no valid pad
// changes nothing and gives the German message to show.
std::string readPadFile(Program& p, const std::string& name);

// Section totals and every row label from the game table, then the totals.
void rebuildPad(Program& p);

// Writes the autosave pad file; reports a failure once until a write succeeds.
void autosave(Program& p);

}  // namespace kx
