#include "view/Extras.h"

#include "core/Program.h"
#include "io/CsvExport.h"
#include "io/FileIo.h"
#include "io/Statistics.h"
#include "view/Commands.h"
#include "view/PadSheet.h"
#include "view/ScoreChart.h"

namespace kx {

namespace {

constexpr int PAD_EXTRAS[] = {CMD_SETTLEMENT, CMD_CHART,   CMD_PRINT,      CMD_PDF,
                              CMD_CSV,        CMD_JOURNAL, CMD_HOUSE_RULES};
constexpr const char* NOT_OFFERED =
    "Das bietet diese Oberfl\xC3\xA4"
    "che nicht an.";

void tell(Program& p, const std::string& text, const std::string& caption = "Kartotrix",
          MessageIcon icon = MessageIcon::Warning) {
    if (p.services.dialogs) p.services.dialogs->messageBox(text, caption, MessageButtons::Ok, icon);
}

void settlement(Program& p) {
    const SettlementReport report =
        settlementReport(playerNames(p), overallScores(p), p.shell.centsPerPoint);
    if (!report.error.empty()) {
        tell(p, report.error);
        return;
    }
    if (!p.services.extras || !p.services.extras->showSettlement(p))
        tell(p, report.text(), "Abrechnung", MessageIcon::Information);
}

void chart(Program& p) {
    if (!p.services.extras || !p.services.extras->showChart(p, scoreChart(p.pad)))
        tell(p, NOT_OFFERED);
}

void print(Program& p) {
    if (!p.services.extras || !p.services.extras->printSheet(padSheet(p, p.now())))
        tell(p, NOT_OFFERED);
}

void pdf(Program& p) {
    if (!p.services.extras) {
        tell(p, NOT_OFFERED);
        return;
    }
    if (!p.services.extras->offersPdf()) {
        tell(p, PDF_NOT_OFFERED, "PDF-Export", MessageIcon::Information);
        return;
    }
    const std::optional<Bytes> document = p.services.extras->sheetPdf(padSheet(p, p.now()));
    if (!document) {
        tell(p, PDF_FAILED);
        return;
    }
    saveExtrasFile(p, "PDF-Export", "karto.pdf", "PDF-Dokument", "pdf", *document);
}

void statistics(Program& p) {
    if (!p.services.dialogs || !p.services.files) return;
    const std::string folder = p.services.dialogs->folderName(
        "Statistik: Ordner mit Bl\xC3\xB6"
        "cken w\xC3\xA4hlen");
    if (folder.empty()) return;
    WindowHost* host = p.services.host;
    if (host) host->setBusy(true);
    const Statistics result = collectStatistics(*p.services.files, folder);
    if (host) host->setBusy(false);
    if (!result.error.empty()) {
        tell(p, result.error);
        return;
    }
    // Nothing to list: the text says so, with the files that did not count.
    if (result.evenings == 0) {
        tell(p, statisticsText(result), "Statistik", MessageIcon::Information);
        return;
    }
    if (!p.services.extras || !p.services.extras->showStatistics(result))
        tell(p, statisticsText(result), "Statistik", MessageIcon::Information);
}

bool endsWithSeparator(const std::string& name) {
    return !name.empty() && (name.back() == '\\' || name.back() == '/');
}

}  // namespace

const char* const PDF_NOT_OFFERED =
    "Einen PDF-Export bietet diese Oberfl\xC3\xA4"
    "che nicht an. \xC3\x9C"
    "ber \xE2\x80\x9E"
    "Drucken\xE2\x80\xA6\xE2\x80\x9C l\xC3\xA4sst sich der Block auf einem PDF-Drucker "
    "ausgeben, wenn einer eingerichtet ist.";
const char* const PDF_FAILED = "Fehler beim PDF-Export. Das Dokument konnte nicht erstellt werden.";

bool isExtrasCommand(int command) {
    return command > CMD_EXTRAS && command < CMD_EXTRAS_END;
}

void extrasCommand(Program& p, int command) {
    switch (command) {
        case CMD_SETTLEMENT:
            settlement(p);
            break;
        case CMD_CHART:
            chart(p);
            break;
        case CMD_PRINT:
            print(p);
            break;
        case CMD_PDF:
            pdf(p);
            break;
        case CMD_CSV:
            saveExtrasFile(p, "CSV-Export", "karto.csv", "CSV-Tabelle", "csv",
                           csvBytes(padSheet(p, p.now())));
            break;
        case CMD_STATISTICS:
            statistics(p);
            break;
        default:
            break;
    }
}

void enablePadExtras(WindowModel& ui, bool enabled) {
    for (int k : PAD_EXTRAS) {
        if (static_cast<std::size_t>(k) < ui.menu.size())
            ui.menu[static_cast<std::size_t>(k)].enabled = enabled;
    }
}

bool saveExtrasFile(Program& p, const std::string& what, const std::string& presetName,
                    const std::string& kind, const std::string& extension, const Bytes& bytes) {
    if (!p.services.dialogs || !p.services.files) return false;
    const std::string path = p.services.dialogs->saveFileNameFor(what, presetName, kind, extension);
    if (path.empty() || endsWithSeparator(path)) return false;
    WindowHost* host = p.services.host;
    if (host) host->setBusy(true);
    const FileResult written = replaceFile(*p.services.files, path, bytes);
    if (host) host->setBusy(false);
    if (!written) tell(p, "Fehler beim " + what + ". " + writeFailureText(path, written));
    return static_cast<bool>(written);
}

}  // namespace kx
