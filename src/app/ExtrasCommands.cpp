#include "ExtrasCommands.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <memory>

#include "ChartPainter.h"
#include "QtServices.h"
#include "SheetPainter.h"
#include "core/Program.h"
#include "view/PadSheet.h"
#include "view/ScoreChart.h"

namespace kx {

namespace {

// Fonts and painting need a QGuiApplication; without a window the offscreen
// platform does, display or no display.
class OffscreenGui {
  public:
    OffscreenGui() {
        if (QCoreApplication::instance()) return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }

  private:
    int argc_ = 1;
    char name_[10] = "kartotrix";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

LocalTime localTime(const QDateTime& t) {
    return {t.date().year(), t.date().month(),  t.date().day(),
            t.time().hour(), t.time().minute(), t.time().second()};
}

int deliver(FileSystem& fs, const std::string& target, const QByteArray& bytes, const char* what,
            const BatchStreams& streams) {
    if (bytes.isEmpty()) {
        std::fprintf(streams.err, "Fehler %s. Die Datei konnte nicht erstellt werden.\n", what);
        return BATCH_WRITE_FAILED;
    }
    return deliverBatchOutput(fs, target, bytes.toStdString(), what, streams);
}

}  // namespace

int chartCommand(FileSystem& fs, const std::string& padFile, const std::string& target,
                 const BatchStreams& streams) {
    Program program;
    if (!loadPadForBatch(program, fs, padFile, streams.err)) return BATCH_REFUSED;
    const OffscreenGui gui;
    return deliver(fs, target, chartPng(scoreChart(program.pad)), "beim Bildexport", streams);
}

int pdfCommand(FileSystem& fs, const std::string& padFile, const std::string& target,
               const BatchStreams& streams) {
    Program program;
    if (!loadPadForBatch(program, fs, padFile, streams.err)) return BATCH_REFUSED;
    const OffscreenGui gui;
    const QFileInfo info(qstr(padFile));
    const LocalTime date = eveningDate(padFile, localTime(info.lastModified()),
                                       localTime(QDateTime::currentDateTime()));
    return deliver(fs, target, sheetPdf(padSheet(program, date)), "beim PDF-Export", streams);
}

}  // namespace kx
