#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "io/FileSystem.h"

namespace kx {

struct ScoreChart;

namespace win {

// The command line of the Windows program, read the way the Linux program
// reads its own: the same options, messages and exit statuses. Plain C++ on
// UTF-8 texts; main() turns the wide-character arguments into UTF-8.

// Values of options that a batch command takes besides its files ("cent" -> "10").
using BatchValues = std::map<std::string, std::string>;

// What the commands that draw need from the skin: the chart as PNG bytes, or
// nothing when the image could not be made. main() hands over the GDI+ drawing.
struct Drawing {
    std::function<std::optional<Bytes>(const ScoreChart&)> chartPng;
};

// A command that runs without a window: "--export PAD [TEXT]" and the like.
// It takes between minArguments and maxArguments file names; `run` gets them
// with the values of its valueOptions and returns the exit status.
struct BatchCommand {
    std::string option;  // without the dashes
    int minArguments = 0;
    int maxArguments = 0;
    std::string usage;  // one line of the help text: arguments, blanks, what it does
    std::function<int(FileSystem&, const std::vector<std::string>& arguments,
                      const BatchValues& values, const Drawing& drawing)>
        run;
    std::vector<std::string> valueOptions = {};  // options with a value only this command takes
    std::vector<std::string> flagOptions = {};   // options without a value only it takes
};
const std::vector<BatchCommand>& batchCommands();

struct CommandLine {
    enum class Mode { Window, Help, Version, Batch, Error };
    Mode mode = Mode::Window;
    std::string padFile;                  // Window: a pad to load, or empty
    bool phone = false;                   // Window: "--handy", the phone view switched on
    const BatchCommand* batch = nullptr;  // Batch
    std::vector<std::string> arguments;   // Batch: the file names
    BatchValues values;                   // Batch: its valueOptions' values, its flags with ""
    std::string error;                    // Error: the German message
};
// `arguments` starts with the program's own name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

// "--verlauf PAD PNG": the chart of the pad drawn by `drawing` into a PNG file.
int chartCommand(FileSystem& fs, const std::string& padFile, const std::string& target,
                 const Drawing& drawing);

// "--pdf PAD PDF": Windows offers a program of its own no PDF writer, so the
// command says so and writes nothing (exit status 2, as for refused input).
extern const char* const PDF_COMMAND_NOT_OFFERED;
int pdfCommand();

}  // namespace win
}  // namespace kx
