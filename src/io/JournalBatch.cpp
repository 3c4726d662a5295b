#include "io/JournalBatch.h"

#include "core/Program.h"
#include "view/Journal.h"

namespace kx {

int journalBatchCommand(FileSystem& fs, const std::string& padFile, const BatchStreams& streams) {
    Program program;
    if (!loadPadForBatch(program, fs, padFile, streams.err)) return BATCH_REFUSED;
    return deliverBatchOutput(fs, "", journalText(journalOf(program)), "beim Protokoll", streams);
}

}  // namespace kx
