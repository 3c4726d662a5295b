#include "core/Settlement.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <numeric>

namespace kx {

namespace {

// Characters of a UTF-8 text, for aligning columns.
std::size_t textWidth(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string padRight(const std::string& text, std::size_t width) {
    const std::size_t w = textWidth(text);
    return w >= width ? text : text + std::string(width - w, ' ');
}

std::string padLeft(const std::string& text, std::size_t width) {
    const std::size_t w = textWidth(text);
    return w >= width ? text : std::string(width - w, ' ') + text;
}

std::string signedText(long long v) {
    return v > 0 ? "+" + std::to_string(v) : std::to_string(v);
}

// Settles one group whose balances sum to 0: the largest debt goes to the
// largest claim until all are even; each payment clears at least one member.
void settleGroup(std::vector<long long> balance, const std::vector<int>& members,
                 std::vector<Transfer>& out) {
    for (;;) {
        int payer = -1, payee = -1;
        for (int k : members) {
            const auto i = static_cast<std::size_t>(k);
            if (balance[i] < 0 &&
                (payer < 0 || balance[i] < balance[static_cast<std::size_t>(payer)]))
                payer = k;
            if (balance[i] > 0 &&
                (payee < 0 || balance[i] > balance[static_cast<std::size_t>(payee)]))
                payee = k;
        }
        if (payer < 0 || payee < 0) return;
        auto& owes = balance[static_cast<std::size_t>(payer)];
        auto& gets = balance[static_cast<std::size_t>(payee)];
        const long long amount = std::min(-owes, gets);
        out.push_back({payer, payee, amount});
        owes += amount;
        gets -= amount;
    }
}

}  // namespace

std::vector<Transfer> fewestTransfers(const std::vector<long long>& balances) {
    std::vector<int> open;  // players whose balance is not 0
    for (std::size_t k = 0; k < balances.size(); ++k)
        if (balances[k] != 0) open.push_back(static_cast<int>(k));
    const std::size_t m = open.size();
    const std::size_t full = (std::size_t{1} << m) - 1;
    std::vector<long long> sum(full + 1, 0);
    for (std::size_t mask = 1; mask <= full; ++mask) {
        const auto low = static_cast<std::size_t>(std::countr_zero(mask));
        sum[mask] = sum[mask & (mask - 1)] + balances[static_cast<std::size_t>(open[low])];
    }
    // groups[mask]: the most zero-sum groups mask splits into (-1: mask does
    // not sum to 0); first[mask]: the group holding mask's lowest member, of
    // equally good ones the one of the lowest seats, so that among equal
    // debts the first debtor pays the first creditor.
    std::vector<int> groups(full + 1, -1);
    std::vector<std::size_t> first(full + 1, 0);
    groups[0] = 0;
    for (std::size_t mask = 1; mask <= full; ++mask) {
        if (sum[mask] != 0) continue;
        const std::size_t low = mask & (~mask + 1);
        for (std::size_t part = mask; part != 0; part = (part - 1) & mask) {
            if ((part & low) == 0 || sum[part] != 0 || groups[mask ^ part] < 0) continue;
            const int count = groups[mask ^ part] + 1;
            if (count > groups[mask] || (count == groups[mask] && part < first[mask])) {
                groups[mask] = count;
                first[mask] = part;
            }
        }
    }
    std::vector<Transfer> transfers;
    if (m == 0 || groups[full] < 0) return transfers;  // nothing owed, or no zero sum
    for (std::size_t mask = full; mask != 0; mask ^= first[mask]) {
        std::vector<int> members;
        for (std::size_t i = 0; i < m; ++i)
            if ((first[mask] >> i) & 1u) members.push_back(open[i]);
        settleGroup(balances, members, transfers);
    }
    std::sort(transfers.begin(), transfers.end(), [](const Transfer& a, const Transfer& b) {
        return a.from != b.from ? a.from < b.from : a.to < b.to;
    });
    return transfers;
}

std::string euroText(long long cents) {
    const unsigned long long magnitude = cents < 0 ? 0ull - static_cast<unsigned long long>(cents)
                                                   : static_cast<unsigned long long>(cents);
    std::string euros = std::to_string(magnitude / 100);
    for (std::size_t at = euros.size(); at > 3; at -= 3)
        euros.insert(at - 3, ".");
    const unsigned long long rest = magnitude % 100;
    return (cents < 0 ? "-" : "") + euros + "," + (rest < 10 ? "0" : "") + std::to_string(rest) +
           " \xE2\x82\xAC";
}

std::string seatLabel(const std::string& name, int seat) {
    const auto blank = name.find_first_not_of(' ') == std::string::npos;
    if (blank || name == std::to_string(seat)) return "Spieler " + std::to_string(seat);
    return name;
}

std::string SettlementReport::heading() const {
    return "Abrechnung bei " + std::to_string(centsPerPoint) + " ct je Punkt";
}

std::vector<std::string> SettlementReport::balanceLines() const {
    std::size_t nameWidth = 0, pointWidth = 0, euroWidth = 0;
    for (std::size_t k = 0; k < names.size(); ++k) {
        nameWidth = std::max(nameWidth, textWidth(names[k]));
        pointWidth = std::max(pointWidth, signedText(scores[k]).size());
        euroWidth =
            std::max(euroWidth, textWidth(euroText(balances[k])) + (balances[k] > 0 ? 1 : 0));
    }
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string points =
            signedText(scores[k]) + (std::abs(scores[k]) == 1 ? " Punkt " : " Punkte");
        const std::string euros = (balances[k] > 0 ? "+" : "") + euroText(balances[k]);
        lines.push_back(padRight(names[k], nameWidth) + "  " + padLeft(points, pointWidth + 7) +
                        "  " + padLeft(euros, euroWidth));
    }
    return lines;
}

std::vector<std::string> SettlementReport::transferLines() const {
    std::vector<std::string> lines;
    for (const Transfer& t : transfers) {
        lines.push_back(names[static_cast<std::size_t>(t.from)] + " zahlt " +
                        names[static_cast<std::size_t>(t.to)] + " " + euroText(t.cents));
    }
    if (lines.empty()) lines.push_back("Niemand zahlt etwas.");
    return lines;
}

std::string SettlementReport::text() const {
    if (!error.empty()) return error + "\n";
    std::string text = heading() + "\n\n";
    for (const std::string& line : balanceLines())
        text += line + "\n";
    text += "\n";
    for (const std::string& line : transferLines())
        text += line + "\n";
    return text;
}

std::optional<int> parseCentsPerPoint(const std::string& text) {
    const auto from = text.find_first_not_of(' ');
    const auto to = text.find_last_not_of(' ');
    if (from == std::string::npos || to - from >= 5) return std::nullopt;
    int value = 0;
    for (std::size_t i = from; i <= to; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (value < 1 || value > MAX_CENTS_PER_POINT) return std::nullopt;
    return value;
}

SettlementReport settlementReport(const std::vector<std::string>& names,
                                  const std::vector<int>& scores, int centsPerPoint) {
    SettlementReport report;
    report.centsPerPoint = centsPerPoint;
    const long long total = std::accumulate(scores.begin(), scores.end(), 0LL);
    if (total != 0 || names.size() != scores.size()) {
        report.error = SETTLEMENT_REFUSED;
        return report;
    }
    report.scores = scores;
    for (std::size_t k = 0; k < names.size(); ++k) {
        report.names.push_back(seatLabel(names[k], static_cast<int>(k) + 1));
        report.balances.push_back(static_cast<long long>(scores[k]) * centsPerPoint);
    }
    report.transfers = fewestTransfers(report.balances);
    return report;
}

}  // namespace kx
