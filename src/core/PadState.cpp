#include "core/PadState.h"

#include "io/Cp1252.h"

namespace kx {

std::string PadState::shownName(int player) const {
    return printableText(playerNames.at(static_cast<std::size_t>(player)));
}

int PadState::entryCount() const {
    // Before the first pad the table holds no rows at all.
    if (!padOpen()) return 0;
    int count = 0;
    for (int r = 1; r <= LAST_PAD_ROW; ++r)
        count += gameTable[static_cast<std::size_t>(r)][0] != EMPTY_CELL;
    return count;
}

void PadState::resetForNewPad(int n, int startTime) {
    playerCount = n;
    lastGameRow = 5 * n;
    lastSoloRow = 6 * n;
    gamePoints.fill(0);
    soloPoints.fill(0);
    penaltyPoints.fill(0);
    for (GameRow& row : gameTable)
        row.fill(EMPTY_CELL);
    reckonings.clear();
    pendingReckoning.reset();
    houseRules = {};
    bockBase.clear();
    bockMarks.clear();
    soloAfter.clear();
    chosenBock = false;
    nextGameRow = 1;
    nextSoloRow = lastGameRow + 1;
    nextPenaltyRow = lastSoloRow + 1;
    dealer = 1;
    secondSitOut = 6;
    entryMode = 1;
    lastEntryRow = lastEntryValue = lastEntryPlayer1 = lastEntryPlayer2 = lastEntryDealer = 0;
    gamesComplete = false;
    solosComplete = false;
    padRunning = true;
    padStartTime = startTime;
}

int PadState::overallScore(int player) const {
    return gamePoints[player] + soloPoints[player] + penaltyPoints[player];
}

int previousSeat(int p) {
    const int seat = (p + 5) % 6;
    return seat == 0 ? 6 : seat;
}

bool takesPart(int playerCount, int player, int d, int s) {
    if (playerCount == 5) return player != d;
    if (playerCount == 6) return player != d && player != s;
    return true;
}

}  // namespace kx
