#include <QApplication>
#include <QLoggingCategory>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Startup.h"
#include "core/Program.h"

namespace {

void printUsage() {
    std::printf(
        "Aufruf:\n"
        "  kartotrix [BLOCK.hsc]                     Block-Fenster \xC3\xB6" "ffnen, optional mit einem Block\n"
        "  kartotrix --export BLOCK.hsc [TEXT.txt]   Textexport ohne Fenster (ohne TEXT.txt: Standardausgabe)\n"
        "  kartotrix --help                          diese Hilfe\n"
        "  kartotrix --version                       Version anzeigen\n");
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        printUsage();
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        std::printf("%s\n", kx::VERSION_TEXT);
        return 0;
    }
    if (!args.empty() && args[0] == "--export") {
        if (args.size() < 2 || args.size() > 3) {
            printUsage();
            return 2;
        }
        return kx::runExport(args[1], args.size() == 3 ? args[2] : "");
    }
    if (args.size() > 1 || (!args.empty() && args[0].starts_with("-"))) {
        printUsage();
        return 2;
    }
    std::string why;
    if (!kx::displayAvailable(why)) {
        std::fprintf(stderr,
                     "Kartotrix: %s. Ohne Bildschirm so starten: xvfb-run -a %s\n",
                     why.c_str(), argv[0]);
        return 1;
    }
    // Try the windowing systems in turn and end up offscreen rather than
    // abort when none answers; then say so and stop.
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!platformChosen) {
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb;offscreen"
                                                                               : "wayland;xcb;offscreen");
        QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
    }
    QApplication app(argc, argv);
    if (!platformChosen) {
        QLoggingCategory::setFilterRules(QString());
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            std::fprintf(stderr,
                         "Kartotrix: keine Verbindung zur Anzeige \"%s\". Ohne Bildschirm so starten: "
                         "xvfb-run -a %s\n",
                         qgetenv("DISPLAY").constData(), argv[0]);
            return 1;
        }
    }
    return kx::runWindow(app, args.empty() ? QString() : QString::fromLocal8Bit(args[0].c_str()));
}
