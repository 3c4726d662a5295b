#include "CommandLine.h"

#include "io/Batch.h"

namespace kx::win {

namespace {

std::string quoted(const std::string& text) {
    return "\xE2\x80\x9E" + text + "\xE2\x80\x9C";
}

// "-h" and "--help" alike; a single dash also opens a long name ("-help").
bool isOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

std::string optionName(const std::string& argument) {
    return argument.substr(argument.starts_with("--") ? 2 : 1);
}

// How an option the program does not know is named in the message.
std::string shownOption(const std::string& name) {
    return (name.size() == 1 ? "-" : "--") + name;
}

struct Parsed {
    std::vector<std::string> options;  // names in the order given, without a value
    std::vector<std::string> files;
    std::string error;
};

Parsed split(const std::vector<std::string>& arguments) {
    Parsed parsed;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || !isOption(argument)) {
            parsed.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else {
            parsed.options.push_back(optionName(argument));
        }
    }
    return parsed;
}

bool known(const std::string& name) {
    if (name == "h" || name == "help" || name == "version") return true;
    for (const BatchCommand& command : batchCommands()) {
        if (command.option == name) return true;
    }
    return false;
}

bool given(const Parsed& parsed, const std::string& name) {
    for (const std::string& option : parsed.options) {
        if (option == name) return true;
    }
    return false;
}

CommandLine failure(std::string message) {
    CommandLine line;
    line.mode = CommandLine::Mode::Error;
    line.error = std::move(message);
    return line;
}

// The arguments part of a usage line: "--export BLOCK.hsc [TEXT.txt]".
std::string usageCall(const std::string& usage) {
    return usage.substr(0, usage.find("  "));
}

}  // namespace

const std::vector<BatchCommand>& batchCommands() {
    static const std::vector<BatchCommand> commands{
        {"export", 1, 2,
         "--export BLOCK.hsc [TEXT.txt]   Textexport ohne Fenster (ohne TEXT.txt: Standardausgabe)",
         [](FileSystem& fs, const std::vector<std::string>& a) {
             return exportCommand(fs, a[0], a.size() > 1 ? a[1] : "");
         }},
    };
    return commands;
}

std::string usageText() {
    std::string text =
        "Aufruf:\n  kartotrix [BLOCK.hsc]                     Block-Fenster \xC3\xB6"
        "ffnen, "
        "optional mit einem Block\n";
    for (const BatchCommand& command : batchCommands())
        text += "  kartotrix " + command.usage + "\n";
    text +=
        "  kartotrix --help                          diese Hilfe\n"
        "  kartotrix --version                       Version anzeigen\n";
    return text;
}

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    const Parsed parsed = split(arguments);
    for (const std::string& option : parsed.options) {
        const std::string name = option.substr(0, option.find('='));
        if (!known(name))
            return failure("Kartotrix: Die Option " + quoted(shownOption(name)) +
                           " gibt es nicht.");
        // None of the options takes a value.
        if (name != option)
            return failure("Kartotrix: Bei der Option fehlt der Wert. Unexpected value after '" +
                           shownOption(name) + "'.");
    }
    CommandLine line;
    if (given(parsed, "h") || given(parsed, "help")) {
        line.mode = CommandLine::Mode::Help;
        return line;
    }
    if (given(parsed, "version")) {
        line.mode = CommandLine::Mode::Version;
        return line;
    }
    for (const BatchCommand& command : batchCommands()) {
        if (!given(parsed, command.option)) continue;
        if (line.batch)
            return failure("Kartotrix: " + quoted("--" + line.batch->option) + " und " +
                           quoted("--" + command.option) + " gehen nicht zusammen.");
        line.batch = &command;
    }
    const int files = static_cast<int>(parsed.files.size());
    if (line.batch) {
        if (files < line.batch->minArguments || files > line.batch->maxArguments)
            return failure("Kartotrix: Falsche Anzahl von Dateien. Aufruf: kartotrix " +
                           usageCall(line.batch->usage));
        line.mode = CommandLine::Mode::Batch;
        line.arguments = parsed.files;
        return line;
    }
    if (files > 1)
        return failure(
            "Kartotrix: Es kann nur ein Block ge\xC3\xB6"
            "ffnet werden.");
    if (files == 1) line.padFile = parsed.files.front();
    return line;
}

}  // namespace kx::win
