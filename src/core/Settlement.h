#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kx {

// Money at the end of the evening: every point is worth a rate in cents.
// Amounts are whole cents throughout, so the balances and the transfers are
// exact and the transfers settle every balance to the cent.
inline constexpr int DEFAULT_CENTS_PER_POINT = 5;
inline constexpr int MAX_CENTS_PER_POINT = 1000;

inline constexpr const char* SETTLEMENT_REFUSED =
    "Keine Abrechnung m\xC3\xB6glich: Die Gesamtst\xC3\xA4nde gehen nicht auf (\xE2\x80\x9E"
    "Umsatz: Fehler\xE2\x80\x9C). Bitte zuerst die Eintr\xC3\xA4ge pr\xC3\xBC"
    "fen.";

// One payment; players are indices into the balances (0 is the first player).
struct Transfer {
    int from = 0;
    int to = 0;
    long long cents = 0;
    bool operator==(const Transfer&) const = default;
};

// The fewest payments that bring every balance (in cents, summing to 0) to
// zero. With k players who are owed or owe something, and the largest
// number g of groups into which they can be split so that every group sums to
// 0 by itself, no settlement needs fewer than k - g payments; this finds such
// a split by an exact search over all subsets (at most six players, so at
// most 3^6 steps) and settles each group with one payment fewer than it has
// members. Payments are ordered by payer, then payee.
std::vector<Transfer> fewestTransfers(const std::vector<long long>& balances);

// "1,35 €", "1.234,50 €", "-0,05 €".
std::string euroText(long long cents);

// The name under which a seat appears in texts: its name, or "Spieler k" when
// the name is empty or still the seat's default digit.
std::string seatLabel(const std::string& name, int seat);

// The settlement of an evening from the overall scores of players 1..N.
struct SettlementReport {
    std::string error;  // set when the scores do not add up; then nothing else is
    int centsPerPoint = DEFAULT_CENTS_PER_POINT;
    std::vector<std::string> names;  // as seatLabel gives them
    std::vector<int> scores;
    std::vector<long long> balances;  // cents, + receives, - pays
    std::vector<Transfer> transfers;

    std::string heading() const;                    // "Abrechnung bei 5 ct je Punkt"
    std::vector<std::string> balanceLines() const;  // "Anna   +23 Punkte   +1,15 €", aligned
    std::vector<std::string> transferLines()
        const;                 // "Bert zahlt Anna 1,35 €", or "Niemand zahlt etwas."
    std::string text() const;  // all of it, one line each, or the error
};

// A rate typed by the user ("5", " 12 "): whole cents 1..MAX_CENTS_PER_POINT.
std::optional<int> parseCentsPerPoint(const std::string& text);

// names[k] and scores[k] belong to the player on seat k + 1.
SettlementReport settlementReport(const std::vector<std::string>& names,
                                  const std::vector<int>& scores, int centsPerPoint);

}  // namespace kx
