#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// A checked block after the names: what travels with a pad besides its table
// (see io/PadFile.cpp for the layout).
struct PadBlock {
    std::array<char, 4> marker{};
    std::uint16_t version = 1;
    Bytes payload;
    bool operator==(const PadBlock&) const = default;
};
// The longest payload a block may have, and how many blocks a pad may carry.
inline constexpr std::size_t MAX_BLOCK_PAYLOAD = 1024 * 1024;
inline constexpr std::size_t MAX_PAD_BLOCKS = 4;

// Appends the block with its frame and checksum.
void appendBlock(Bytes& out, const PadBlock& block);

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
    PlayerNames names;             // UTF-8
    bool exactValues = false;      // the extension block supplied the table
    std::vector<PadBlock> blocks;  // the known checked blocks, each checked
    const PadBlock* block(const std::array<char, 4>& marker) const;
};

// One kind of checked block: how the open pad gives it, how a read one is
// checked against the pad it came with, and how it is put into the program.
struct BlockKind {
    std::array<char, 4> marker;
    // The block for the open pad; nothing when the addition is at its default.
    std::optional<PadBlock> (*write)(const Program& p);
    // Whether a block whose checksum matched can belong to the pad; false refuses the file.
    bool (*check)(const PadBlock& block, const PadImage& image);
    // Puts the contents into the program after the pad was loaded; `block`
    // is null when the file has none, which restores the default.
    void (*apply)(Program& p, const PadBlock* block);
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
