#include "io/PadFile.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/EntryPanel.h"
#include "core/Program.h"
#include "io/Cp1252.h"
#include "io/EarlierStates.h"
#include "io/HouseRulesBlock.h"
#include "io/InterruptedEvening.h"
#include "io/JournalBlock.h"
#include "io/ReckoningBlock.h"
#include "view/PadLayout.h"
#include "view/PadRender.h"

namespace kx {

// Pad file layout (all integers little-endian):
//   header, 90 bytes: marker "Kartotrix---", format version 258 (16 bit),
//     player count, start time in seconds since midnight, flag word (32 bit
//     each), 4 reserved bytes, the state bytes dealer, second sit-out, last
//     entry row, last entry value, entry mode, next game row, next solo row,
//     next penalty row, last entry players 1 and 2, last entry dealer (low 8
//     bits each), 43 reserved bytes, and the byte lengths of the six names;
//   the game table, 41 rows of 10 cells, one byte each (two's complement,
//     0x80 for an empty cell);
//   the six names in Windows-1252, without separators.
//
// Exact-value extension. A cell byte holds -127..127; running totals of a long
// evening can leave that range, and a total of exactly -128 would read as an
// empty cell. Such a pad still stores the low 8 bits of every cell, so any
// reader of the format above can read it, and appends after the names:
//   4 bytes  marker "KXEX"
//   2 bytes  extension version, 1
//   4 bytes  payload length, 1640
//   1640     the 410 cells as signed 32-bit integers in table order, an
//            empty cell as 0x80000000
//   4 bytes  CRC-32 (as in zip) of the payload
// Readers that know it take the exact cells. Bytes after the names that begin
// with the marker (or with a part of it, at the very end) must form a whole
// block whose checksum matches and whose cells agree with their bytes;
// otherwise the file is refused, since the bytes alone would give wrong
// totals. Readers that do not know the block stop after the names.
//
// Checked blocks. What travels with a pad besides its table (the inputs of the
// value calculator, the house rules, the journal) follows, after the
// exact-value block if there is one, as blocks of the same form:
//   4 bytes  marker "KX" and two letters ("KXRK", …)
//   2 bytes  block version
//   4 bytes  payload length
//   …        payload
//   4 bytes  CRC-32 of the payload
// The header's reserved word at offset 26 holds the number of bytes the
// blocks take, so that a file cut just before a block is refused as well.
// A pad without them is the plain pad: every addition at its default writes
// no block. Bytes after the names that begin with "KX" (or with a part of it,
// at the very end) must form whole blocks with matching checksums, whose
// payloads the program can read; otherwise the file is refused. A block with
// a marker this program does not know is skipped whole. Other bytes are
// ignored, as before.

namespace {

constexpr std::array<char, 4> EXTENSION_MARKER{'K', 'X', 'E', 'X'};
constexpr std::uint16_t EXTENSION_VERSION = 1;
constexpr std::uint32_t EXTENSION_PAYLOAD = PAD_TABLE_SIZE * 4;
constexpr std::size_t EXTENSION_SIZE = 4 + 2 + 4 + EXTENSION_PAYLOAD + 4;
constexpr std::size_t MAX_NAME_BYTES = 255;
constexpr std::size_t BLOCK_FRAME = 4 + 2 + 4 + 4;
constexpr std::size_t BLOCK_BYTES_OFFSET = 26;  // a reserved word of the header

enum class Extension { Absent, Read, Damaged };

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put16(Bytes& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(Bytes& out, std::size_t at, std::uint32_t v) {
    put16(out, at, v & 0xFFFF);
    put16(out, at + 2, v >> 16);
}

void append32(Bytes& out, std::uint32_t v) {
    out.resize(out.size() + 4);
    put32(out, out.size() - 4, v);
}

std::uint32_t get16(const Bytes& in, std::size_t at) {
    return static_cast<std::uint32_t>(in[at]) | (static_cast<std::uint32_t>(in[at + 1]) << 8);
}

std::uint32_t get32(const Bytes& in, std::size_t at) {
    return get16(in, at) | (get16(in, at + 2) << 16);
}

std::uint8_t cellByte(int value) {
    return value == EMPTY_CELL ? EMPTY_BYTE : static_cast<std::uint8_t>(value & 0xFF);
}

int byteCell(std::uint8_t b) {
    return b == EMPTY_BYTE ? EMPTY_CELL : static_cast<std::int8_t>(b);
}

bool fitsByte(int value) {
    return value == EMPTY_CELL || (value >= -127 && value <= 127);
}

std::string storedName(const std::string& name) {
    std::string bytes = utf8ToCp1252(name);
    if (bytes.size() > MAX_NAME_BYTES) bytes.resize(MAX_NAME_BYTES);
    return bytes;
}

std::uint32_t flagWord(const Program& p) {
    std::uint32_t flags = 0;
    if (p.pad.gamesComplete) flags |= FLAG_GAMES_COMPLETE;
    if (p.pad.solosComplete) flags |= FLAG_SOLOS_COMPLETE;
    for (int i = 1; i <= MAX_PLAYERS; ++i) {
        if (p.ui.WER2.size() >= i && p.ui.WER2(i).visible) flags |= soloOpenBit(i);
    }
    return flags;
}

void appendExtension(Bytes& out, const GameTable& table) {
    out.insert(out.end(), EXTENSION_MARKER.begin(), EXTENSION_MARKER.end());
    out.resize(out.size() + 2);
    put16(out, out.size() - 2, EXTENSION_VERSION);
    append32(out, EXTENSION_PAYLOAD);
    const std::size_t payload = out.size();
    for (const GameRow& row : table) {
        for (int cell : row)
            append32(out, static_cast<std::uint32_t>(cell));
    }
    append32(out, crc32(out.data() + payload, EXTENSION_PAYLOAD));
}

// Reads the exact cells that may follow the names at `at`.
Extension readExtension(const Bytes& in, std::size_t at, GameTable& table) {
    const std::size_t rest = in.size() - at;
    const std::size_t compared = std::min(rest, EXTENSION_MARKER.size());
    if (compared == 0 ||
        !std::equal(EXTENSION_MARKER.begin(),
                    EXTENSION_MARKER.begin() + static_cast<std::ptrdiff_t>(compared),
                    in.begin() + static_cast<std::ptrdiff_t>(at)))
        return Extension::Absent;
    if (rest < EXTENSION_SIZE) return Extension::Damaged;
    if (get16(in, at + 4) != EXTENSION_VERSION || get32(in, at + 6) != EXTENSION_PAYLOAD)
        return Extension::Damaged;
    const std::size_t payload = at + 10;
    if (crc32(in.data() + payload, EXTENSION_PAYLOAD) != get32(in, payload + EXTENSION_PAYLOAD))
        return Extension::Damaged;
    GameTable exact{};
    for (std::size_t i = 0; i < PAD_TABLE_SIZE; ++i) {
        const int value = static_cast<std::int32_t>(get32(in, payload + 4 * i));
        if (cellByte(value) != in[PAD_HEADER_SIZE + i]) return Extension::Damaged;
        exact[i / TABLE_COLUMNS][i % TABLE_COLUMNS] = value;
    }
    table = exact;
    return Extension::Read;
}

// The blocks this program writes and reads, in the order they are written.
const std::vector<BlockKind>& blockKinds() {
    static const std::vector<BlockKind> kinds{RECKONING_BLOCK, JOURNAL_BLOCK, HOUSE_RULES_BLOCK};
    return kinds;
}

const BlockKind* blockKind(const std::array<char, 4>& marker) {
    for (const BlockKind& kind : blockKinds()) {
        if (kind.marker == marker) return &kind;
    }
    return nullptr;
}

bool startsWithBlockMarker(const Bytes& in, std::size_t at) {
    const std::size_t rest = in.size() - at;
    if (rest == 0) return false;
    if (in[at] != 'K') return false;
    return rest == 1 || in[at + 1] == 'X';
}

// Reads the checked blocks from `at`: false when one is not whole. With a
// length from the header the blocks must fill exactly that many bytes, so
// that a file cut between two blocks is noticed too.
bool readBlocks(const Bytes& in, std::size_t at, std::uint32_t length,
                std::vector<PadBlock>& blocks) {
    const std::size_t start = at;
    if (length > 0 && (in.size() - at < length || !startsWithBlockMarker(in, at))) return false;
    while (startsWithBlockMarker(in, at) && (length == 0 || at - start < length)) {
        const std::size_t rest = in.size() - at;
        if (rest < BLOCK_FRAME) return false;
        const std::uint32_t size = get32(in, at + 6);
        if (size > MAX_BLOCK_PAYLOAD || rest - BLOCK_FRAME < size) return false;
        const std::size_t payload = at + 10;
        if (crc32(in.data() + payload, size) != get32(in, payload + size)) return false;
        PadBlock block;
        std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(at), 4, block.marker.begin());
        block.version = static_cast<std::uint16_t>(get16(in, at + 4));
        block.payload.assign(in.begin() + static_cast<std::ptrdiff_t>(payload),
                             in.begin() + static_cast<std::ptrdiff_t>(payload + size));
        blocks.push_back(std::move(block));
        at = payload + size + 4;
    }
    return length == 0 || at - start == length;
}

bool validPlayerCell(int value, int n, bool pairAllowed) {
    if (value == EMPTY_CELL) return true;
    if (value >= 1 && value <= n) return true;
    if (!pairAllowed) return false;
    const int a = value / 10;
    const int b = value % 10;
    return value > 6 && a >= 1 && a <= n && b >= 1 && b <= n && a != b;
}

bool rowEmpty(const GameTable& t, int row) {
    return t[static_cast<std::size_t>(row)][0] == EMPTY_CELL;
}

bool rowBlank(const GameRow& row) {
    return std::all_of(row.begin(), row.end(), [](int cell) { return cell == EMPTY_CELL; });
}

bool within(int value, int low, int high) {
    return value != EMPTY_CELL && value >= low && value <= high;
}

// At six players the second sit-out is the seat before the dealer; any other
// pair would leave one player too many at the table.
bool neighbours(int n, int dealer, int second) {
    return n != 6 || second == previousSeat(dealer);
}

// An entered row holds what an entry writes: a value that a game can have, the
// running total of every player (0 for seats above n) and the deal. A row
// whose player cell is empty holds nothing at all. Anything else would make
// the rebuilt totals or a later correction wrong.
bool rowSound(const GameRow& row, int n, int r) {
    if (row[0] == EMPTY_CELL) return rowBlank(row);
    const int lastGame = 5 * n, lastSolo = 6 * n;
    const int value = row[1];
    if (r > lastSolo) {
        if (value != -12) return false;
    } else if (!within(value, -MAX_GAME_VALUE, MAX_GAME_VALUE)) {
        return false;
    } else if (row[0] <= MAX_PLAYERS && (value == 0 || value % 3 != 0)) {
        // One player against the others: each of them pays a third.
        return false;
    }
    for (int k = 1; k <= MAX_PLAYERS; ++k) {
        const int total = row[static_cast<std::size_t>(k + 1)];
        if (!within(total, -MAX_CELL_VALUE, MAX_CELL_VALUE) || (k > n && total != 0)) return false;
    }
    const bool soloRow = r > lastGame && r <= lastSolo;
    // Only a four-player solo may be entered without a dealer.
    const int lowestDealer = soloRow && n == 4 ? 0 : 1;
    if (!within(row[8], lowestDealer, n) || !within(row[9], lowestDealer, MAX_PLAYERS))
        return false;
    return row[8] == 0 || neighbours(n, row[8], row[9]);
}
// Rows from `first` up to the one before `next` hold entries: the counters
// never pass a row that was not filled.
bool filledUpTo(const GameTable& t, int first, int next) {
    for (int r = first; r < next; ++r) {
        if (rowEmpty(t, r)) return false;
    }
    return true;
}

// What an entered row adds to each player's total of its section, as entering
// the game did (see core/Scoring.cpp).
PlayerValues rowEffect(const GameRow& row, int n, int section) {
    PlayerValues effect{};
    const int value = row[1], d = row[8], s = row[9];
    if (section == 3) {
        const int penalised = row[0];
        effect[static_cast<std::size_t>(penalised)] = -12;
        for (int k = 1; k <= n; ++k) {
            if (k == penalised) continue;
            if (n == 4)
                effect[static_cast<std::size_t>(k)] = 4;
            else if (n == 5 || k != s)
                effect[static_cast<std::size_t>(k)] = 3;
        }
        return effect;
    }
    const bool pair = row[0] > MAX_PLAYERS;
    const int a = pair ? row[0] / 10 : row[0];
    const int b = pair ? row[0] % 10 : a;
    const int loss = pair ? value : value / 3;
    for (int k = 1; k <= n; ++k) {
        if (k == a || k == b)
            effect[static_cast<std::size_t>(k)] = value;
        else if (takesPart(n, k, d, s))
            effect[static_cast<std::size_t>(k)] = -loss;
    }
    return effect;
}

// Each row's running totals are the previous row's plus the row's game. A
// file whose cells say otherwise (bytes that wrapped because the exact-value
// block is missing or was not recognised, or any other damage) would show
// wrong totals and take corrections that go wrong further.
bool totalsFollow(const PadImage& im) {
    const int n = im.playerCount;
    const int firsts[] = {1, 5 * n + 1, 6 * n + 1};
    const int lasts[] = {5 * n, 6 * n, 6 * n + 3};
    for (int section = 1; section <= 3; ++section) {
        PlayerValues total{};
        for (int r = firsts[section - 1]; r <= lasts[section - 1]; ++r) {
            const GameRow& row = im.table[static_cast<std::size_t>(r)];
            if (row[0] == EMPTY_CELL) break;
            const PlayerValues effect = rowEffect(row, n, section);
            for (int k = 1; k <= n; ++k) {
                const std::size_t slot = static_cast<std::size_t>(k);
                total[slot] += effect[slot];
                if (row[slot + 1] != total[slot]) return false;
            }
        }
    }
    return true;
}

// Whether the counters, flags and rows describe a pad the program can go on with.
bool consistent(const PadImage& im) {
    const int n = im.playerCount;
    const int lastGame = 5 * n, lastSolo = 6 * n, lastPenalty = 6 * n + 3;
    if (im.dealer < 1 || im.dealer > n || im.secondSitOut < 1 || im.secondSitOut > 6) return false;
    if (!neighbours(n, im.dealer, im.secondSitOut)) return false;
    if (im.nextGameRow < 1 || im.nextGameRow > lastGame + 1) return false;
    if (im.nextSoloRow < lastGame + 1 || im.nextSoloRow > lastSolo + 1) return false;
    if (im.nextPenaltyRow < lastSolo + 1 || im.nextPenaltyRow > lastPenalty) return false;
    if (((im.flags & FLAG_GAMES_COMPLETE) != 0) != (im.nextGameRow == lastGame + 1)) return false;
    if (((im.flags & FLAG_SOLOS_COMPLETE) != 0) != (im.nextSoloRow == lastSolo + 1)) return false;
    for (int r = 1; r <= lastPenalty; ++r) {
        const GameRow& row = im.table[static_cast<std::size_t>(r)];
        if (!validPlayerCell(row[0], n, r <= lastGame) || !rowSound(row, n, r)) return false;
    }
    // Rows the next entries go to must be free, or an entry would overwrite a
    // game. The penalty counter stays on the last penalty row once that row is
    // filled, so only there may the row it points to hold an entry.
    for (int r = im.nextGameRow; r <= lastGame; ++r) {
        if (!rowEmpty(im.table, r)) return false;
    }
    for (int r = im.nextSoloRow; r <= lastSolo; ++r) {
        if (!rowEmpty(im.table, r)) return false;
    }
    const int firstFreePenalty =
        im.nextPenaltyRow == lastPenalty ? lastPenalty + 1 : im.nextPenaltyRow;
    for (int r = firstFreePenalty; r <= lastPenalty; ++r) {
        if (!rowEmpty(im.table, r)) return false;
    }
    // Rows past the penalties would count as penalties when the pad is rebuilt.
    for (int r = lastPenalty + 1; r <= LAST_PAD_ROW; ++r) {
        for (int cell : im.table[static_cast<std::size_t>(r)]) {
            if (cell != EMPTY_CELL) return false;
        }
    }
    if (!filledUpTo(im.table, 1, im.nextGameRow) ||
        !filledUpTo(im.table, lastGame + 1, im.nextSoloRow) ||
        !filledUpTo(im.table, lastSolo + 1, im.nextPenaltyRow))
        return false;
    return totalsFollow(im);
}

}  // namespace

Bytes encodePadFile(const Program& p) {
    const PadState& pad = p.pad;
    Bytes out(PAD_HEADER_SIZE, 0);
    std::memcpy(out.data(), PAD_MARKER, 12);
    put16(out, 12, static_cast<std::uint32_t>(p.shell.fileFormatVersion));
    put32(out, 14, static_cast<std::uint32_t>(pad.playerCount));
    put32(out, 18, static_cast<std::uint32_t>(pad.padStartTime));
    put32(out, 22, flagWord(p));
    const int state[] = {pad.dealer,           pad.secondSitOut,   pad.lastEntryRow,
                         pad.lastEntryValue,   pad.entryMode,      pad.nextGameRow,
                         pad.nextSoloRow,      pad.nextPenaltyRow, pad.lastEntryPlayer1,
                         pad.lastEntryPlayer2, pad.lastEntryDealer};
    for (std::size_t i = 0; i < std::size(state); ++i)
        out[30 + i] = static_cast<std::uint8_t>(state[i] & 0xFF);

    std::string names;
    for (int i = 1; i <= MAX_PLAYERS; ++i) {
        const std::string bytes = storedName(pad.playerNames[static_cast<std::size_t>(i)]);
        out[83 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes.size());
        names += bytes;
    }
    bool exactNeeded = false;
    for (const GameRow& row : pad.gameTable) {
        for (int cell : row) {
            out.push_back(cellByte(cell));
            exactNeeded = exactNeeded || !fitsByte(cell);
        }
    }
    out.insert(out.end(), names.begin(), names.end());
    if (exactNeeded) appendExtension(out, pad.gameTable);
    const std::size_t blocksAt = out.size();
    for (const BlockKind& kind : blockKinds()) {
        if (const std::optional<PadBlock> block = kind.write(p)) appendBlock(out, *block);
    }
    // The reserved word after the flags says how many bytes of blocks follow;
    // it stays 0 for a pad without them.
    put32(out, BLOCK_BYTES_OFFSET, static_cast<std::uint32_t>(out.size() - blocksAt));
    return out;
}

const std::size_t MAX_PAD_FILE_SIZE = PAD_HEADER_SIZE + PAD_TABLE_SIZE +
                                      MAX_PLAYERS * MAX_NAME_BYTES + EXTENSION_SIZE +
                                      MAX_PAD_BLOCKS * (BLOCK_FRAME + MAX_BLOCK_PAYLOAD);

DecodeResult decodePadFile(const Bytes& in) {
    DecodeResult result;
    result.error = LOAD_ERROR_INVALID;
    if (in.size() < PAD_HEADER_SIZE + PAD_TABLE_SIZE || in.size() > MAX_PAD_FILE_SIZE)
        return result;
    if (std::memcmp(in.data(), PAD_MARKER, 12) != 0) return result;

    PadImage im;
    im.playerCount = static_cast<std::int32_t>(get32(in, 14));
    if (im.playerCount < 4 || im.playerCount > 6) return result;
    im.startTime = static_cast<std::int32_t>(get32(in, 18));
    im.flags = get32(in, 22);
    int* state[] = {&im.dealer,           &im.secondSitOut,   &im.lastEntryRow,
                    &im.lastEntryValue,   &im.entryMode,      &im.nextGameRow,
                    &im.nextSoloRow,      &im.nextPenaltyRow, &im.lastEntryPlayer1,
                    &im.lastEntryPlayer2, &im.lastEntryDealer};
    for (std::size_t i = 0; i < std::size(state); ++i)
        *state[i] = in[30 + i];

    std::size_t at = PAD_HEADER_SIZE + PAD_TABLE_SIZE;
    for (int i = 1; i <= MAX_PLAYERS; ++i) {
        const std::size_t length = in[83 + static_cast<std::size_t>(i)];
        if (in.size() - at < length) return result;
        const std::string bytes(in.begin() + static_cast<std::ptrdiff_t>(at),
                                in.begin() + static_cast<std::ptrdiff_t>(at + length));
        im.names[static_cast<std::size_t>(i)] = cp1252ToUtf8(bytes);
        at += length;
    }
    for (std::size_t i = 0; i < PAD_TABLE_SIZE; ++i)
        im.table[i / TABLE_COLUMNS][i % TABLE_COLUMNS] = byteCell(in[PAD_HEADER_SIZE + i]);
    const Extension extension = readExtension(in, at, im.table);
    if (extension == Extension::Damaged) return result;
    im.exactValues = extension == Extension::Read;
    std::vector<PadBlock> blocks;
    const std::size_t blocksAt = im.exactValues ? at + EXTENSION_SIZE : at;
    if (!readBlocks(in, blocksAt, get32(in, BLOCK_BYTES_OFFSET), blocks)) return result;

    if (!consistent(im)) return result;
    for (PadBlock& block : blocks) {
        const BlockKind* kind = blockKind(block.marker);
        if (!kind) continue;  // a later program's addition
        if (!kind->check(block, im)) return result;
        im.blocks.push_back(std::move(block));
    }
    result.image = im;
    result.error.clear();
    return result;
}

std::string padFilePath(const Program& p, const std::string& name) {
    return name.empty() ? p.shell.programFolder + p.shell.autosaveBase + ".hsc" : name;
}

FileResult writePadFile(Program& p, const std::string& name, LinkRule links) {
    if (!p.services.files) return {FileStep::Open, FileError::Other};
    WindowHost* host = p.services.host;
    if (host) host->setBusy(true);
    const FileResult written =
        replaceFile(*p.services.files, padFilePath(p, name), encodePadFile(p),
                    name.empty() ? LinkRule::Refuse : links);
    if (host) host->setBusy(false);
    return written;
}

void appendBlock(Bytes& out, const PadBlock& block) {
    out.insert(out.end(), block.marker.begin(), block.marker.end());
    out.resize(out.size() + 2);
    put16(out, out.size() - 2, block.version);
    append32(out, static_cast<std::uint32_t>(block.payload.size()));
    out.insert(out.end(), block.payload.begin(), block.payload.end());
    append32(out, crc32(block.payload.data(), block.payload.size()));
}

const PadBlock* PadImage::block(const std::array<char, 4>& marker) const {
    for (const PadBlock& b : blocks) {
        if (b.marker == marker) return &b;
    }
    return nullptr;
}

void applyPadImage(Program& p, const PadImage& im) {
    PadState& pad = p.pad;
    WindowModel& ui = p.ui;
    const int n = im.playerCount;
    newPad(p, n);
    pad.playerCount = n;
    pad.padStartTime = im.startTime;
    pad.gamesComplete = (im.flags & FLAG_GAMES_COMPLETE) != 0;
    pad.solosComplete = (im.flags & FLAG_SOLOS_COMPLETE) != 0;
    for (int i = 1; i <= n; ++i) {
        if ((im.flags & soloOpenBit(i)) != 0) continue;
        ui.WER2(i).visible = false;
        if (!pad.gamesComplete) ui.WER1(15 + i).visible = true;
    }
    pad.dealer = im.dealer;
    pad.secondSitOut = im.secondSitOut;
    pad.lastEntryRow = im.lastEntryRow;
    pad.lastEntryValue = im.lastEntryValue;
    pad.entryMode = im.entryMode;
    pad.nextGameRow = im.nextGameRow;
    pad.nextSoloRow = im.nextSoloRow;
    pad.nextPenaltyRow = im.nextPenaltyRow;
    pad.lastEntryPlayer1 = im.lastEntryPlayer1;
    pad.lastEntryPlayer2 = im.lastEntryPlayer2;
    pad.lastEntryDealer = im.lastEntryDealer;
    pad.gameTable = im.table;
    for (int i = 1; i <= MAX_PLAYERS; ++i) {
        const std::string name =
            truncateUtf8(im.names[static_cast<std::size_t>(i)], MAX_NAME_BYTES);
        pad.playerNames[static_cast<std::size_t>(i)] = name;
        ui.NMS(i).text = pad.shownName(i);
    }
    pad.lastGameRow = 5 * n;
    pad.lastSoloRow = 6 * n;
    rebuildPad(p);

    if (pad.gamesComplete) closeGameSection(p);
    if (pad.solosComplete) {
        closeSoloSection(p);
        for (Control& c : ui.WER2)
            c.visible = false;
    }
    // The file has no flag for the penalties: a filled last penalty row ends them.
    if (!rowEmpty(pad.gameTable, pad.lastPenaltyRow())) closePenaltySection(p);
    for (int entry : {2, 3, 5})
        ui.menu[static_cast<std::size_t>(entry)].enabled = true;
    ui.setStatus(6, "Soli: " + std::to_string(pad.nextSoloRow - pad.lastGameRow - 1));
    ui.setStatus(5, "Gespielt: " + std::to_string(pad.nextGameRow - 1));
    ui.setStatus(2, "Geber: " + pad.shownName(pad.dealer));
    MDS_Click(p, 1);
    for (const BlockKind& kind : blockKinds())
        kind.apply(p, im.block(kind.marker));
}

std::string readPadFile(Program& p, const std::string& name) {
    const std::string path = padFilePath(p, name);
    if (!p.services.files) return LOAD_ERROR_INVALID;
    FileSystem& fs = *p.services.files;
    const FileKind kind = fs.kind(path);
    if (kind == FileKind::Missing) return "";
    if (kind == FileKind::Folder) return LOAD_ERROR_FOLDER;
    WindowHost* host = p.services.host;
    if (host) host->setBusy(true);
    Bytes bytes;
    const FileResult read = readFile(fs, path, MAX_PAD_FILE_SIZE, bytes);
    if (host) host->setBusy(false);
    if (read.error == FileError::NotFound) return "";
    if (read.error == FileError::Folder) return LOAD_ERROR_FOLDER;
    if (read.error == FileError::TooLarge) return LOAD_ERROR_INVALID;
    if (!read)
        return "Fehler beim Laden. Die Datei \xE2\x80\x9E" + path +
               "\xE2\x80\x9C konnte nicht gelesen werden. " + reasonText(read);
    const DecodeResult decoded = decodePadFile(bytes);
    if (!decoded.image) return decoded.error;
    applyPadImage(p, *decoded.image);
    // The program's own autosave is overwritten by the next entry: a pad
    // loaded from it is only safe once "Speichern" writes it elsewhere.
    if (isAutosaveFileName(path)) p.shell.changesSinceSave = p.pad.entryCount();
    return "";
}

bool isAutosaveFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    for (char& c : name)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const std::string stem = "autosave", extension = ".hsc";
    if (name.size() < stem.size() + extension.size() || name.compare(0, stem.size(), stem) != 0 ||
        name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
        return false;
    const std::string copy = name.substr(stem.size(), name.size() - stem.size() - extension.size());
    if (copy.empty()) return true;
    // "autosave-2.hsc" and so on: the files of further running copies.
    return copy.size() > 1 && copy[0] == '-' &&
           copy.find_first_not_of("0123456789", 1) == std::string::npos;
}

void rebuildPad(Program& p) {
    PadState& pad = p.pad;
    WindowModel& ui = p.ui;
    const int n = pad.playerCount;
    for (int r = 1; r <= LAST_PAD_ROW; ++r) {
        const GameRow& row = pad.gameTable[static_cast<std::size_t>(r)];
        if (row[0] != EMPTY_CELL) {
            ui.SPL(r).text = row[0] > 6
                                 ? std::to_string(row[0] / 10) + " / " + std::to_string(row[0] % 10)
                                 : std::to_string(row[0]);
        }
        if (row[1] != EMPTY_CELL) ui.PKT(r).text = std::to_string(row[1]);
        const int s1 = n > 4 ? row[8] : 0;
        const int s2 = n == 6 ? row[9] : 0;
        for (int k = 1; k <= MAX_PLAYERS; ++k) {
            const int t = row[static_cast<std::size_t>(k + 1)];
            if (t == EMPTY_CELL) continue;
            Control& cell = ui.SP[static_cast<std::size_t>(k)](r);
            const std::size_t slot = static_cast<std::size_t>(k);
            if (k != s1 && k != s2) cell.text = std::to_string(t);
            if (r <= pad.lastGameRow) {
                pad.gamePoints[slot] = t;
            } else if (r <= pad.lastSoloRow) {
                pad.soloPoints[slot] = t;
                if (k == s1 || k == s2) cell.text = "xxx";
            } else {
                pad.penaltyPoints[slot] = t;
                if (k == s1)
                    cell.text = std::to_string(t);
                else if (k == s2)
                    cell.text = "xxx";
            }
        }
    }
    refreshPad(p, -1, 0, 0);
}

void autosave(Program& p) {
    // The state before the first pad is no pad: writing it would replace the
    // previous evening's autosave with a file that loading refuses.
    if (!p.pad.padOpen()) return;
    if (p.shell.autosaveDeferred) {
        p.shell.autosavePending = true;
        return;
    }
    const FileResult written = writePadFile(p, "");
    if (written) {
        p.shell.autosaveFailureReported = false;
        markEveningRunning(p);
        keepStateAfterChange(p);
        return;
    }
    if (p.shell.autosaveFailureReported || !p.services.dialogs) return;
    p.shell.autosaveFailureReported = true;
    p.services.dialogs->messageBox("Autosave fehlgeschlagen. " +
                                       writeFailureText(padFilePath(p, ""), written) +
                                       " Bitte den Block mit \xE2\x80\x9E"
                                       "Speichern unter\xE2\x80\x9C sichern.",
                                   "Kartotrix", MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace kx
