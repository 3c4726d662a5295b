#include "io/ReckoningBlock.h"

#include "core/Program.h"
#include "core/Reckoning.h"
#include "io/HouseRulesBlock.h"

namespace kx {

namespace {

// Version 2 adds the extra points only house rules count (Karlchen caught,
// Dulle caught, fox in the last trick) to each party; a pad without them
// keeps writing version 1.
constexpr std::uint16_t RECKONING_VERSION = 1;
constexpr std::uint16_t HOUSE_EXTRAS_VERSION = 2;
constexpr std::size_t partyBytes(std::uint16_t version) {
    return version == HOUSE_EXTRAS_VERSION ? 9 : 6;
}
constexpr std::size_t rowBytes(std::uint16_t version) {
    return 4 + 2 + 2 * partyBytes(version);
}

bool hasHouseExtras(const PartyPlay& p) {
    return p.karlchenCaught != 0 || p.dullenCaught != 0 || p.foxLastTrick != 0;
}

void putParty(Bytes& out, const PartyPlay& party, std::uint16_t version) {
    for (int v : {party.announced ? 1 : 0, static_cast<int>(party.absage),
                  party.tookNoTrick ? 1 : 0, party.doppelkopfs, party.foxesCaught, party.karlchen})
        out.push_back(static_cast<std::uint8_t>(v));
    if (version == HOUSE_EXTRAS_VERSION) {
        for (int v : {party.karlchenCaught, party.dullenCaught, party.foxLastTrick})
            out.push_back(static_cast<std::uint8_t>(v));
    }
}

std::optional<PartyPlay> getParty(const std::uint8_t* in, std::uint16_t version) {
    if (in[0] > 1 || in[1] > static_cast<int>(Absage::Schwarz) || in[2] > 1) return std::nullopt;
    PartyPlay party;
    party.announced = in[0] == 1;
    party.absage = static_cast<Absage>(in[1]);
    party.tookNoTrick = in[2] == 1;
    party.doppelkopfs = in[3];
    party.foxesCaught = in[4];
    party.karlchen = in[5];
    if (version == HOUSE_EXTRAS_VERSION) {
        party.karlchenCaught = in[6];
        party.dullenCaught = in[7];
        party.foxLastTrick = in[8];
    }
    return party;
}

// The rows and their reckonings, or nothing when the payload is not whole.
std::optional<std::map<int, Reckoning>> decode(const PadBlock& block) {
    const Bytes& in = block.payload;
    const std::uint16_t v = block.version;
    if ((v != RECKONING_VERSION && v != HOUSE_EXTRAS_VERSION) || in.size() < 2) return std::nullopt;
    const std::size_t count = in[0] | static_cast<std::size_t>(in[1]) << 8;
    const std::size_t rowSize = rowBytes(v);
    const std::size_t partySize = partyBytes(v);
    if (in.size() != 2 + count * rowSize) return std::nullopt;
    std::map<int, Reckoning> rows;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* at = in.data() + 2 + i * rowSize;
        Reckoning r;
        r.re1 = at[1];
        r.re2 = at[2];
        if (at[3] > 1) return std::nullopt;
        r.play.solo = at[3] == 1;
        r.play.reCardPoints = at[4] | at[5] << 8;
        const std::optional<PartyPlay> re = getParty(at + 6, v);
        const std::optional<PartyPlay> kontra = getParty(at + 6 + partySize, v);
        if (!re || !kontra || !rows.emplace(at[0], r).second) return std::nullopt;
        rows[at[0]].play.re = *re;
        rows[at[0]].play.kontra = *kontra;
    }
    return rows;
}

std::optional<PadBlock> write(const Program& p) {
    const std::map<int, Reckoning>& rows = p.pad.reckonings;
    if (rows.empty()) return std::nullopt;
    std::uint16_t version = RECKONING_VERSION;
    for (const auto& [row, r] : rows)
        if (hasHouseExtras(r.play.re) || hasHouseExtras(r.play.kontra))
            version = HOUSE_EXTRAS_VERSION;
    PadBlock block{{'K', 'X', 'R', 'K'}, version, {}};
    Bytes& out = block.payload;
    out.push_back(static_cast<std::uint8_t>(rows.size()));
    out.push_back(static_cast<std::uint8_t>(rows.size() >> 8));
    for (const auto& [row, r] : rows) {
        for (int v : {row, r.re1, r.re2, r.play.solo ? 1 : 0, r.play.reCardPoints & 0xFF,
                      r.play.reCardPoints >> 8})
            out.push_back(static_cast<std::uint8_t>(v));
        putParty(out, r.play.re, version);
        putParty(out, r.play.kontra, version);
    }
    return block;
}

// Each reckoning must belong to an entered game or solo row and give exactly
// what the row holds before Bock, under the pad's house rules.
bool check(const PadBlock& block, const PadImage& im) {
    const std::optional<std::map<int, Reckoning>> rows = decode(block);
    if (!rows) return false;
    const HouseData house = houseDataOf(im);
    const int n = im.playerCount;
    for (const auto& [row, r] : *rows) {
        if (row < 1 || row > 6 * n) return false;
        if (r.re1 < 1 || r.re1 > n || r.re2 < 1 || r.re2 > n) return false;
        const GameRow& cells = im.table[static_cast<std::size_t>(row)];
        if (cells[0] == EMPTY_CELL) return false;
        const std::optional<ReckonedRow> want =
            reckonedRow(r, n, cells[8], cells[9], house.rules.values);
        const auto base = house.bockBase.find(row);
        const int value = base == house.bockBase.end() ? cells[1] : base->second;
        if (!want || want->players != cells[0] || want->value != value) return false;
    }
    return true;
}

void apply(Program& p, const PadBlock* block) {
    if (block) p.pad.reckonings = *decode(*block);
}

}  // namespace

const BlockKind RECKONING_BLOCK{{'K', 'X', 'R', 'K'}, write, check, apply};

}  // namespace kx
