#pragma once

#include <optional>
#include <string>

#include "io/FileSystem.h"

namespace kx {

struct Program;
struct WindowModel;
struct ScoreChart;
struct PadSheet;
struct Statistics;
struct JournalWindow;
struct StatesWindow;
struct RulesWindowModel;

// The menu "Extras": settlement, score chart, printing, PDF, CSV and
// statistics. The rules and the files are the logic's; what needs drawing or
// a window of its own is asked of the skin through ExtrasHost. A skin that
// does not offer a window gets the settlement and the statistics as text in a
// message box; drawing, printing and PDF then stay unavailable.
enum ExtrasCommand {
    CMD_EXTRAS = 36,  // the menu title
    CMD_SETTLEMENT = 37,
    CMD_CHART = 38,
    CMD_PRINT = 39,
    CMD_PDF = 40,
    CMD_CSV = 41,
    CMD_STATISTICS = 42,
    CMD_EXTRAS_END = 43,
};

class ExtrasHost {
  public:
    virtual ~ExtrasHost() = default;
    // Each returns false when the skin does not offer it.
    // The settlement window: the text of settlementReport for a rate the user
    // may change (kept in p.shell.centsPerPoint) and a button that copies it.
    virtual bool showSettlement(Program& p) = 0;
    virtual bool showChart(Program& p, const ScoreChart& chart) = 0;
    // The print dialog, then the sheet on the chosen printer.
    virtual bool printSheet(const PadSheet& sheet) = 0;
    // The sheet as a one-page A4 PDF document, made in memory; nothing when
    // it could not be made.
    virtual std::optional<Bytes> sheetPdf(const PadSheet& sheet) = 0;
    // False for a skin without a PDF writer: "PDF-Export" then points to
    // printing on a PDF printer instead.
    virtual bool offersPdf() const { return true; }
    // The window "Protokoll" (view/JournalWindow.h) until it is closed; it
    // forwards the selection and "Zurücknehmen" to the model.
    virtual bool showJournal(Program& p, JournalWindow& window) {
        (void)p, (void)window;
        return false;
    }
    virtual bool showStatistics(const Statistics& statistics) = 0;
    // The window "Frühere Stände" (view/StatesWindow.h) until it is closed;
    // it forwards the selection and "Wiederherstellen" to the model.
    virtual bool showEarlierStates(Program& p, StatesWindow& window) {
        (void)p, (void)window;
        return false;
    }
    // The window "Hausregeln" (view/RulesWindow.h), modal until "OK" has put
    // the rules into the pad or "Abbrechen" closed it.
    virtual bool showHouseRules(Program& p, RulesWindowModel& window) {
        (void)p, (void)window;
        return false;
    }
};

bool isExtrasCommand(int command);
// Runs an entry of "Extras"; frm0_MenuEvent has checked that it is enabled.
void extrasCommand(Program& p, int command);

// Entries that need an open pad: disabled at start-up, enabled by every new pad.
void enablePadExtras(WindowModel& ui, bool enabled);

// What "PDF-Export" says when the skin has no PDF writer, and when the
// document could not be made.
extern const char* const PDF_NOT_OFFERED;
extern const char* const PDF_FAILED;

// Asks for a file name for `kind` and writes the bytes there through
// replaceFile; a failure is reported with the file's name and the reason.
// Returns whether the file was written.
bool saveExtrasFile(Program& p, const std::string& what, const std::string& presetName,
                    const std::string& kind, const std::string& extension, const Bytes& bytes);

}  // namespace kx
