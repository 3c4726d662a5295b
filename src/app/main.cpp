#include <QApplication>
#include <QLoggingCategory>
#include <cstdio>
#include <memory>

#include "CommandLine.h"
#include "QtServices.h"
#include "Startup.h"
#include "core/Program.h"
#include "io/Cp1252.h"
#include "io/PadFile.h"
#include "platform/PlatformFileSystem.h"

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        // Qt would turn bytes that are no UTF-8 into U+FFFD, and a file would
        // then be read or written under another name.
        if (i > 0 && !kx::isValidUtf8(argv[i])) {
            std::fprintf(stderr,
                         "Kartotrix: \u201E%s\u201C ist kein g\u00FCltiger Name (kein UTF-8). "
                         "Bitte die Datei umbenennen.\n",
                         kx::printableText(argv[i]).c_str());
            return 2;
        }
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const kx::CommandLine line = kx::parseCommandLine(arguments);
    switch (line.mode) {
        case kx::CommandLine::Mode::Help:
            std::fputs(kx::usageText().toUtf8().constData(), stdout);
            return 0;
        case kx::CommandLine::Mode::Version:
            std::printf("%s\n", kx::VERSION_TEXT);
            return 0;
        case kx::CommandLine::Mode::Error:
            std::fprintf(stderr, "%s\n%s", line.error.toUtf8().constData(),
                         kx::usageText().toUtf8().constData());
            return 2;
        case kx::CommandLine::Mode::Batch: {
            const std::unique_ptr<kx::FileSystem> files = kx::makePlatformFileSystem();
            return line.batch->run(*files, line.arguments, line.values);
        }
        case kx::CommandLine::Mode::Window:
            break;
    }
    if (!line.padFile.isEmpty() &&
        kx::makePlatformFileSystem()->kind(kx::stdstr(line.padFile)) == kx::FileKind::Folder) {
        std::fprintf(stderr, "Kartotrix: %s\n", kx::LOAD_ERROR_FOLDER);
        return 2;
    }
    std::string why;
    if (!kx::displayAvailable(why)) {
        std::fprintf(stderr, "Kartotrix: %s. Ohne Bildschirm so starten: xvfb-run -a %s\n",
                     why.c_str(), argv[0]);
        return 1;
    }
    // Try the windowing systems in turn and end up offscreen rather than
    // abort when none answers; then say so and stop.
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!platformChosen) {
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                                       ? "xcb;offscreen"
                                       : "wayland;xcb;offscreen");
        QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
    }
    QApplication app(argc, argv);
    if (!platformChosen) {
        QLoggingCategory::setFilterRules(QString());
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            std::fprintf(
                stderr,
                "Kartotrix: keine Verbindung zur Anzeige \"%s\". Ohne Bildschirm so starten: "
                "xvfb-run -a %s\n",
                qgetenv("DISPLAY").constData(), argv[0]);
            return 1;
        }
    }
    return kx::runWindow(app, line.padFile, {}, line.phone);
}
