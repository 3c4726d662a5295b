// Kartotrix's start-up as the program runs it (runWindow, the same code the
// program's main calls), ended after the first painted frame of its drawing
// area; see FirstFrame.h.
#include "FirstFrame.h"
#include "MainWindow.h"
#include "PadArea.h"
#include "Startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool idleMemory = bench::idleMemoryMode(argc, argv);
    std::unique_ptr<bench::FirstFrame> first;
    return kx::runWindow(app, QString(), [&](kx::MainWindow& window) {
        first = std::make_unique<bench::FirstFrame>(window.padArea(), idleMemory);
    });
}
