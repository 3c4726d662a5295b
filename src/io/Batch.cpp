#include "io/Batch.h"

#include <cerrno>

#include "core/Program.h"
#include "io/FileCommands.h"
#include "io/FileIo.h"
#include "io/PadFile.h"
#include "io/TextExport.h"
#include "view/MainWindow.h"

namespace kx {

bool loadPadForBatch(Program& p, FileSystem& fs, const std::string& padFile, std::FILE* err) {
    initProgram(p, "");
    p.services.files = &fs;
    frm0_Load(p, ScreenMetrics{});
    std::string error;
    switch (fs.kind(padFile)) {
        case FileKind::Missing:
            error = LOAD_ERROR_NOT_FOUND;
            break;
        case FileKind::Folder:
            error = LOAD_ERROR_FOLDER;
            break;
        default:
            error = readPadFile(p, padFile);
            break;
    }
    if (error.empty()) return true;
    std::fprintf(err, "%s\n", error.c_str());
    return false;
}

int deliverBatchOutput(FileSystem& fs, const std::string& target, const std::string& bytes,
                       const char* what, const BatchStreams& streams) {
    if (target.empty()) {
        errno = 0;
        const bool written =
            std::fwrite(bytes.data(), 1, bytes.size(), streams.out) == bytes.size();
        if (std::fflush(streams.out) == 0 && written) return BATCH_OK;
        const FileResult failed{FileStep::Write,
                                errno == ENOSPC ? FileError::DiskFull : FileError::Other};
        std::fprintf(streams.err, "Fehler %s. Die Standardausgabe nimmt nichts mehr an. %s\n", what,
                     reasonText(failed).c_str());
        return BATCH_WRITE_FAILED;
    }
    const FileResult written = replaceFile(fs, target, Bytes(bytes.begin(), bytes.end()));
    if (written) return BATCH_OK;
    std::fprintf(streams.err, "Fehler %s. %s\n", what, writeFailureText(target, written).c_str());
    return BATCH_WRITE_FAILED;
}

int exportCommand(FileSystem& fs, const std::string& padFile, const std::string& target,
                  const BatchStreams& streams) {
    Program program;
    if (!loadPadForBatch(program, fs, padFile, streams.err)) return BATCH_REFUSED;
    const Bytes text = exportBytes(program);
    return deliverBatchOutput(fs, target, std::string(text.begin(), text.end()), "beim Textexport",
                              streams);
}

}  // namespace kx
