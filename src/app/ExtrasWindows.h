#pragma once

#include "core/Program.h"
#include "view/Extras.h"

class QWidget;

namespace kx {

// The Qt windows of the menu "Extras": the settlement with its rate, the
// chart, the print dialog, the PDF renderer and the statistics table. Each
// window is built when it is opened and is gone when it closes.
class QtExtras : public ExtrasHost {
  public:
    explicit QtExtras(QWidget* parent) : parent_(parent) {}
    bool showSettlement(Program& p) override;
    bool showChart(Program& p, const ScoreChart& chart) override;
    bool printSheet(const PadSheet& sheet) override;
    std::optional<Bytes> sheetPdf(const PadSheet& sheet) override;
    // Defined in JournalWindow.cpp.
    bool showJournal(Program& p, JournalWindow& window) override;
    bool showStatistics(const Statistics& statistics) override;
    // Defined in StatesWindow.cpp.
    bool showEarlierStates(Program& p, StatesWindow& window) override;
    // Defined in RulesWindow.cpp.
    bool showHouseRules(Program& p, RulesWindowModel& window) override;

  private:
    QWidget* parent_;
};

}  // namespace kx
