#pragma once

#include <windows.h>

#include <string>

namespace kx {

class FileSystem;

namespace win {

// Where the program's own files go and where its help page lies.
struct ProgramPaths {
    std::string filesFolder;  // ends with a backslash
    std::string helpFile;
    // The files go to the user's data folder, not beside the program.
    bool inDataFolder = false;
};
// %APPDATA%\Kartotrix for a program that the setup installed or when files
// cannot be written beside the program, else the program's folder (the
// portable program); the help page always lies beside the program.
ProgramPaths resolveProgramPaths(FileSystem& fs);

// The main window, optionally with a pad file loaded as "Laden" would;
// returns when the window has closed.
int runWindow(HINSTANCE instance, const std::string& padFile, int showCommand);

}  // namespace win
}  // namespace kx
