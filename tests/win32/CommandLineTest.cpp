#include <gtest/gtest.h>

#include <algorithm>

#include "CommandLine.h"
#include "io/GameValueBatch.h"

namespace kx::win {
namespace {

using Mode = CommandLine::Mode;

CommandLine parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "C:\\Spiele\\kartotrix.exe");
    return parseCommandLine(arguments);
}

TEST(WindowsCommandLine, ModesAndFilesAsOnLinux) {
    // clang-format off
    const struct { std::vector<std::string> arguments; Mode mode; std::string padFile; std::vector<std::string> files; } cases[] = {
        {{}, Mode::Window, "", {}},
        {{"C:\\Abende\\M\xC3\xA4rz.hsc"}, Mode::Window, "C:\\Abende\\M\xC3\xA4rz.hsc", {}},
        {{"--", "-seltsam.hsc"}, Mode::Window, "-seltsam.hsc", {}},
        {{"-"}, Mode::Window, "-", {}},
        {{"-h"}, Mode::Help, "", {}},
        {{"--export", "a.hsc", "--help"}, Mode::Help, "", {}},
        {{"-help"}, Mode::Help, "", {}},
        {{"--version", "a.hsc"}, Mode::Version, "", {}},
        {{"--export", "a.hsc"}, Mode::Batch, "", {"a.hsc"}},
        {{"a.hsc", "--export", "b.txt"}, Mode::Batch, "", {"a.hsc", "b.txt"}},
        {{"-export", "a.hsc", "b.txt"}, Mode::Batch, "", {"a.hsc", "b.txt"}},
        {{"--handy"}, Mode::Window, "", {}},
        {{"a.hsc", "-handy"}, Mode::Window, "a.hsc", {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        const CommandLine line = parse(c.arguments);
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments.front());
        EXPECT_EQ(line.mode, c.mode) << line.error;
        EXPECT_EQ(line.padFile, c.padFile);
        EXPECT_EQ(line.arguments, c.files);
        EXPECT_EQ(line.batch != nullptr, c.mode == Mode::Batch);
        EXPECT_EQ(
            line.phone,
            std::find(c.arguments.begin(), c.arguments.end(), "--handy") != c.arguments.end() ||
                std::find(c.arguments.begin(), c.arguments.end(), "-handy") != c.arguments.end());
    }
}

TEST(WindowsCommandLine, RefusalsSayWhatIsWrong) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--bunt"}, "Kartotrix: Die Option \xE2\x80\x9E--bunt\xE2\x80\x9C gibt es nicht."},
        {{"-x", "a.hsc"}, "Kartotrix: Die Option \xE2\x80\x9E-x\xE2\x80\x9C gibt es nicht."},
        {{"--farbe=rot"}, "Kartotrix: Die Option \xE2\x80\x9E--farbe\xE2\x80\x9C gibt es nicht."},
        {{"--export=a.hsc"},
         "Kartotrix: Bei der Option fehlt der Wert. Unexpected value after '--export'."},
        {{"--export"},
         "Kartotrix: Falsche Anzahl von Dateien. Aufruf: kartotrix --export BLOCK.hsc [TEXT.txt]"},
        {{"--export", "a", "b", "c"},
         "Kartotrix: Falsche Anzahl von Dateien. Aufruf: kartotrix --export BLOCK.hsc [TEXT.txt]"},
        {{"a.hsc", "b.hsc"},
         "Kartotrix: Es kann nur ein Block ge\xC3\xB6"
         "ffnet werden."},
        {{"--handy", "--csv", "a.hsc"},
         "Kartotrix: \xE2\x80\x9E--handy\xE2\x80\x9C und \xE2\x80\x9E--csv\xE2\x80\x9C gehen nicht "
         "zusammen."},
        {{"--handy", "a.hsc", "b.hsc"},
         "Kartotrix: Es kann nur ein Block ge\xC3\xB6"
         "ffnet werden."},
    };
    for (const auto& [arguments, message] : cases) {
        const CommandLine line = parse(arguments);
        EXPECT_EQ(line.mode, Mode::Error) << arguments.front();
        EXPECT_EQ(line.error, message);
    }
    EXPECT_NE(usageText().find("kartotrix --export BLOCK.hsc [TEXT.txt]"), std::string::npos);
}

// "--cent" takes a value, after "=" or as the next argument, and only with
// "--abrechnung"; messages and their order as the Linux program gives them.
TEST(WindowsCommandLine, ValueOfTheSettlementRate) {
    CommandLine line = parse({"--abrechnung", "a.hsc", "--cent", "12"});
    ASSERT_EQ(line.mode, Mode::Batch) << line.error;
    EXPECT_EQ(line.batch->option, "abrechnung");
    EXPECT_EQ(line.arguments, std::vector<std::string>{"a.hsc"});
    EXPECT_EQ(line.values, (BatchValues{{"cent", "12"}}));
    line = parse({"-cent=3", "a.hsc", "-abrechnung", "--cent", "--csv"});
    ASSERT_EQ(line.mode, Mode::Batch) << line.error;
    EXPECT_EQ(line.values, (BatchValues{{"cent", "--csv"}}));  // the last value counts
    EXPECT_EQ(line.arguments, std::vector<std::string>{"a.hsc"});

    const std::string usage = "Aufruf: kartotrix --abrechnung BLOCK.hsc [--cent 5]";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--cent", "5", "a.hsc"},
         "Kartotrix: Die Option \xE2\x80\x9E--cent\xE2\x80\x9C geht nur zusammen mit "
         "\xE2\x80\x9E--abrechnung\xE2\x80\x9C."},
        {{"--csv", "a.hsc", "--cent=5"},
         "Kartotrix: Die Option \xE2\x80\x9E--cent\xE2\x80\x9C geht nur zusammen mit "
         "\xE2\x80\x9E--abrechnung\xE2\x80\x9C."},
        {{"--abrechnung", "a.hsc", "-cent"},
         "Kartotrix: Bei der Option fehlt der Wert. Missing value after '-cent'."},
        {{"--abrechnung", "--cent", "3"}, "Kartotrix: Falsche Anzahl von Dateien. " + usage},
        {{"--abrechnung", "a", "--", "--cent", "3"},
         "Kartotrix: Falsche Anzahl von Dateien. " + usage},
        {{"--export=1", "-help=2"},
         "Kartotrix: Bei der Option fehlt der Wert. Unexpected value after '-help'."},
        {{"--abrechnung=1", "a", "--bunt"},
         "Kartotrix: Die Option \xE2\x80\x9E--bunt\xE2\x80\x9C gibt es nicht."},
        {{"--csv", "a", "--abrechnung"},
         "Kartotrix: \xE2\x80\x9E--abrechnung\xE2\x80\x9C und \xE2\x80\x9E--csv\xE2\x80\x9C gehen "
         "nicht zusammen."},
    };
    for (const auto& [arguments, message] : cases) {
        const CommandLine refused = parse(arguments);
        EXPECT_EQ(refused.mode, Mode::Error) << arguments.front();
        EXPECT_EQ(refused.error, message);
    }
}

// "--spielwert" takes values and flags of its own, and no file.
TEST(WindowsCommandLine, OptionsOfTheCalculator) {
    CommandLine line = parse({"--spielwert", "--augen", "130", "--re-ohne-stich", "-solo",
                              "--kontra-sonderpunkte=fuchs,karlchen"});
    ASSERT_EQ(line.mode, Mode::Batch) << line.error;
    EXPECT_EQ(line.batch->option, "spielwert");
    EXPECT_EQ(line.values, (BatchValues{{"augen", "130"},
                                        {"kontra-sonderpunkte", "fuchs,karlchen"},
                                        {"re-ohne-stich", ""},
                                        {"solo", ""}}));
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--csv", "a.hsc", "--solo"},
         "Kartotrix: Die Option \xE2\x80\x9E--solo\xE2\x80\x9C geht nur zusammen mit "
         "\xE2\x80\x9E--spielwert\xE2\x80\x9C."},
        {{"--spielwert", "--solo=ja"},
         "Kartotrix: Bei der Option fehlt der Wert. Unexpected value after '--solo'."},
    };
    for (const auto& [arguments, message] : cases) {
        const CommandLine refused = parse(arguments);
        EXPECT_EQ(refused.mode, Mode::Error) << arguments.front();
        EXPECT_EQ(refused.error, message);
    }
}

// The help text's columns line up behind the longest call; the calculator's
// options follow the table.
TEST(WindowsCommandLine, UsageInOneColumn) {
    const std::string text = usageText();
    const std::string table = text.substr(0, text.find("Optionen zu --spielwert:\n"));
    const std::size_t lines =
        static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n'));
    // "Aufruf:", the window with and without "--handy", the commands, "--help", "--version".
    EXPECT_EQ(lines, batchCommands().size() + 5);
    EXPECT_TRUE(text.ends_with(GAME_VALUE_OPTIONS_HELP));
    EXPECT_NE(text.find("  kartotrix --abrechnung BLOCK.hsc [--cent 5]   Abrechnung in Euro"),
              std::string::npos);
    EXPECT_NE(text.find("  kartotrix --help                              diese Hilfe\n"),
              std::string::npos);
    EXPECT_NE(text.find("  kartotrix --statistik ORDNER                  Statistik \xC3\xBC"),
              std::string::npos);
}

}  // namespace
}  // namespace kx::win
