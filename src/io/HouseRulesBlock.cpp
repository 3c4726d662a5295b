#include "io/HouseRulesBlock.h"

#include "core/Bock.h"
#include "core/Program.h"

namespace kx {

namespace {

constexpr std::uint16_t HOUSE_VERSION = 1;
constexpr std::array<char, 4> MARKER{'K', 'X', 'H', 'R'};
constexpr std::size_t SWITCH_BYTES = 9 + 5 + 3;

std::array<bool*, 14> switches(HouseRules& r) {
    GameValueRules& v = r.values;
    BockTriggers& t = r.bock.triggers;
    return {&v.announcementsDouble,
            &v.below120Point,
            &v.againstQueens,
            &v.doppelkopf,
            &v.foxCaught,
            &v.karlchen,
            &v.karlchenCaught,
            &v.dulleCaught,
            &v.foxLastTrick,
            &t.tie120,
            &t.lostSolo,
            &t.lostAnnouncement,
            &t.zeroGame,
            &t.byHand};
}

void put16(Bytes& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

// Reads the payload front to back; `ok` turns false at the first byte missing.
struct Reader {
    const Bytes& in;
    std::size_t at = 0;
    bool ok = true;
    int byte() {
        if (at >= in.size()) {
            ok = false;
            return 0;
        }
        return in[at++];
    }
    int word() {
        const int low = byte();
        return low | byte() << 8;
    }
    int signedWord() {
        const int w = word();
        return w >= 0x8000 ? w - 0x10000 : w;
    }
};

std::optional<HouseData> decode(const PadBlock& block) {
    if (block.version != HOUSE_VERSION || block.payload.size() < SWITCH_BYTES) return std::nullopt;
    Reader in{block.payload};
    HouseData d;
    for (bool* flag : switches(d.rules)) {
        const int b = in.byte();
        if (b > 1) return std::nullopt;
        *flag = b == 1;
    }
    const int effect = in.byte(), stacking = in.byte(), most = in.byte();
    if (effect > 1 || stacking > 2 || most < 1 || most > MAX_BOCK_LEVEL) return std::nullopt;
    d.rules.bock.effect = static_cast<BockEffect>(effect);
    d.rules.bock.stacking = static_cast<BockStacking>(stacking);
    d.rules.bock.maxLevel = most;
    for (int i = in.word(); in.ok && i > 0; --i) {
        const int row = in.byte();
        if (!d.bockBase.emplace(row, in.signedWord()).second) return std::nullopt;
    }
    for (int i = in.word(); in.ok && i > 0; --i)
        if (!d.bockMarks.insert(in.byte()).second) return std::nullopt;
    for (int i = in.word(); in.ok && i > 0; --i) {
        const int row = in.byte();
        if (!d.soloAfter.emplace(row, in.byte()).second) return std::nullopt;
    }
    if (!in.ok || in.at != block.payload.size()) return std::nullopt;
    return d;
}

std::optional<PadBlock> write(const Program& p) {
    const PadState& pad = p.pad;
    if (pad.houseRules.isDefault() && pad.bockMarks.empty()) return std::nullopt;
    PadBlock block{MARKER, HOUSE_VERSION, {}};
    Bytes& out = block.payload;
    HouseRules rules = pad.houseRules;
    for (bool* flag : switches(rules))
        out.push_back(*flag ? 1 : 0);
    for (int v : {static_cast<int>(rules.bock.effect), static_cast<int>(rules.bock.stacking),
                  rules.bock.maxLevel})
        out.push_back(static_cast<std::uint8_t>(v));
    put16(out, static_cast<int>(pad.bockBase.size()));
    for (const auto& [row, value] : pad.bockBase) {
        out.push_back(static_cast<std::uint8_t>(row));
        put16(out, value);
    }
    put16(out, static_cast<int>(pad.bockMarks.size()));
    for (const int row : pad.bockMarks)
        out.push_back(static_cast<std::uint8_t>(row));
    put16(out, static_cast<int>(pad.soloAfter.size()));
    for (const auto& [row, after] : pad.soloAfter) {
        out.push_back(static_cast<std::uint8_t>(row));
        out.push_back(static_cast<std::uint8_t>(after));
    }
    return block;
}

bool entered(const PadImage& im, int row) {
    return row >= 1 && row <= LAST_PAD_ROW &&
           im.table[static_cast<std::size_t>(row)][0] != EMPTY_CELL;
}

// Every row the block names must be an entered game of the right section.
bool check(const PadBlock& block, const PadImage& im) {
    const std::optional<HouseData> d = decode(block);
    if (!d) return false;
    const int games = 5 * im.playerCount, solos = 6 * im.playerCount;
    for (const auto& [row, value] : d->bockBase) {
        if (row > games || !entered(im, row)) return false;
        if (value < -MAX_GAME_VALUE || value > MAX_GAME_VALUE) return false;
    }
    for (const int row : d->bockMarks)
        if (row > solos || !entered(im, row)) return false;
    for (const auto& [row, after] : d->soloAfter)
        if (row <= games || row > solos || !entered(im, row) || after > games) return false;
    return true;
}

void apply(Program& p, const PadBlock* block) {
    if (!block) return;
    const HouseData d = *decode(*block);
    p.pad.houseRules = d.rules;
    p.pad.bockBase = d.bockBase;
    p.pad.bockMarks = d.bockMarks;
    p.pad.soloAfter = d.soloAfter;
    // A file whose table does not follow from its games is brought in line.
    recomputePad(p);
}

}  // namespace

const BlockKind HOUSE_RULES_BLOCK{MARKER, write, check, apply};

HouseData houseDataOf(const PadImage& image) {
    const PadBlock* block = image.block(MARKER);
    if (!block) return {};
    return decode(*block).value_or(HouseData{});
}

}  // namespace kx
