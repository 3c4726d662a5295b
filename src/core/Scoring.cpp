#include "core/Scoring.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/Bock.h"
#include "core/EntryPanel.h"
#include "core/Program.h"
#include "io/PadFile.h"
#include "view/MainWindow.h"
#include "view/PadRender.h"

namespace kx {

namespace {

using std::to_string;

std::size_t slot(int player) {
    return static_cast<std::size_t>(player);
}

int thirdOf(int value) {
    return static_cast<int>(std::lround(value / 3.0));
}

void writeRow(PadState& pad, int row, int player, int value, int dealer, int second) {
    GameRow& cells = pad.gameTable[slot(row)];
    cells[0] = player;
    cells[1] = value;
    cells[8] = dealer;
    cells[9] = second;
    // A game made through the value calculator keeps its inputs, as long as
    // they give what is entered.
    if (pad.pendingReckoning && reckoningMatches(pad, row, *pad.pendingReckoning))
        pad.reckonings[row] = *pad.pendingReckoning;
}

void moveDealer(Program& p) {
    PadState& pad = p.pad;
    const int n = pad.playerCount;
    if (n >= 5) enablePlayerChoices(p, pad.dealer, true);
    if (n == 6) enablePlayerChoices(p, pad.secondSitOut, true);
    pad.dealer = pad.dealer % n + 1;
    if (n == 6) pad.secondSitOut = pad.secondSitOut % 6 + 1;
    if (n >= 5) enablePlayerChoices(p, pad.dealer, false);
    if (n == 6) enablePlayerChoices(p, pad.secondSitOut, false);
    p.ui.setStatus(2, "Geber: " + pad.shownName(pad.dealer));
}

void commitNormalGame(Program& p) {
    PadState& pad = p.pad;
    WindowModel& ui = p.ui;
    const int n = pad.playerCount;
    const int row = pad.nextGameRow;
    const int a = pad.chosenPlayer;
    const int b = pad.chosenPartner;
    const int v = pad.gameValue;

    ui.setStatus(5, "Gespielt: " + to_string(std::min(pad.nextGameRow, pad.lastGameRow)));
    pad.gamePoints[slot(a)] += v;
    if (a != b) {
        pad.gamePoints[slot(b)] += v;
        for (int k = 1; k <= n; ++k) {
            if (k != a && k != b && takesPart(n, k, pad.dealer, pad.secondSitOut))
                pad.gamePoints[slot(k)] -= v;
        }
        ui.SPL(row).text = to_string(a) + " / " + to_string(b);
        writeRow(pad, row, 10 * a + b, v, pad.dealer, pad.secondSitOut);
    } else {
        for (int k = 1; k <= n; ++k) {
            if (k != a && takesPart(n, k, pad.dealer, pad.secondSitOut))
                pad.gamePoints[slot(k)] -= thirdOf(v);
        }
        ui.SPL(row).text = to_string(a);
        writeRow(pad, row, a, v, pad.dealer, pad.secondSitOut);
    }
    ui.PKT(row).text = to_string(v);
    refreshPad(p, row, 1, 0);

    pad.lastEntryRow = row;
    pad.lastEntryValue = v;
    pad.lastEntryPlayer1 = a;
    pad.lastEntryPlayer2 = b;
    pad.lastEntryDealer = pad.dealer;

    if (row == pad.lastGameRow) {
        closeGameSection(p);
        pad.gamesComplete = true;
    } else {
        moveDealer(p);
    }
    ++pad.nextGameRow;
}

bool soloistSitsOut(const PadState& pad) {
    if (pad.playerCount == 5) return pad.chosenPlayer == pad.soloDealer;
    if (pad.playerCount == 6)
        return pad.chosenPlayer == pad.soloDealer || pad.chosenPlayer == pad.soloSecondSitOut;
    return false;
}

void commitSolo(Program& p) {
    PadState& pad = p.pad;
    WindowModel& ui = p.ui;
    const int n = pad.playerCount;
    const int row = pad.nextSoloRow;
    const int soloist = pad.chosenPlayer;
    const int v = pad.soloValue;

    ui.setStatus(6, "Soli: " + to_string(pad.nextSoloRow - pad.lastGameRow));
    pad.soloPoints[slot(soloist)] += v;
    for (int k = 1; k <= n; ++k) {
        if (k != soloist && takesPart(n, k, pad.soloDealer, pad.soloSecondSitOut))
            pad.soloPoints[slot(k)] -= thirdOf(v);
    }
    ui.SPL(row).text = to_string(soloist);
    ui.PKT(row).text = to_string(v);
    writeRow(pad, row, soloist, v, pad.soloDealer, pad.soloSecondSitOut);
    refreshPad(p, row, 2, pad.soloDealer);
    if (n == 6) refreshPad(p, row, 2, pad.soloSecondSitOut);

    pad.lastEntryRow = row;
    pad.lastEntryValue = v;
    pad.lastEntryPlayer1 = soloist;
    pad.lastEntryDealer = pad.soloDealer;

    if (row == pad.lastSoloRow) {
        closeSoloSection(p);
        pad.solosComplete = true;
    }
    ++pad.nextSoloRow;
    // Every player has exactly one mandatory solo; afterwards a solo of this
    // player counts as a single-player normal game.
    ui.WER2(soloist).visible = false;
    if (!pad.gamesComplete) ui.WER1(15 + soloist).visible = true;
}

void commitPenalty(Program& p) {
    PadState& pad = p.pad;
    WindowModel& ui = p.ui;
    const int n = pad.playerCount;
    const int row = pad.nextPenaltyRow;
    const int player = pad.chosenPlayer;

    pad.penaltyPoints[slot(player)] -= 12;
    for (int k = 1; k <= n; ++k) {
        if (k == player) continue;
        if (n == 4)
            pad.penaltyPoints[slot(k)] += 4;
        else if (n == 5 || k != pad.secondSitOut)
            pad.penaltyPoints[slot(k)] += 3;
    }
    ui.SPL(row).text = to_string(player);
    ui.PKT(row).text = "-12";
    writeRow(pad, row, player, -12, pad.dealer, pad.secondSitOut);
    refreshPad(p, row, 3, pad.secondSitOut);

    if (row == pad.lastPenaltyRow()) {
        closePenaltySection(p);
    } else {
        ++pad.nextPenaltyRow;
    }
}

// What the Bock rules need of an entry: its hand mark and, for a solo, how
// many normal games came before it; then the pad follows its rules.
void noteForBock(Program& p, int gameRow, int soloRow) {
    PadState& pad = p.pad;
    const bool mark = pad.chosenBock && pad.houseRules.bock.triggers.byHand;
    if (pad.nextGameRow > gameRow && mark) pad.bockMarks.insert(gameRow);
    if (pad.nextSoloRow > soloRow) {
        if (mark) pad.bockMarks.insert(soloRow);
        if (!pad.houseRules.isDefault()) pad.soloAfter[soloRow] = pad.nextGameRow - 1;
    }
    recomputePad(p);
}

void closeEntry(Program& p) {
    clearEntry(p);
    ++p.shell.changesSinceSave;
    // The time up to this entry, also when it ends the pad.
    showElapsedTime(p);
    PadState& pad = p.pad;
    if (pad.nextSoloRow > pad.lastSoloRow && pad.nextGameRow > pad.lastGameRow)
        pad.padRunning = false;
    if (pad.autosaveEnabled) autosave(p);
}

}  // namespace

void OKB_Click(Program& p) {
    PadState& pad = p.pad;
    const WindowModel& ui = p.ui;
    const int gameRow = pad.nextGameRow;
    const int soloRow = pad.nextSoloRow;
    if (pad.chosenPlayer == 0) return;
    switch (pad.entryMode) {
        case 1:
            if (checkedOption(ui.WER1) == 0) return;
            if (ui.WAS1.selection < 0 && ui.WAS1s.selection < 0 && !pad.valueBeyondList) return;
            commitNormalGame(p);
            break;
        case 2:
            if (checkedOption(ui.WER2) == 0 || (ui.WAS2.selection < 0 && !pad.valueBeyondList))
                return;
            if (pad.playerCount > 4 && ui.WIE2.selection < 0) return;
            if (soloistSitsOut(pad)) {
                p.ui.WIE2.selection = -1;
                pad.soloDealer = pad.soloSecondSitOut = 0;
                return;
            }
            commitSolo(p);
            break;
        case 3: {
            const int k = checkedOption(ui.WER3);
            if (k == 0) return;
            if (pad.chosenPlayer == pad.secondSitOut) {
                p.ui.WER3(k).checked = false;
                return;
            }
            // A pad loaded with its last penalty row filled takes no further penalty.
            if (pad.gameTable[slot(pad.nextPenaltyRow)][0] != EMPTY_CELL) return;
            commitPenalty(p);
            break;
        }
        default:
            return;
    }
    noteForBock(p, gameRow, soloRow);
    closeEntry(p);
}

}  // namespace kx
