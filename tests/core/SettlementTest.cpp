#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <random>

#include "core/Settlement.h"

namespace kx {
namespace {

using Balances = std::vector<long long>;

// Every payment is positive, goes from a debtor to a creditor, and together
// they bring every balance to exactly 0.
void expectSettles(const Balances& balances, const std::vector<Transfer>& transfers) {
    Balances rest = balances;
    for (const Transfer& t : transfers) {
        ASSERT_GT(t.cents, 0);
        ASSERT_LT(balances[static_cast<std::size_t>(t.from)], 0);
        ASSERT_GT(balances[static_cast<std::size_t>(t.to)], 0);
        rest[static_cast<std::size_t>(t.from)] += t.cents;
        rest[static_cast<std::size_t>(t.to)] -= t.cents;
    }
    for (long long r : rest)
        EXPECT_EQ(r, 0);
}

// The fewest payments by brute force over every split into groups: players
// with a non-zero balance minus the most groups that each sum to 0.
std::size_t fewestByPartitions(const Balances& balances) {
    std::vector<long long> open;
    for (long long b : balances)
        if (b != 0) open.push_back(b);
    int best = 0;
    std::vector<long long> groupSums;
    std::function<void(std::size_t)> place = [&](std::size_t i) {
        if (i == open.size()) {
            const bool allZero =
                std::all_of(groupSums.begin(), groupSums.end(), [](long long s) { return s == 0; });
            if (allZero) best = std::max(best, static_cast<int>(groupSums.size()));
            return;
        }
        for (std::size_t g = 0; g < groupSums.size();
             ++g) {  // by index: the recursion grows the vector
            groupSums[g] += open[i];
            place(i + 1);
            groupSums[g] -= open[i];
        }
        groupSums.push_back(open[i]);
        place(i + 1);
        groupSums.pop_back();
    };
    place(0);
    return open.size() - static_cast<std::size_t>(best);
}

TEST(Settlement, TablesOfFourFiveAndSix) {
    const struct {
        std::vector<int> scores;
        int rate;
        std::vector<std::string> transfers;
    } cases[] = {
        {{5, -1, -5, 1}, 5, {"B zahlt D 0,05 \xE2\x82\xAC", "C zahlt A 0,25 \xE2\x82\xAC"}},
        // Ties: two equal winners, two equal losers pay one each.
        {{7, 7, -7, -7}, 20, {"C zahlt A 1,40 \xE2\x82\xAC", "D zahlt B 1,40 \xE2\x82\xAC"}},
        // Zero balances take no part; one loser pays two winners.
        {{3, 0, -9, 6, 0}, 5, {"C zahlt A 0,15 \xE2\x82\xAC", "C zahlt D 0,30 \xE2\x82\xAC"}},
        {{4, -4, 10, -6, -4},
         1,
         {"B zahlt A 0,04 \xE2\x82\xAC", "D zahlt C 0,06 \xE2\x82\xAC",
          "E zahlt C 0,04 \xE2\x82\xAC"}},
        // Three pairs that settle among themselves: three payments, not five.
        {{3, -3, 8, -8, 1, -1},
         5,
         {"B zahlt A 0,15 \xE2\x82\xAC", "D zahlt C 0,40 \xE2\x82\xAC",
          "F zahlt E 0,05 \xE2\x82\xAC"}},
        {{25, 4, -8, -2, -11, -8},
         10,
         {"C zahlt A 0,80 \xE2\x82\xAC", "D zahlt B 0,20 \xE2\x82\xAC",
          "E zahlt A 1,10 \xE2\x82\xAC", "F zahlt A 0,60 \xE2\x82\xAC",
          "F zahlt B 0,20 \xE2\x82\xAC"}},
        {{0, 0, 0, 0, 0, 0}, 5, {"Niemand zahlt etwas."}},
    };
    const std::vector<std::string> letters{"A", "B", "C", "D", "E", "F"};
    for (const auto& c : cases) {
        const std::vector<std::string> names(letters.begin(),
                                             letters.begin() + static_cast<long>(c.scores.size()));
        const SettlementReport report = settlementReport(names, c.scores, c.rate);
        ASSERT_TRUE(report.error.empty());
        EXPECT_EQ(report.transferLines(), c.transfers) << ::testing::PrintToString(c.scores);
        for (std::size_t k = 0; k < c.scores.size(); ++k)
            EXPECT_EQ(report.balances[k], static_cast<long long>(c.scores[k]) * c.rate);
        expectSettles(report.balances, report.transfers);
    }
}

TEST(Settlement, FewestTransfersMatchesEverySplitAndSettlesToTheCent) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 400; ++round) {
        const std::size_t n = 4 + round % 3;
        // Small values make zero-sum groups likely; large ones test the arithmetic.
        const long long spread = round % 4 == 0 ? 3000000000LL : 4;
        std::uniform_int_distribution<long long> value(-spread, spread);
        Balances balances(n);
        for (std::size_t k = 0; k + 1 < n; ++k)
            balances[k] = value(random);
        balances[n - 1] = -std::accumulate(balances.begin(), balances.end() - 1, 0LL);
        const std::vector<Transfer> transfers = fewestTransfers(balances);
        expectSettles(balances, transfers);
        EXPECT_EQ(transfers.size(), fewestByPartitions(balances))
            << ::testing::PrintToString(balances);
    }
}

TEST(Settlement, ScoresThatDoNotAddUpAreRefused) {
    const SettlementReport report =
        settlementReport({"Anna", "Bert", "Carla", "Dieter"}, {3, 3, -3, -2}, 5);
    EXPECT_EQ(report.error, SETTLEMENT_REFUSED);
    EXPECT_TRUE(report.transfers.empty());
    EXPECT_EQ(report.text(), std::string(SETTLEMENT_REFUSED) + "\n");
}

TEST(Settlement, TextNamesDefaultSeatsAndAlignsTheColumns) {
    const SettlementReport report =
        settlementReport({"J\xC3\xBCrgen", "2", "Bea", " "}, {27, -1, -20, -6}, 5);
    EXPECT_EQ(report.text(),
              "Abrechnung bei 5 ct je Punkt\n\n"
              "J\xC3\xBCrgen     +27 Punkte  +1,35 \xE2\x82\xAC\n"
              "Spieler 2   -1 Punkt   -0,05 \xE2\x82\xAC\n"
              "Bea        -20 Punkte  -1,00 \xE2\x82\xAC\n"
              "Spieler 4   -6 Punkte  -0,30 \xE2\x82\xAC\n\n"
              "Spieler 2 zahlt J\xC3\xBCrgen 0,05 \xE2\x82\xAC\n"
              "Bea zahlt J\xC3\xBCrgen 1,00 \xE2\x82\xAC\n"
              "Spieler 4 zahlt J\xC3\xBCrgen 0,30 \xE2\x82\xAC\n");
}

TEST(Settlement, EuroTextAndRate) {
    EXPECT_EQ(euroText(0), "0,00 \xE2\x82\xAC");
    EXPECT_EQ(euroText(5), "0,05 \xE2\x82\xAC");
    EXPECT_EQ(euroText(-135), "-1,35 \xE2\x82\xAC");
    EXPECT_EQ(euroText(123456), "1.234,56 \xE2\x82\xAC");
    EXPECT_EQ(euroText(300000000000LL), "3.000.000.000,00 \xE2\x82\xAC");
    EXPECT_EQ(parseCentsPerPoint(" 12 "), 12);
    EXPECT_EQ(parseCentsPerPoint("1000"), 1000);
    for (const char* bad : {"", "0", "1001", "-5", "5,5", "zehn", "99999999999"})
        EXPECT_FALSE(parseCentsPerPoint(bad)) << bad;
}

}  // namespace
}  // namespace kx
