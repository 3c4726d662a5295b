#include "core/Reckoning.h"

#include "core/Bock.h"
#include "core/Program.h"

namespace kx {

std::optional<ReckonedRow> reckonedRow(const Reckoning& r, int n, int dealer, int second,
                                       const GameValueRules& rules) {
    const GameValue value = computeGameValue(r.play, rules);
    if (!value.error.empty()) return std::nullopt;
    if (r.re1 == r.re2) {
        if (value.padValue == 0) return std::nullopt;
        return ReckonedRow{r.re1, value.padValue};
    }
    int a = r.re1, b = r.re2;
    if (value.valueForRe < 0) {
        // Kontra gains: the two others who take part in the game win.
        a = b = 0;
        for (int k = 1; k <= n; ++k) {
            if (k == r.re1 || k == r.re2 || !takesPart(n, k, dealer, second)) continue;
            (a == 0 ? a : b) = k;
        }
        if (b == 0) return std::nullopt;
    }
    if (a > b) std::swap(a, b);
    return ReckonedRow{10 * a + b, value.valueForRe < 0 ? -value.valueForRe : value.valueForRe};
}

bool reckoningMatches(const PadState& pad, int row, const Reckoning& r) {
    const GameRow& cells = pad.gameTable.at(static_cast<std::size_t>(row));
    const std::optional<ReckonedRow> want =
        reckonedRow(r, pad.playerCount, cells[8], cells[9], pad.houseRules.values);
    const auto base = pad.bockBase.find(row);
    const int value = base == pad.bockBase.end() ? cells[1] : base->second;
    return want && want->players == cells[0] && want->value == value;
}

std::vector<std::string> rowReckoning(const PadState& pad, int row) {
    const auto found = pad.reckonings.find(row);
    if (found == pad.reckonings.end()) return {};
    const GameValue value = computeGameValue(found->second.play, pad.houseRules.values);
    const std::string name = row > pad.lastGameRow ? "Solo " + std::to_string(row - pad.lastGameRow)
                                                   : "Spiel " + std::to_string(row);
    std::vector<std::string> lines{name + ": " + value.summary()};
    for (const std::string& line : value.reckoning())
        lines.push_back(line);
    if (const int level = bockLevelOf(pad, row); level > 0)
        lines.push_back(bockName(level) + ": " +
                        std::to_string(pad.gameTable[static_cast<std::size_t>(row)][1]) +
                        " im Block");
    return lines;
}

void setPendingReckoning(Program& p, const Reckoning& r) {
    p.pad.pendingReckoning = r;
}

}  // namespace kx
