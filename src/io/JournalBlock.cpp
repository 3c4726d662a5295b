#include "io/JournalBlock.h"

#include "core/Program.h"
#include "io/Cp1252.h"
#include "view/Journal.h"

namespace kx {

namespace {

constexpr std::uint16_t JOURNAL_VERSION = 1;
constexpr std::size_t MAX_TEXT_BYTES = 2000;

void put(Bytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Reads the payload front to back; any read past its end fails the whole.
struct Reader {
    const Bytes& in;
    std::size_t at = 0;
    bool ok = true;

    std::uint32_t get(int bytes) {
        if (in.size() - at < static_cast<std::size_t>(bytes)) {
            ok = false;
            return 0;
        }
        std::uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= static_cast<std::uint32_t>(in[at++]) << (8 * i);
        return v;
    }
};

bool within(std::uint32_t v, std::uint32_t low, std::uint32_t high) {
    return v >= low && v <= high;
}

std::optional<Journal> decode(const PadBlock& block) {
    if (block.version != JOURNAL_VERSION) return std::nullopt;
    Reader r{block.payload};
    const std::uint32_t count = r.get(4);
    Journal journal;
    for (std::uint32_t i = 0; r.ok && i < count; ++i) {
        JournalLine line;
        line.time.year = static_cast<int>(r.get(2));
        line.time.month = static_cast<int>(r.get(1));
        line.time.day = static_cast<int>(r.get(1));
        line.time.hour = static_cast<int>(r.get(1));
        line.time.minute = static_cast<int>(r.get(1));
        const std::uint32_t kind = r.get(1);
        const std::uint32_t row = r.get(1);
        const std::uint32_t players = r.get(1);
        line.before = static_cast<std::int32_t>(r.get(4));
        line.after = static_cast<std::int32_t>(r.get(4));
        const std::uint32_t length = r.get(2);
        if (!r.ok || length > MAX_TEXT_BYTES || r.in.size() - r.at < length) return std::nullopt;
        line.text.assign(r.in.begin() + static_cast<std::ptrdiff_t>(r.at),
                         r.in.begin() + static_cast<std::ptrdiff_t>(r.at + length));
        r.at += length;
        const bool sound = within(static_cast<std::uint32_t>(line.time.month), 1, 12) &&
                           within(static_cast<std::uint32_t>(line.time.day), 1, 31) &&
                           line.time.hour < 24 && line.time.minute < 60 && within(kind, 1, 8) &&
                           row <= LAST_PAD_ROW && players <= 1 && isValidUtf8(line.text);
        if (!sound) return std::nullopt;
        line.kind = static_cast<JournalKind>(kind);
        line.row = static_cast<int>(row);
        line.players = players == 1;
        journal.push_back(std::move(line));
    }
    if (!r.ok || r.at != block.payload.size()) return std::nullopt;
    return journal;
}

std::optional<PadBlock> write(const Program& p) {
    const Journal& journal = journalOf(p);
    if (journal.empty()) return std::nullopt;
    PadBlock block{{'K', 'X', 'J', 'L'}, JOURNAL_VERSION, {}};
    Bytes& out = block.payload;
    put(out, static_cast<std::uint32_t>(journal.size()), 4);
    for (const JournalLine& line : journal) {
        put(out, static_cast<std::uint32_t>(line.time.year), 2);
        for (int v : {line.time.month, line.time.day, line.time.hour, line.time.minute,
                      static_cast<int>(line.kind), line.row, line.players ? 1 : 0})
            put(out, static_cast<std::uint32_t>(v), 1);
        put(out, static_cast<std::uint32_t>(line.before), 4);
        put(out, static_cast<std::uint32_t>(line.after), 4);
        const std::string text = line.text.substr(0, MAX_TEXT_BYTES);
        put(out, static_cast<std::uint32_t>(text.size()), 2);
        out.insert(out.end(), text.begin(), text.end());
    }
    return block;
}

bool check(const PadBlock& block, const PadImage&) {
    return decode(block).has_value();
}

void apply(Program& p, const PadBlock* block) {
    if (block) journalOf(p) = *decode(*block);
}

}  // namespace

const BlockKind JOURNAL_BLOCK{{'K', 'X', 'J', 'L'}, write, check, apply};

}  // namespace kx
