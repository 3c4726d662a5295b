#include "core/Bock.h"

#include <algorithm>

#include "core/Correction.h"
#include "core/EntryPanel.h"
#include "core/Program.h"
#include "core/Reckoning.h"
#include "io/PadFile.h"
#include "view/PadRender.h"

namespace kx {

namespace {

// Starts a round after a trigger; `inBock` says the trigger fell in a Bock
// game or while Bock games were pending.
void startRound(std::vector<int>& ahead, const BockRules& rules, int length, bool inBock) {
    if (inBock && rules.stacking == BockStacking::Ignore) return;
    if (rules.stacking == BockStacking::Stack) {
        if (static_cast<int>(ahead.size()) < length)
            ahead.resize(static_cast<std::size_t>(length), 0);
        const int most = std::clamp(rules.maxLevel, 1, MAX_BOCK_LEVEL);
        for (int i = 0; i < length; ++i)
            ahead[static_cast<std::size_t>(i)] =
                std::min(ahead[static_cast<std::size_t>(i)] + 1, most);
        return;
    }
    ahead.insert(ahead.end(), static_cast<std::size_t>(length), 1);
}

bool singlePlayer(int players) {
    return players >= 1 && players <= MAX_PLAYERS;
}

int section(const PadState& pad, int row) {
    return row <= pad.lastGameRow ? 1 : 2;
}

// The row's game before Bock: the calculator's rows from their inputs under
// the rules, the others from the table (a Bock row from its kept base value).
RowGame baseGame(const PadState& pad, int row, const HouseRules& rules) {
    const GameRow& cells = pad.gameTable[static_cast<std::size_t>(row)];
    RowGame game{cells[0], cells[1]};
    if (const auto base = pad.bockBase.find(row); base != pad.bockBase.end())
        game.value = base->second;
    if (const auto r = pad.reckonings.find(row); r != pad.reckonings.end()) {
        if (const std::optional<ReckonedRow> want =
                reckonedRow(r->second, pad.playerCount, cells[8], cells[9], rules.values))
            game = {want->players, want->value};
    }
    return game;
}

// Whether an announcement was lost: a party that said "Re" or "Kontra" (or an
// absage) did not win.
bool announcementLost(const GameValue& value, const GamePlay& play) {
    const auto said = [](const PartyPlay& party) {
        return party.announced || party.absage != Absage::None;
    };
    return (said(play.re) && value.winner != Winner::Re) ||
           (said(play.kontra) && value.winner != Winner::Kontra);
}

bool triggers(const PadState& pad, int row, const RowGame& game, const HouseRules& rules) {
    const BockTriggers& t = rules.bock.triggers;
    const bool normal = section(pad, row) == 1;
    if (t.byHand && pad.bockMarks.count(row) > 0) return true;
    if (t.zeroGame && normal && game.value == 0) return true;
    if (t.lostSolo && (!normal || singlePlayer(game.players)) && game.value < 0) return true;
    const auto r = pad.reckonings.find(row);
    if (r == pad.reckonings.end()) return false;
    const GamePlay& play = r->second.play;
    if (t.tie120 && play.reCardPoints == 120) return true;
    if (!t.lostAnnouncement) return false;
    const GameValue value = computeGameValue(play, rules.values);
    return value.error.empty() && announcementLost(value, play);
}

// The entered games in played order: each solo after the normal games entered
// before it; a solo whose place is not known counts as played last.
std::vector<int> playedOrder(const PadState& pad) {
    std::vector<std::pair<int, int>> keyed;  // (place, row); a solo sorts before game place+1
    const int entered = pad.nextGameRow - 1;
    for (int row = 1; row <= entered; ++row)
        keyed.emplace_back(2 * row, row);
    for (int row = pad.lastGameRow + 1; row < pad.nextSoloRow; ++row) {
        const auto after = pad.soloAfter.find(row);
        const int place = after == pad.soloAfter.end() ? entered : std::min(after->second, entered);
        keyed.emplace_back(2 * place + 1, row);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> rows;
    for (const auto& [place, row] : keyed)
        rows.push_back(row);
    return rows;
}

int& cellOf(Program& p, int row, int column) {
    return p.pad.gameTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

// Moves row `row` from what it holds to `want` in it and every later entered
// row of its section, as a correction does.
void moveRow(Program& p, int row, const RowGame& want) {
    const int oldPlayers = cellOf(p, row, 0);
    const int oldValue = cellOf(p, row, 1);
    const int sitOut = cellOf(p, row, 8) == EMPTY_CELL ? 0 : cellOf(p, row, 8);
    const int last = section(p.pad, row) == 1 ? p.pad.nextGameRow - 1 : p.pad.nextSoloRow - 1;
    const auto apply = [&](int r, int players, int value) {
        if (singlePlayer(players))
            applySoloChange(p, r, value, players, sitOut);
        else
            applyPairChange(p, r, value, players / 10, players % 10, sitOut);
    };
    for (int r = row; r <= last; ++r) {
        apply(r, oldPlayers, -oldValue);
        apply(r, want.players, want.value);
    }
    cellOf(p, row, 0) = want.players;
    cellOf(p, row, 1) = want.value;
}

void showBock(Program& p, const BockPlan& plan) {
    showBockRows(p, plan.levels);
    showBockChoice(p);
    const std::string text = bockStatusText(p.pad);
    if (!text.empty() || !p.ui.status(3).empty()) p.ui.setStatus(3, text);
}

}  // namespace

BockPlan deriveBock(const std::vector<BockGame>& games, const BockRules& rules, int roundLength) {
    BockPlan plan;
    for (const BockGame& game : games) {
        int level = 0;
        if (game.normal && !plan.ahead.empty()) {
            level = plan.ahead.front();
            plan.ahead.erase(plan.ahead.begin());
            if (level > 0) plan.levels[game.row] = level;
        }
        if (game.trigger)
            startRound(plan.ahead, rules, roundLength, level > 0 || !plan.ahead.empty());
    }
    return plan;
}

int bockValue(int base, int level, bool single, BockEffect effect) {
    if (level <= 0) return base;
    long long value = base;
    if (effect == BockEffect::Double)
        value = base * (1LL << level);
    else
        value = base + (base < 0 ? -1 : 1) * (single ? 6 : 2) * level;
    return static_cast<int>(std::clamp<long long>(value, -MAX_GAME_VALUE, MAX_GAME_VALUE));
}

PadRecompute recomputeOf(const PadState& pad, const HouseRules& rules) {
    PadRecompute out;
    for (const int row : playedOrder(pad)) {
        const RowGame game = baseGame(pad, row, rules);
        out.base[row] = game;
        out.games.push_back({row, section(pad, row) == 1, triggers(pad, row, game, rules)});
    }
    out.plan = deriveBock(out.games, rules.bock, pad.playerCount);
    for (const auto& [row, game] : out.base) {
        const auto level = out.plan.levels.find(row);
        const int l = level == out.plan.levels.end() ? 0 : level->second;
        out.rows[row] = {game.players,
                         bockValue(game.value, l, singlePlayer(game.players), rules.bock.effect)};
    }
    return out;
}

PadRecompute recomputeOf(const PadState& pad) {
    return recomputeOf(pad, pad.houseRules);
}

int gamesChangedBy(const PadState& pad, const HouseRules& rules) {
    int changed = 0;
    for (const auto& [row, want] : recomputeOf(pad, rules).rows) {
        const GameRow& cells = pad.gameTable[static_cast<std::size_t>(row)];
        if (want != RowGame{cells[0], cells[1]}) ++changed;
    }
    return changed;
}

int recomputePad(Program& p) {
    PadState& pad = p.pad;
    // Without Bock triggers, calculated games or Bock rows every row already
    // holds what it would be recomputed to: the usual evening skips the work.
    if (!pad.houseRules.bock.triggers.any() && pad.reckonings.empty() && pad.bockBase.empty()) {
        showBock(p, BockPlan{});
        return 0;
    }
    const PadRecompute re = recomputeOf(pad);
    int changed = 0;
    for (const auto& [row, want] : re.rows) {
        const GameRow& cells = pad.gameTable[static_cast<std::size_t>(row)];
        if (want == RowGame{cells[0], cells[1]}) continue;
        moveRow(p, row, want);
        ++changed;
    }
    pad.bockBase.clear();
    for (const auto& [row, level] : re.plan.levels)
        pad.bockBase[row] = re.base.at(row).value;
    if (changed > 0) rebuildPad(p);
    showBock(p, re.plan);
    return changed;
}

int bockLevelOf(const PadState& pad, int row) {
    if (!pad.houseRules.bock.triggers.any()) return 0;
    const BockPlan plan = recomputeOf(pad).plan;
    const auto level = plan.levels.find(row);
    return level == plan.levels.end() ? 0 : level->second;
}

int nextBockLevel(const PadState& pad) {
    if (!pad.houseRules.bock.triggers.any() || pad.nextGameRow > pad.lastGameRow) return 0;
    const BockPlan plan = recomputeOf(pad).plan;
    return plan.ahead.empty() ? 0 : plan.ahead.front();
}

std::string bockStatusText(const PadState& pad) {
    if (!pad.houseRules.bock.triggers.any()) return "";
    const BockPlan plan = recomputeOf(pad).plan;
    const int left = std::max(0, pad.lastGameRow - pad.nextGameRow + 1);
    if (plan.ahead.empty() || left == 0 || plan.ahead.front() == 0) return "";
    const int level = plan.ahead.front();
    int count = 0;
    while (count < left && count < static_cast<int>(plan.ahead.size()) &&
           plan.ahead[static_cast<std::size_t>(count)] == level)
        ++count;
    if (level == 1)
        return "Bock: noch " + std::to_string(count) + (count == 1 ? " Spiel" : " Spiele");
    return bockName(level) + ": noch " + std::to_string(count);
}

}  // namespace kx
