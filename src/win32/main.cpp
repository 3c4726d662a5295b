// Kartotrix for Windows: the command-line commands without a window, or the
// main window.
#include <windows.h>
// shellapi.h needs the types of windows.h first.
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ChartPainter.h"
#include "CommandLine.h"
#include "Console.h"
#include "Startup.h"
#include "core/Program.h"
#include "io/PadFile.h"
#include "platform/PlatformFileSystem.h"
#include "platform/WinText.h"

namespace {

std::vector<std::string> argumentsOfThisProgram() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i)
        arguments.push_back(kx::narrow(wide[i], wcslen(wide[i])));
    LocalFree(wide);
    return arguments;
}

int runCommand(const kx::win::CommandLine& line) {
    using Mode = kx::win::CommandLine::Mode;
    kx::win::connectStandardStreams();
    switch (line.mode) {
        case Mode::Help:
            std::fputs(kx::win::usageText().c_str(), stdout);
            return 0;
        case Mode::Version:
            std::printf("%s\n", kx::VERSION_TEXT);
            return 0;
        case Mode::Error:
            std::fprintf(stderr, "%s\n%s", line.error.c_str(), kx::win::usageText().c_str());
            return 2;
        case Mode::Batch: {
            const std::unique_ptr<kx::FileSystem> files = kx::makePlatformFileSystem();
            // --verlauf draws with GDI+, as the chart window does.
            const kx::win::Drawing drawing{
                [](const kx::ScoreChart& chart) { return kx::win::chartPng(chart); }};
            const int status = line.batch->run(*files, line.arguments, line.values, drawing);
            std::fflush(stdout);
            return status;
        }
        case Mode::Window:
            break;
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const kx::win::CommandLine line = kx::win::parseCommandLine(argumentsOfThisProgram());
    if (line.mode != kx::win::CommandLine::Mode::Window) return runCommand(line);
    if (!line.padFile.empty() &&
        kx::makePlatformFileSystem()->kind(line.padFile) == kx::FileKind::Folder) {
        MessageBoxW(nullptr, kx::widen(kx::LOAD_ERROR_FOLDER).c_str(), L"Kartotrix",
                    MB_OK | MB_ICONWARNING);
        return 2;
    }
    // "--handy" prints the phone view's address for the caller.
    if (line.phone) kx::win::connectStandardStreams();
    return kx::win::runWindow(instance, line.padFile, showCommand, line.phone);
}
