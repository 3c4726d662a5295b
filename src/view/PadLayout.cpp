#include "view/PadLayout.h"

#include <array>

#include "core/EntryPanel.h"
#include "core/Program.h"
#include "view/Extras.h"
#include "view/MainWindow.h"
#include "view/PadRender.h"

namespace kx {

namespace {

RowLayout makeLayout(int n) {
    RowLayout layout;
    layout.rowHeight = n == 4 ? 20 : n == 5 ? 18 : 16;
    const int rowCount = 6 * n + 3;
    for (int i = 1; i <= rowCount; ++i) {
        RowSlot slot;
        if (i <= 5 * n)
            slot.label = std::to_string(i);
        else if (i <= 6 * n)
            slot.label = "S" + std::to_string(i - 5 * n);
        else
            slot.label = "StP";
        slot.top = 24 + (i - 1) * layout.rowHeight + 2 * ((i - 1) / n);
        layout.rows.push_back(slot);
    }
    layout.totalsTop = layout.rows.back().top + layout.rowHeight + 2;
    return layout;
}

void placeCell(Control& c, int top, int height, std::string text) {
    c.rect = Rect{c.rect.left, top, c.rect.width, height};
    c.visible = true;
    c.text = std::move(text);
}

}  // namespace

const RowLayout& rowLayoutTable(int n) {
    static const std::array<RowLayout, 3> tables{makeLayout(4), makeLayout(5), makeLayout(6)};
    return tables.at(static_cast<std::size_t>(n - 4));
}

int padWidthFor(int n) {
    return 660 + 80 * (n - 4);
}

std::string nextSitOutMark(int& sitOutCellCount, int n) {
    const int c = ++sitOutCellCount;
    if (n == 5) {
        const int k = (c - 1) / 5 + 1;
        const int j = (c - 1) % 5 + 1;
        if (c <= 125 && j == (k - 1) % 5 + 1) return "xxx";
    } else if (n == 6) {
        const int k = (c - 1) / 6 + 1;
        const int j = (c - 1) % 6 + 1;
        const int dealer = (k - 1) % 6 + 1;
        if (c <= 180 && (j == dealer || j == previousSeat(dealer))) return "xxx";
    }
    return "";
}

void newPad(Program& p, int n) {
    WindowModel& ui = p.ui;
    p.shell.padWidth = padWidthFor(n);
    p.pad.resetForNewPad(n, p.secondsSinceMidnight());
    p.pad.journalId = p.journals.fresh();
    p.shell.changesSinceSave = 0;
    fitMainWindow(p);
    resetEntryPanel(p, n);

    const RowLayout& layout = rowLayoutTable(n);
    const int h = layout.rowHeight;
    for (int j = n + 1; j <= MAX_PLAYERS; ++j)
        ui.SPsum(j).visible = false;
    for (int i = 28; i <= LAST_PAD_ROW; ++i) {
        ui.CNT(i).visible = ui.SPL(i).visible = ui.PKT(i).visible = false;
        for (int j = 1; j <= MAX_PLAYERS; ++j)
            ui.SP[static_cast<std::size_t>(j)](i).visible = false;
    }

    int sitOutCellCount = 0;
    for (int i = 1; i <= static_cast<int>(layout.rows.size()); ++i) {
        const RowSlot& slot = layout.rows[static_cast<std::size_t>(i - 1)];
        placeCell(ui.CNT(i), slot.top, h, slot.label);
        placeCell(ui.SPL(i), slot.top, h, "");
        placeCell(ui.PKT(i), slot.top, h, "");
        for (int j = 1; j <= MAX_PLAYERS; ++j) {
            Control& cell = ui.SP[static_cast<std::size_t>(j)](i);
            if (j <= n)
                placeCell(cell, slot.top, h, n > 4 ? nextSitOutMark(sitOutCellCount, n) : "");
            else
                cell.visible = false;
        }
    }
    for (int j = 1; j <= n; ++j) {
        ui.NMS(j).background = padBackColour;
        ui.SPsum(j).background = padBackColour;
        ui.SPsum(j).mark = "";
        placeCell(ui.SPsum(j), layout.totalsTop, h, ui.SPsum(j).text);
    }
    showBockRows(p, {});

    for (int entry : {2, 3, 5})
        ui.menu[static_cast<std::size_t>(entry)].enabled = true;
    enablePadExtras(ui, true);
    ui.setStatus(2, "Geber: " + p.pad.shownName(p.pad.dealer));
    ui.setStatus(5, "Gespielt: ");
    ui.setStatus(6, "Soli: ");
    refreshPad(p, 0, 0, 0);
    p.pad.padRunning = true;
    p.pad.padStartTime = p.secondsSinceMidnight();
}

}  // namespace kx
