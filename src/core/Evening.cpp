#include "core/Evening.h"

namespace kx {

Section sectionOf(int n, int row) {
    if (row <= 5 * n) return Section::Game;
    if (row <= 6 * n) return Section::Solo;
    return Section::Penalty;
}

std::vector<EnteredRow> enteredRows(const GameTable& table, int n) {
    std::array<PlayerValues, 4> sections{};  // latest running totals, by Section
    std::vector<EnteredRow> rows;
    for (int r = 1; r <= 6 * n + 3; ++r) {
        const GameRow& cells = table[static_cast<std::size_t>(r)];
        if (cells[0] == EMPTY_CELL) continue;
        const Section section = sectionOf(n, r);
        PlayerValues& totals = sections[static_cast<std::size_t>(section)];
        for (int k = 1; k <= MAX_PLAYERS; ++k) {
            const int t = cells[static_cast<std::size_t>(k + 1)];
            if (t != EMPTY_CELL) totals[static_cast<std::size_t>(k)] = t;
        }
        EnteredRow entered{r, section, {}};
        for (int k = 1; k <= n; ++k) {
            const auto slot = static_cast<std::size_t>(k);
            entered.overall[slot] = sections[1][slot] + sections[2][slot] + sections[3][slot];
        }
        rows.push_back(entered);
    }
    return rows;
}

PlayerValues finalScores(const GameTable& table, int n) {
    const std::vector<EnteredRow> rows = enteredRows(table, n);
    return rows.empty() ? PlayerValues{} : rows.back().overall;
}

bool playedInRow(const GameTable& table, int n, int row, int player) {
    const GameRow& cells = table[static_cast<std::size_t>(row)];
    if (cells[0] == EMPTY_CELL || sectionOf(n, row) == Section::Penalty) return false;
    const int s1 = n > 4 ? cells[8] : 0;
    const int s2 = n == 6 ? cells[9] : 0;
    return player != s1 && player != s2;
}

}  // namespace kx
