#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kx {

class FileSystem;

namespace win {

// The command line of the Windows program, read the way the Linux program
// reads its own: the same options, messages and exit statuses. Plain C++ on
// UTF-8 texts; main() turns the wide-character arguments into UTF-8.

// A command that runs without a window: "--export PAD [TEXT]" and the like.
struct BatchCommand {
    std::string option;  // without the dashes
    int minArguments = 0;
    int maxArguments = 0;
    std::string usage;  // one line of the help text: arguments, blanks, what it does
    std::function<int(FileSystem&, const std::vector<std::string>& arguments)> run;
};
const std::vector<BatchCommand>& batchCommands();

struct CommandLine {
    enum class Mode { Window, Help, Version, Batch, Error };
    Mode mode = Mode::Window;
    std::string padFile;                  // Window: a pad to load, or empty
    const BatchCommand* batch = nullptr;  // Batch
    std::vector<std::string> arguments;   // Batch: the file names
    std::string error;                    // Error: the German message
};
// `arguments` starts with the program's own name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

}  // namespace win
}  // namespace kx
