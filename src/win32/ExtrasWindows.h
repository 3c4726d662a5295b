#pragma once

#include <windows.h>

#include <functional>

#include "view/Extras.h"

namespace kx::win {

// The Windows windows of the menu "Extras": the settlement with its rate,
// the chart, the print dialog and the statistics table, each modal over the
// main window and gone when it closes. Windows offers a program of its own
// no PDF writer, so "PDF-Export" is not offered here; the logic then points
// to printing on a PDF printer.
class Win32Extras : public ExtrasHost {
  public:
    // `mirror` copies the window model into the main window, so that a window
    // that changes the pad while it is open shows the change there at once.
    explicit Win32Extras(HWND owner, std::function<void()> mirror = {})
        : owner_(owner), mirror_(std::move(mirror)) {}
    bool showSettlement(Program& p) override;
    bool showChart(Program& p, const ScoreChart& chart) override;
    bool printSheet(const PadSheet& sheet) override;
    std::optional<Bytes> sheetPdf(const PadSheet& sheet) override;
    bool offersPdf() const override { return false; }
    // Defined in JournalWindow.cpp.
    bool showJournal(Program& p, JournalWindow& window) override;
    bool showStatistics(const Statistics& statistics) override;
    // Defined in StatesWindow.cpp.
    bool showEarlierStates(Program& p, StatesWindow& model) override;
    // Defined in RulesWindow.cpp.
    bool showHouseRules(Program& p, RulesWindowModel& model) override;

  private:
    HWND owner_;
    std::function<void()> mirror_;
};

}  // namespace kx::win
