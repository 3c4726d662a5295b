#pragma once

#include <string>

#include "io/Batch.h"

namespace kx {

// "--protokoll PAD": the pad's journal on standard output, one line per
// change as the window "Protokoll" shows it ("21:02 Korrektur Spiel 5:
// Punkte 3 → 5"), in UTF-8 with control characters as blanks. A pad without
// a journal prints nothing. Exit status as in io/Batch.h.
int journalBatchCommand(FileSystem& fs, const std::string& padFile,
                        const BatchStreams& streams = {});

}  // namespace kx
