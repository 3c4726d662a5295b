#include "Startup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <cstdio>

#include "MainWindow.h"
#include "QtServices.h"
#include "io/FileCommands.h"
#include "io/InterruptedEvening.h"
#include "io/PadFile.h"
#include "io/ProgramFiles.h"
#include "io/TextExport.h"
#include "platform/PlatformFileSystem.h"
#include "view/BoardCommands.h"
#include "view/MainWindow.h"
#include "view/SecondaryWindows.h"

#ifndef KARTOTRIX_MAKER_HOST
#define KARTOTRIX_MAKER_HOST ""
#endif

// The resources live in a static library; their initialiser must be named
// to be linked in (and it must be called outside any namespace).
static void initResources() {
    Q_INIT_RESOURCE(kartotrix);
}

namespace kx {

namespace {

constexpr const char* HELP_FILE = "KartotrixHilfe.html";

std::string withSeparator(const QString& folder) {
    return stdstr(QDir::toNativeSeparators(QDir::cleanPath(folder) + QLatin1Char('/')));
}

}  // namespace

ProgramPaths resolveProgramPaths(FileSystem& fs) {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    ProgramPaths paths;
    // Beside the program in the build folder; under share/ once installed.
    const QString beside = programDir + QLatin1Char('/') + QLatin1String(HELP_FILE);
    const QString shared =
        programDir + QStringLiteral("/../share/kartotrix/") + QLatin1String(HELP_FILE);
    const bool installed = !QFileInfo::exists(beside) && QFileInfo::exists(shared);
    const QString help = installed ? shared : beside;
    paths.helpFile = stdstr(QDir::toNativeSeparators(QDir::cleanPath(help)));
    // Installed under a prefix (/usr/bin/kartotrix): the files go to
    // ~/.local/share/kartotrix, never beside the program.
    const std::string folder = withSeparator(programDir);
    paths.filesFolder = chooseFilesFolder(fs, folder, withSeparator(userData),
                                          installed || installedBySetup(fs, folder));
    paths.inDataFolder = paths.filesFolder != folder;
    return paths;
}

void loadGermanTranslations(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(&app);
    const QString name = QStringLiteral("qtbase_de");
    if (translator->load(name, QCoreApplication::applicationDirPath()) ||
        translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

bool displayAvailable(std::string& why) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        why = "keine Anzeige gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt)";
        return false;
    }
#endif
    (void)why;
    return true;
}

int runWindow(QApplication& app, const QString& padFile,
              const std::function<void(MainWindow&)>& shown, bool phone) {
    loadGermanTranslations(app);
    initResources();
    QIcon icon;
    // The large sizes come from the icon theme (the desktop entry); decoding
    // them here would only delay the first frame.
    for (const char* size : {"32", "64"})
        icon.addFile(QStringLiteral(":/kartotrix/icon-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);
    const std::unique_ptr<FileSystem> files = makePlatformFileSystem();
    const ProgramPaths paths = resolveProgramPaths(*files);

    Program program;
    initProgram(program, paths.filesFolder);
    program.shell.helpFile = paths.helpFile;
    program.shell.filesInDataFolder = paths.inDataFolder;
    SystemClock clock;
    QtDesktopShell desktop;
    Services services;
    services.clock = &clock;
    services.desktop = &desktop;
    services.files = files.get();
    program.services.files = files.get();
    // Held until the program ends: this copy's autosave name.
    const ProgramFilesClaim claim = claimProgramFiles(program);
    MainWindow window(program, services, QString::fromUtf8(KARTOTRIX_MAKER_HOST));
    QtDialogs dialogs(&window, paths.filesFolder);
    program.services.dialogs = &dialogs;
    // An opener that fails only after it started (no browser installed).
    desktop.failed = [&program](const std::string& address) {
        if (address == fileAddress(program.shell.helpFile)) helpNotOpened(program);
    };
    window.show();
    if (shown) shown(window);
    if (!claim.notice.empty())
        dialogs.messageBox(claim.notice, "Kartotrix", MessageButtons::Ok, MessageIcon::Information);
    // A pad given to open is what the user asked for: the interrupted evening
    // is then only kept among the earlier states.
    offerInterruptedEvening(program, padFile.isEmpty());
    window.mirror();

    if (!padFile.isEmpty()) {
        const std::string error = loadPadAtStart(program, stdstr(padFile));
        window.mirror();
        if (!error.empty())
            dialogs.messageBox(error, "Kartotrix", MessageButtons::Ok, MessageIcon::Warning);
    }
    if (phone) {
        const std::string address = switchPhoneOn(program);
        if (!address.empty()) {
            std::printf("%s\n", address.c_str());
            std::fflush(stdout);
            boardCommand(program);
        }
        window.mirror();
    }
    return app.exec();
}

}  // namespace kx
