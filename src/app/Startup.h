#pragma once

#include <QString>
#include <functional>
#include <string>

class QApplication;

namespace kx {

class FileSystem;

// Where the program's own files go and where its help page lies.
struct ProgramPaths {
    std::string filesFolder;  // ends with a separator
    std::string helpFile;
    // The files go to the user's data folder, not beside the program.
    bool inDataFolder = false;
};
ProgramPaths resolveProgramPaths(FileSystem& fs);

// Qt's own texts (standard buttons, file dialogs) in German: the translation
// beside the program first, then Qt's translations folder.
void loadGermanTranslations(QApplication& app);

// Whether a windowing system can be reached; otherwise `why` says so.
bool displayAvailable(std::string& why);

class MainWindow;

// The main window, optionally with a pad file loaded as "Laden" would.
// `shown`, when given, runs once the window has been shown (benchmarks use it).
// With `phone` the phone view is switched on and its address printed on
// standard output.
int runWindow(QApplication& app, const QString& padFile,
              const std::function<void(MainWindow&)>& shown = {}, bool phone = false);

}  // namespace kx
