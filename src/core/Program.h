#pragma once

#include <string>

#include "core/PadState.h"
#include "core/Services.h"
#include "core/Settlement.h"
#include "io/EarlierStates.h"
#include "io/FileSystem.h"
#include "view/History.h"
#include "view/Journal.h"
#include "view/WindowModel.h"

namespace kx {

class BoardHost;
class ExtrasHost;
class PhoneView;
class ValueWindowHost;

// "Kartotrix v" and the version of the build (the project's version in CMake).
extern const char* const VERSION_TEXT;
inline constexpr int FILE_FORMAT_VERSION = 258;
inline constexpr int PAD_HEIGHT = 680;

// Window measurements the platform reports, in pixels.
struct ScreenMetrics {
    int screenWidth = 1024;
    int frameWidth = 0;   // window frame at the sides
    int frameHeight = 0;  // window frame at top and bottom
    int titleBarHeight = 0;
    int menuBarHeight = 0;
    int statusBarHeight = 0;
    // The part of the screen that windows may use (without panels and
    // taskbars), in screen coordinates; an empty area when it is not known.
    int workLeft = 0;
    int workTop = 0;
    int workWidth = 0;
    int workHeight = 0;
};

// State of the application shell that lives for the whole run.
struct ShellState {
    std::string versionText = VERSION_TEXT;
    int padWidth = 660;
    int fileFormatVersion = FILE_FORMAT_VERSION;
    // Folder of the program's own files, with a trailing separator.
    std::string programFolder;
    // The files go to the user's data folder rather than beside the program
    // (an installed program); the first "Speichern" of a run says where.
    bool filesInDataFolder = false;
    bool filesFolderTold = false;
    // Name of the autosave files without extension: "autosave", or
    // "autosave-2" and so on while other copies of the program run.
    std::string autosaveBase = "autosave";
    // Full path of the help page.
    std::string helpFile;
    ScreenMetrics metrics;
    // Scale of the drawing area with its controls, fonts and lines: 1 shows
    // every control at its specified rectangle. Lowered when the window would
    // not fit the screen; changed by the "Ansicht" commands and by resizing.
    double zoom = 1.0;
    bool startupDone = false;
    // 1 while a close started by "Beenden" is under way, 2 when the user cancelled it.
    int quitRequest = 0;
    bool dialogClosed = false;
    // A failed autosave is reported once, and again only after one succeeded.
    bool autosaveFailureReported = false;
    // While a recorded change runs, its autosave waits for the change's
    // journal line (see recordChange).
    bool autosaveDeferred = false;
    bool autosavePending = false;
    // Entries and corrections since the open pad was started, loaded or last
    // written by "Speichern" or "Speichern unter"; the autosave and the text
    // export do not count as saving, since they are overwritten by the next entry.
    int changesSinceSave = 0;
    // The settlement's rate, changeable in its window for this run only.
    int centsPerPoint = DEFAULT_CENTS_PER_POINT;
    // The earlier states this run kept, and its marker of a running evening.
    KeptStates kept;
    // The phone view: its whole address while it is on, whether its notice
    // was shown in this run, and the state it serves now.
    std::string phoneAddress;
    bool phoneNoticeShown = false;
    std::string publishedState;
};

// Platform services; any of them may be missing in a test that does not need it.
struct Services {
    const Clock* clock = nullptr;
    WindowHost* host = nullptr;
    Dialogs* dialogs = nullptr;
    DesktopShell* desktop = nullptr;
    FileSystem* files = nullptr;
    // The windows of the menu "Extras" (view/Extras.h); a skin may offer none.
    ExtrasHost* extras = nullptr;
    // The window "Spielwert" (view/ValueWindow.h); a skin may offer none.
    ValueWindowHost* valueWindow = nullptr;
    // The board's window and the phone view's server (view/BoardCommands.h);
    // a skin may offer neither.
    BoardHost* board = nullptr;
    PhoneView* phone = nullptr;
};

// Everything the handlers work on: the pad, the window as data, the shell's
// state, the undo history and the platform services.
struct Program {
    PadState pad;
    WindowModel ui;
    ShellState shell;
    EditHistory history;
    Journals journals;
    Services services;

    int secondsSinceMidnight() const;
    LocalTime now() const;
};

}  // namespace kx
