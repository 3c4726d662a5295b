// Kartotrix's start-up as the program runs it (runWindow, the same code the
// program's main calls), ended after the first painted frame of its drawing
// area or once idle; see FirstFrame.h. A pad file given starts the window with it.
#include "FirstFrame.h"
#include "MainWindow.h"
#include "PadArea.h"
#include "Startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool idleMemory = bench::idleMemoryMode(argc, argv);
    std::unique_ptr<bench::FirstFrame> first;
    QString pad;  // the pad file to start with, if any
    for (const QString& argument : app.arguments().mid(1))
        if (!argument.startsWith(QLatin1String("--"))) pad = argument;
    return kx::runWindow(app, pad, [&](kx::MainWindow& window) {
        first = std::make_unique<bench::FirstFrame>(window.padArea(), idleMemory);
    });
}
