#include "CommandLine.h"

#include <algorithm>
#include <cstdio>

#include "core/Program.h"
#include "io/Batch.h"
#include "io/ExtrasBatch.h"
#include "io/GameValueBatch.h"
#include "io/JournalBatch.h"
#include "view/BoardCommands.h"
#include "view/ScoreChart.h"

namespace kx::win {

const char* const PDF_COMMAND_NOT_OFFERED =
    "Kartotrix: Einen PDF-Export bietet das Windows-Programm nicht an. \xC3\x9C"
    "ber \xE2\x80\x9E"
    "Extras > Drucken\xE2\x80\xA6\xE2\x80\x9C l\xC3\xA4sst sich der Block auf einem PDF-Drucker "
    "wie \xE2\x80\x9EMicrosoft Print to PDF\xE2\x80\x9C ausgeben.";

namespace {

std::string quoted(const std::string& text) {
    return "\xE2\x80\x9E" + text + "\xE2\x80\x9C";
}

// "-h" and "--help" alike; a single dash also opens a long name ("-help").
bool isOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

// The name of an option as written, without its dashes and its "=value".
std::string optionName(const std::string& argument) {
    const std::string name = argument.substr(argument.starts_with("--") ? 2 : 1);
    return name.substr(0, name.find('='));
}

// How an option the program does not know is named in the message.
std::string shownOption(const std::string& name) {
    return (name.size() == 1 ? "-" : "--") + name;
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool isFlag(const std::string& name) {
    if (name == "h" || name == "help" || name == "version") return true;
    return std::any_of(batchCommands().begin(), batchCommands().end(),
                       [&](const BatchCommand& command) {
                           return command.option == name || contains(command.flagOptions, name);
                       });
}

// The command that owns an option with a value, or null.
const BatchCommand* valueOwner(const std::string& name) {
    for (const BatchCommand& command : batchCommands()) {
        if (contains(command.valueOptions, name)) return &command;
    }
    return nullptr;
}

// The command that owns an option of its own, with or without a value, or null.
const BatchCommand* ownerOf(const std::string& name) {
    for (const BatchCommand& command : batchCommands()) {
        if (contains(command.valueOptions, name) || contains(command.flagOptions, name))
            return &command;
    }
    return nullptr;
}

struct Parsed {
    std::vector<std::string> options;  // names in the order given
    std::vector<std::string> files;
    BatchValues values;   // the last value given for each option with a value
    std::string unknown;  // the first option the program does not know
    std::string error;    // the last option given with a value too many or too few
};

// Reads the arguments left to right. An option with a value takes it after
// "=" or as the next argument, whatever that looks like; after "--" all are
// file names. An unknown option is named before any wrong value.
Parsed split(const std::vector<std::string>& arguments) {
    Parsed parsed;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || !isOption(argument)) {
            parsed.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::string name = optionName(argument);
        const std::size_t assign = argument.find('=');
        if (valueOwner(name)) {
            parsed.options.push_back(name);
            if (assign != std::string::npos) {
                parsed.values[name] = argument.substr(assign + 1);
            } else if (i + 1 < arguments.size()) {
                parsed.values[name] = arguments[++i];
            } else {
                parsed.error = "Missing value after '" + argument + "'.";
            }
        } else if (isFlag(name)) {
            parsed.options.push_back(name);
            // None of the other options takes a value.
            if (assign != std::string::npos)
                parsed.error = "Unexpected value after '" + argument.substr(0, assign) + "'.";
        } else if (parsed.unknown.empty()) {
            parsed.unknown = name;
        }
    }
    return parsed;
}

bool given(const Parsed& parsed, const std::string& name) {
    return std::find(parsed.options.begin(), parsed.options.end(), name) != parsed.options.end();
}

CommandLine failure(std::string message) {
    CommandLine line;
    line.mode = CommandLine::Mode::Error;
    line.error = std::move(message);
    return line;
}

// The call part of a usage line ("--export BLOCK.hsc [TEXT.txt]") and what it does.
std::string usageCall(const std::string& usage) {
    return usage.substr(0, usage.find("  "));
}
std::string usageWhat(const std::string& usage) {
    const std::size_t gap = usage.find("  ");
    return gap == std::string::npos ? "" : usage.substr(usage.find_first_not_of(' ', gap));
}

// Characters as the reader counts them: UTF-8 continuation bytes do not count.
std::size_t shownLength(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

const std::vector<BatchCommand>& batchCommands() {
    using Arguments = const std::vector<std::string>&;
    static const std::vector<BatchCommand> commands{
        {"export", 1, 2,
         "--export BLOCK.hsc [TEXT.txt]   Textexport ohne Fenster (ohne TEXT.txt: Standardausgabe)",
         [](FileSystem& fs, Arguments a, const BatchValues&, const Drawing&) {
             return exportCommand(fs, a[0], a.size() > 1 ? a[1] : "");
         }},
        // The end of the evening.
        {"abrechnung",
         1,
         1,
         "--abrechnung BLOCK.hsc [--cent 5]  Abrechnung in Euro (Cent je Punkt, Vorgabe 5)",
         [](FileSystem& fs, Arguments a, const BatchValues& v, const Drawing&) {
             return settlementCommand(fs, a[0], v.count("cent") ? v.at("cent") : "");
         },
         {"cent"}},
        {"verlauf", 2, 2, "--verlauf BLOCK.hsc BILD.png  Verlauf des Abends als Bild",
         [](FileSystem& fs, Arguments a, const BatchValues&, const Drawing& d) {
             return chartCommand(fs, a[0], a[1], d);
         }},
        {"pdf", 2, 2,
         "--pdf BLOCK.hsc BLATT.pdf  Block als A4-Blatt (PDF; unter Windows nicht angeboten)",
         [](FileSystem&, Arguments, const BatchValues&, const Drawing&) { return pdfCommand(); }},
        // The phone view needs a web server that this build does not have.
        {"handy", 0, 1,
         "--handy [BLOCK.hsc]  Tafel auf Handys zeigen (unter Windows nicht angeboten)",
         [](FileSystem&, Arguments, const BatchValues&, const Drawing&) {
             std::fprintf(stderr, "Kartotrix: %s\n", PHONE_NOT_OFFERED);
             return BATCH_REFUSED;
         }},
        {"csv", 1, 2,
         "--csv BLOCK.hsc [TABELLE.csv]  Tabelle f\xC3\xBCr Excel und LibreOffice (ohne Ziel: "
         "Standardausgabe)",
         [](FileSystem& fs, Arguments a, const BatchValues&, const Drawing&) {
             return csvCommand(fs, a[0], a.size() > 1 ? a[1] : "");
         }},
        {"protokoll", 1, 1, "--protokoll BLOCK.hsc  Protokoll aller \xC3\x84nderungen mit Uhrzeit",
         [](FileSystem& fs, Arguments a, const BatchValues&, const Drawing&) {
             return journalBatchCommand(fs, a[0]);
         }},
        {"regeln", 1, 1, "--regeln BLOCK.hsc  Hausregeln des Blocks",
         [](FileSystem& fs, Arguments a, const BatchValues&, const Drawing&) {
             return rulesCommand(fs, a[0]);
         }},
        {"statistik", 1, 1,
         "--statistik ORDNER  Statistik \xC3\xBC"
         "ber alle Bl\xC3\xB6"
         "cke eines Ordners",
         [](FileSystem& fs, Arguments a, const BatchValues&, const Drawing&) {
             return statisticsCommand(fs, a[0]);
         }},
        // The calculator needs no pad.
        {"spielwert", 0, 0, GAME_VALUE_USAGE,
         [](FileSystem& fs, Arguments, const BatchValues& v, const Drawing&) {
             return gameValueCommand(fs, v);
         },
         gameValueValueOptions(), gameValueFlags()},
    };
    return commands;
}

std::string usageText() {
    // Each line: the call, then its description in one column.
    std::vector<std::pair<std::string, std::string>> lines{{"[BLOCK.hsc]",
                                                            "Block-Fenster \xC3\xB6"
                                                            "ffnen, optional mit einem Block"}};
    for (const BatchCommand& command : batchCommands())
        lines.emplace_back(usageCall(command.usage), usageWhat(command.usage));
    lines.emplace_back("--help", "diese Hilfe");
    lines.emplace_back("--version", "Version anzeigen");
    std::size_t width = 0;
    for (const auto& line : lines)
        width = std::max(width, shownLength(line.first));
    std::string text = "Aufruf:\n";
    for (const auto& [call, what] : lines)
        text +=
            "  kartotrix " + call + std::string(width + 3 - shownLength(call), ' ') + what + "\n";
    return text + GAME_VALUE_OPTIONS_HELP;
}

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    const Parsed parsed = split(arguments);
    if (!parsed.unknown.empty())
        return failure("Kartotrix: Die Option " + quoted(shownOption(parsed.unknown)) +
                       " gibt es nicht.");
    if (!parsed.error.empty())
        return failure("Kartotrix: Bei der Option fehlt der Wert. " + parsed.error);
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
    // In the order the commands declare them, values before flags.
    for (const BatchCommand& command : batchCommands()) {
        std::vector<std::string> names = command.valueOptions;
        names.insert(names.end(), command.flagOptions.begin(), command.flagOptions.end());
        for (const std::string& name : names) {
            const bool flag = contains(command.flagOptions, name);
            if (ownerOf(name) != &command ||
                !(flag ? given(parsed, name) : parsed.values.count(name)))
                continue;
            if (line.batch != &command)
                return failure("Kartotrix: Die Option " + quoted("--" + name) +
                               " geht nur zusammen mit " + quoted("--" + command.option) + ".");
            line.values[name] = flag ? "" : parsed.values.at(name);
        }
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

int chartCommand(FileSystem& fs, const std::string& padFile, const std::string& target,
                 const Drawing& drawing) {
    Program program;
    if (!loadPadForBatch(program, fs, padFile, stderr)) return BATCH_REFUSED;
    const std::optional<Bytes> png =
        drawing.chartPng ? drawing.chartPng(scoreChart(program.pad)) : std::nullopt;
    if (!png || png->empty()) {
        std::fputs("Fehler beim Bildexport. Die Datei konnte nicht erstellt werden.\n", stderr);
        return BATCH_WRITE_FAILED;
    }
    return deliverBatchOutput(fs, target, std::string(png->begin(), png->end()), "beim Bildexport",
                              {});
}

int pdfCommand() {
    std::fprintf(stderr, "%s\n", PDF_COMMAND_NOT_OFFERED);
    return BATCH_REFUSED;
}

}  // namespace kx::win
