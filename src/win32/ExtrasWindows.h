#pragma once

#include <windows.h>

#include "view/Extras.h"

namespace kx::win {

// The Windows windows of the menu "Extras": the settlement with its rate,
// the chart, the print dialog and the statistics table, each modal over the
// main window and gone when it closes. Windows offers a program of its own
// no PDF writer, so "PDF-Export" is not offered here; the logic then points
// to printing on a PDF printer.
class Win32Extras : public ExtrasHost {
  public:
    explicit Win32Extras(HWND owner) : owner_(owner) {}
    bool showSettlement(Program& p) override;
    bool showChart(Program& p, const ScoreChart& chart) override;
    bool printSheet(const PadSheet& sheet) override;
    std::optional<Bytes> sheetPdf(const PadSheet& sheet) override;
    bool offersPdf() const override { return false; }
    bool showStatistics(const Statistics& statistics) override;
    // Defined in StatesWindow.cpp.
    bool showEarlierStates(Program& p, StatesWindow& model) override;

  private:
    HWND owner_;
};

}  // namespace kx::win
