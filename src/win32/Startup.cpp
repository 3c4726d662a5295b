#include "Startup.h"

#include <shlobj.h>

#include <memory>

#include "Dialogs.h"
#include "ExtrasWindows.h"
#include "MainWindow.h"
#include "Services.h"
#include "io/FileCommands.h"
#include "io/InterruptedEvening.h"
#include "io/PadFile.h"
#include "io/ProgramFiles.h"
#include "platform/PlatformFileSystem.h"
#include "platform/WinText.h"
#include "view/MainWindow.h"

#ifndef KARTOTRIX_MAKER_HOST
#define KARTOTRIX_MAKER_HOST ""
#endif

namespace kx::win {

namespace {

constexpr const char* HELP_FILE = "KartotrixHilfe.html";

std::string programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return narrow(path.substr(0, path.find_last_of(L"\\/") + 1));
}

std::string userDataFolder() {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                   SHGFP_TYPE_CURRENT, path)))
        return narrow(path, wcslen(path)) + "\\Kartotrix\\";
    return programFolder();
}

}  // namespace

ProgramPaths resolveProgramPaths(FileSystem& fs) {
    ProgramPaths paths;
    const std::string folder = programFolder();
    paths.filesFolder =
        chooseFilesFolder(fs, folder, userDataFolder(), installedBySetup(fs, folder));
    paths.inDataFolder = paths.filesFolder != folder;
    paths.helpFile = folder + HELP_FILE;
    return paths;
}

int runWindow(HINSTANCE instance, const std::string& padFile, int showCommand) {
    const std::unique_ptr<FileSystem> files = makePlatformFileSystem();
    const ProgramPaths paths = resolveProgramPaths(*files);

    Program program;
    initProgram(program, paths.filesFolder);
    program.shell.helpFile = paths.helpFile;
    program.shell.filesInDataFolder = paths.inDataFolder;
    SystemClock clock;
    DesktopShell desktop;
    Services services;
    services.clock = &clock;
    services.desktop = &desktop;
    services.files = files.get();
    program.services.files = files.get();
    // Held until the program ends: this copy's autosave name.
    const ProgramFilesClaim claim = claimProgramFiles(program);
    MainWindow window(instance, program, services, KARTOTRIX_MAKER_HOST);
    Dialogs dialogs(window.handle(), paths.filesFolder);
    program.services.dialogs = &dialogs;
    Win32Extras extras(window.handle(), [&window] { window.mirror(); });
    program.services.extras = &extras;
    window.show(showCommand);
    if (!claim.notice.empty())
        dialogs.messageBox(claim.notice, "Kartotrix", MessageButtons::Ok, MessageIcon::Information);
    // A pad given to open is what the user asked for: the interrupted evening
    // is then only kept among the earlier states.
    offerInterruptedEvening(program, padFile.empty());
    window.mirror();

    if (!padFile.empty()) {
        const std::string error = loadPadAtStart(program, padFile);
        window.mirror();
        if (!error.empty())
            dialogs.messageBox(error, "Kartotrix", MessageButtons::Ok, MessageIcon::Warning);
    }
    return window.run();
}

}  // namespace kx::win
