#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kx {

class FileSystem;

// Values of options that a batch command takes besides its files ("cent" -> "10").
using BatchValues = std::map<std::string, std::string>;

// A command that runs without a window: "--export PAD [TEXT]" and the like.
// It takes between minArguments and maxArguments file names; `run` gets them
// with the values of its valueOptions and returns the exit status.
struct BatchCommand {
    QString option;  // without the dashes
    int minArguments = 0;
    int maxArguments = 0;
    QString usage;  // one line of the help text: arguments, blanks, what it does
    std::function<int(FileSystem&, const std::vector<std::string>& arguments,
                      const BatchValues& values)>
        run;
    QStringList valueOptions = {};  // options with a value that only this command takes
    QStringList flagOptions = {};   // options without a value that only this command takes
};
const std::vector<BatchCommand>& batchCommands();

// What the command line asks for. Qt's own options (-style, -platform and
// the like) are accepted and left in place for QApplication.
struct CommandLine {
    enum class Mode { Window, Help, Version, Batch, Error };
    Mode mode = Mode::Window;
    QString padFile;                      // Window: a pad to load, or empty
    bool phone = false;                   // Window: "--handy", the phone view switched on
    const BatchCommand* batch = nullptr;  // Batch
    std::vector<std::string> arguments;   // Batch: the file names
    BatchValues values;                   // Batch: its valueOptions' values, its flags with ""
    QString error;                        // Error: the German message
};
CommandLine parseCommandLine(const QStringList& arguments);

QString usageText();

}  // namespace kx
