#include <gtest/gtest.h>

#include "CommandLine.h"

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
    };
    // clang-format on
    for (const auto& c : cases) {
        const CommandLine line = parse(c.arguments);
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments.front());
        EXPECT_EQ(line.mode, c.mode) << line.error;
        EXPECT_EQ(line.padFile, c.padFile);
        EXPECT_EQ(line.arguments, c.files);
        EXPECT_EQ(line.batch != nullptr, c.mode == Mode::Batch);
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
    };
    for (const auto& [arguments, message] : cases) {
        const CommandLine line = parse(arguments);
        EXPECT_EQ(line.mode, Mode::Error) << arguments.front();
        EXPECT_EQ(line.error, message);
    }
    EXPECT_NE(usageText().find("kartotrix --export BLOCK.hsc [TEXT.txt]"), std::string::npos);
}

}  // namespace
}  // namespace kx::win
