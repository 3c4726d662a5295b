#pragma once

#include <cstdio>
#include <string>

namespace kx {

class FileSystem;
struct Program;

// The commands that run without a window (from the command line), shared by
// every skin. Each writes its result to `out` (standard output) or to a file,
// and its German messages to `err`. Exit status: 0 done, 1 the output could
// not be written, 2 the input was refused.
struct BatchStreams {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
};

enum BatchStatus { BATCH_OK = 0, BATCH_WRITE_FAILED = 1, BATCH_REFUSED = 2 };

// Prepares a program without a window and loads a pad into it as "Laden"
// does. On refusal it writes the German reason to `err` and returns false.
bool loadPadForBatch(Program& p, FileSystem& fs, const std::string& padFile, std::FILE* err);

// Writes bytes to the file `target`, or to `out` when `target` is empty; a
// failure is reported to `err` as "Fehler " + `what` ("beim Textexport", "bei der
// Statistik") with the reason.
int deliverBatchOutput(FileSystem& fs, const std::string& target, const std::string& bytes,
                       const char* what, const BatchStreams& streams);

// "--export PAD [TEXT]": the text export of a pad file.
int exportCommand(FileSystem& fs, const std::string& padFile, const std::string& target,
                  const BatchStreams& streams = {});

}  // namespace kx
