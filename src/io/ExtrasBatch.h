#pragma once

#include <string>

#include "io/Batch.h"

namespace kx {

// The window-less commands of "Extras" that need no drawing (the chart and
// the PDF are drawn by the skin). Exit status as in io/Batch.h.

// "--abrechnung PAD [--cent N]": the settlement text on standard output. A
// rate that is no whole number of cents 1..1000, or a pad whose totals do not
// add up, is refused.
int settlementCommand(FileSystem& fs, const std::string& padFile, const std::string& cents,
                      const BatchStreams& streams = {});

// "--csv PAD [OUT]": the spreadsheet export, to OUT or standard output.
int csvCommand(FileSystem& fs, const std::string& padFile, const std::string& target,
               const BatchStreams& streams = {});

// "--regeln PAD": the pad's house rules in German, one line each.
int rulesCommand(FileSystem& fs, const std::string& padFile, const BatchStreams& streams = {});

// "--statistik FOLDER": the statistics across the folder's pads as a text table.
int statisticsCommand(FileSystem& fs, const std::string& folder, const BatchStreams& streams = {});

}  // namespace kx
