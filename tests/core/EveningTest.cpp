#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/Program.h"
#include "support/TestProgram.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

namespace kx {
namespace {

const char* const NAMES[] = {"", "Anna", "Ben", "Cleo", "Dirk", "Eva", "Finn"};

// A whole evening played through the panel as a user would, for one table
// size. After every entry the program is compared with our own bookkeeping of
// what the pad must show after exactly these games.
class EveningTest : public testing::TestWithParam<int> {
  protected:
    test::TestProgram t;
    Program& p = t.p;
    const int n = GetParam();
    PlayerValues game{}, solo{}, penalty{};
    int dealer = 1, second = 6, games = 0, solos = 0, penalties = 0;
    std::array<bool, 7> soloDone{};
    std::set<std::pair<int, int>> pairsUnplayed;

    std::set<int> sitOut(int d) const {
        if (n == 4 || d == 0) return {};
        if (n == 5) return {d};
        return {d, previousSeat(d)};
    }

    // Winners get `value`, every other player who takes part loses `loss`.
    void score(PlayerValues& totals, const std::set<int>& out, std::set<int> winners, int value,
               int loss) {
        for (int j = 1; j <= n; ++j)
            if (!out.count(j))
                totals[static_cast<std::size_t>(j)] += winners.count(j) ? value : -loss;
    }

    void normalGame(int g) {
        const std::set<int> out = sitOut(dealer);
        std::vector<int> singles;
        std::vector<std::pair<int, int>> pairs;
        for (int a = 1; a <= n; ++a) {
            if (out.count(a)) continue;
            if (n == 6 || soloDone[static_cast<std::size_t>(a)]) singles.push_back(a);
            for (int b = a + 1; b <= n; ++b)
                if (!out.count(b)) pairs.emplace_back(a, b);
        }
        if (g % 4 == 3 && !singles.empty()) {  // every fourth game one player alone
            const int a = singles[static_cast<std::size_t>(g / 4) % singles.size()];
            const int v = (g % 8 == 3 ? 3 : -6) * (1 + g % 5);
            ASSERT_TRUE(test::enterSingle(p, a, v));
            score(game, out, {a}, v, v / 3);
            return check(games + 1, game, out, std::to_string(a), v);
        }
        // The first pair not yet played, else one that varies with the game.
        std::pair<int, int> pair = pairs[static_cast<std::size_t>(g) % pairs.size()];
        for (const auto& q : pairs)
            if (pairsUnplayed.erase(q)) {
                pair = q;
                break;
            }
        const auto [a, b] = pair;
        const int v = g * 7 % 19;
        ASSERT_TRUE(test::enterPair(p, a, b, v));
        score(game, out, {a, b}, v, v);
        check(games + 1, game, out, std::to_string(a) + " / " + std::to_string(b), v);
    }

    void mandatorySolo(int s) {
        const int d = n == 4 ? 0 : (s + 1 + s % 2) % n + 1;  // two or three seats on
        const int v = (s % 2 ? 3 : -3) * (2 + s);
        ASSERT_TRUE(test::enterSolo(p, s, v, d));
        soloDone[static_cast<std::size_t>(s)] = true;
        score(solo, sitOut(d), {s}, v, v / 3);
        check(5 * n + solos + 1, solo, sitOut(d), std::to_string(s), v);
    }

    void penaltyEntry() {
        const int player =
            (dealer + penalties + n - 1) % n + 1;  // the dealer, then the seats after
        const std::set<int> out = n == 6 ? std::set<int>{second} : std::set<int>{};
        ASSERT_TRUE(test::enterPenalty(p, player));
        score(penalty, out, {player}, -12, n == 4 ? -4 : -3);
        check(6 * n + penalties + 1, penalty, out, std::to_string(player), -12);
    }

    // Counts the entry just made into `row`, then compares everything shown.
    void check(int row, const PlayerValues& totals, const std::set<int>& out,
               const std::string& spl, int value) {
        if (row > 6 * n)
            ++penalties;
        else if (row > 5 * n)
            ++solos;
        else if (++games < 5 * n) {
            dealer = dealer % n + 1;
            if (n == 6) second = second % 6 + 1;
        }
        const PadState& pad = p.pad;
        for (const PlayerValues* section : {&pad.gamePoints, &pad.soloPoints, &pad.penaltyPoints})
            EXPECT_EQ(test::sectionSum(*section), 0);
        EXPECT_EQ(std::tuple(pad.gamePoints, pad.soloPoints, pad.penaltyPoints, pad.dealer,
                             pad.secondSitOut),
                  std::tuple(game, solo, penalty, dealer, second));

        std::vector<std::string> cells;
        int turnover = 0;
        for (int j = 1; j <= n; ++j) {
            const auto k = static_cast<std::size_t>(j);
            cells.push_back(out.count(j) ? "xxx" : std::to_string(totals[k]));
            EXPECT_EQ(pad.gameTable[static_cast<std::size_t>(row)][k + 1], totals[k]);
            const int overall = game[k] + solo[k] + penalty[k];
            EXPECT_EQ(p.ui.SPsum(j).text, std::to_string(overall));
            turnover += std::abs(overall);
        }
        EXPECT_EQ(test::rowTexts(p, row), cells);
        EXPECT_EQ(p.ui.SPL(row).text + " | " + p.ui.PKT(row).text,
                  spl + " | " + std::to_string(value));
        EXPECT_EQ(p.ui.status(2), std::string("Geber: ") + NAMES[dealer]);
        EXPECT_EQ(p.ui.status(4), "Umsatz: " + std::to_string(turnover / 2));
        EXPECT_EQ(p.ui.status(5), "Gespielt: " + (games ? std::to_string(games) : ""));
        EXPECT_EQ(p.ui.status(6), "Soli: " + (solos ? std::to_string(solos) : ""));
        checkPanel();
    }

    void checkPanel() {
        const WindowModel& ui = p.ui;
        const bool gamesOpen = games < 5 * n, solosOpen = solos < n, penaltiesOpen = penalties < 3;
        EXPECT_EQ((std::vector<bool>{ui.MDS(1).enabled, ui.MDS(2).enabled, ui.MDS(3).enabled,
                                     p.pad.padRunning}),
                  (std::vector<bool>{gamesOpen, solosOpen, penaltiesOpen, gamesOpen || solosOpen}));
        EXPECT_EQ(p.pad.chosenPlayer + checkedOption(ui.WER1) + checkedOption(ui.WER2), 0);

        const int pairChoices = n == 4 ? 6 : n == 5 ? 10 : 15;
        std::string out;
        for (int j : sitOut(dealer))
            out += std::to_string(j);
        for (const Control& c : ui.WER1) {
            const int alone = c.index - 15;
            const bool offered =
                c.index <= pairChoices ||
                (alone >= 1 && alone <= n && (n == 6 || soloDone[static_cast<std::size_t>(alone)]));
            EXPECT_EQ(c.visible, gamesOpen && offered) << c.text;
            // After a normal game "Spiel" stays the mode: the new sit-outs are locked.
            if (p.pad.entryMode == 1 && gamesOpen) {
                EXPECT_EQ(c.enabled, c.text.find_first_of(out) == std::string::npos) << c.text;
            }
        }
        EXPECT_EQ(ui.WAS1.visible || ui.WAS1s.visible, gamesOpen);
        EXPECT_FALSE(ui.WAS1.visible && ui.WAS1s.visible);
        for (int j = 1; j <= 6; ++j) {
            EXPECT_EQ(ui.WER2(j).visible, j <= n && !soloDone[static_cast<std::size_t>(j)]) << j;
            EXPECT_EQ(ui.WER3(j).visible, j <= n && penaltiesOpen) << j;
        }
        EXPECT_EQ(ui.WAS2.visible, solosOpen);
        EXPECT_EQ(ui.WIE2.visible, n > 4 && solosOpen);
    }
};

// Solos come early (at four and five players a single player is offered only
// after his solo), every fourth game is one player's alone, the pairs run
// through every pair the table allows, and one penalty falls early, one in
// the middle and one after the pad is finished.
TEST_P(EveningTest, WholeEveningKeepsEveryTotalAndTheDealInStep) {
    newPad(p, n);
    for (int j = 1; j <= n; ++j)
        ASSERT_TRUE(editName(p, j, NAMES[j]));
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            pairsUnplayed.insert({a, b});
    for (int g = 1, soloist = 1; g <= 5 * n; ++g) {
        SCOPED_TRACE(testing::Message() << "game " << g);
        if (g == 2 || g == 3 * n) penaltyEntry();
        if (g % 3 == 1 && soloist <= n) mandatorySolo(soloist++);
        normalGame(g);
        if (HasFatalFailure()) return;
    }
    EXPECT_TRUE(pairsUnplayed.empty()) << pairsUnplayed.size() << " pairs never played";
    EXPECT_EQ(solos, n);
    penaltyEntry();
    EXPECT_EQ(penalties, 3);
    for (int mode = 1; mode <= 3; ++mode)
        EXPECT_FALSE(p.ui.MDS(mode).enabled) << mode;
    EXPECT_FALSE(p.pad.padRunning);
}

INSTANTIATE_TEST_SUITE_P(TableSizes, EveningTest, testing::Values(4, 5, 6),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "Players";
                         });

}  // namespace
}  // namespace kx
