#include "io/ExtrasBatch.h"

#include "core/HouseRules.h"
#include "core/Program.h"
#include "io/CsvExport.h"
#include "io/Statistics.h"
#include "view/PadSheet.h"

namespace kx {

int settlementCommand(FileSystem& fs, const std::string& padFile, const std::string& cents,
                      const BatchStreams& streams) {
    const std::optional<int> rate =
        cents.empty() ? DEFAULT_CENTS_PER_POINT : parseCentsPerPoint(cents);
    if (!rate) {
        std::fprintf(
            streams.err,
            "Kartotrix: \xE2\x80\x9E%s\xE2\x80\x9C ist kein Betrag in Cent je Punkt (1 bis %d).\n",
            cents.c_str(), MAX_CENTS_PER_POINT);
        return BATCH_REFUSED;
    }
    Program program;
    if (!loadPadForBatch(program, fs, padFile, streams.err)) return BATCH_REFUSED;
    const SettlementReport report =
        settlementReport(playerNames(program), overallScores(program), *rate);
    if (!report.error.empty()) {
        std::fprintf(streams.err, "%s\n", report.error.c_str());
        return BATCH_REFUSED;
    }
    return deliverBatchOutput(fs, "", report.text(), "bei der Abrechnung", streams);
}

int rulesCommand(FileSystem& fs, const std::string& padFile, const BatchStreams& streams) {
    Program program;
    if (!loadPadForBatch(program, fs, padFile, streams.err)) return BATCH_REFUSED;
    std::string text;
    for (const std::string& line : describeRules(program.pad.houseRules))
        text += line + "\n";
    return deliverBatchOutput(fs, "", text, "bei den Hausregeln", streams);
}

int csvCommand(FileSystem& fs, const std::string& padFile, const std::string& target,
               const BatchStreams& streams) {
    Program program;
    if (!loadPadForBatch(program, fs, padFile, streams.err)) return BATCH_REFUSED;
    const Bytes bytes = csvBytes(padSheet(program, LocalTime{}));
    return deliverBatchOutput(fs, target, std::string(bytes.begin(), bytes.end()),
                              "beim CSV-Export", streams);
}

int statisticsCommand(FileSystem& fs, const std::string& folder, const BatchStreams& streams) {
    const Statistics statistics = collectStatistics(fs, folder);
    if (!statistics.error.empty()) {
        std::fprintf(streams.err, "%s\n", statistics.error.c_str());
        return BATCH_REFUSED;
    }
    return deliverBatchOutput(fs, "", statisticsText(statistics), "bei der Statistik", streams);
}

}  // namespace kx
