#include "view/MainWindow.h"

#include <algorithm>

#include "io/InterruptedEvening.h"
#include "io/NameSuggestions.h"
#include "view/Commands.h"
#include "view/Controls.h"
#include "view/SecondaryWindows.h"
#include "view/WindowFit.h"

namespace kx {

namespace {

constexpr int SECONDS_PER_DAY = 24 * 60 * 60;

void createStatusBar(WindowModel& ui, const std::string& versionText) {
    const StatusPanel panels[STATUS_PANEL_COUNT] = {
        {versionText, 130, false, false},
        {"", 130, false, false},
        {"", 0, true, false},
        {"Umsatz:", 95, false, false},
        {"Gespielt: ", 90, false, false},
        {"Soli: ", 60, false, false},
        {"Zeit: ", 80, false, false, true},
        {"h:mm:ss", 60, false, true},
    };
    for (int k = 1; k <= STATUS_PANEL_COUNT; ++k)
        ui.STB[static_cast<std::size_t>(k)] = panels[k - 1];
}

int outerHeight(const ScreenMetrics& m, double zoom) {
    return scaledLength(PAD_HEIGHT, zoom) + m.titleBarHeight + m.menuBarHeight + 2 * m.frameHeight +
           m.statusBarHeight;
}

// A window that grew past the right edge of the work area moves left, as far
// as the work area allows; otherwise it stays where it is.
void keepOnWorkArea(Rect& frame, const ScreenMetrics& m) {
    if (m.workWidth <= 0) return;
    const int right = m.workLeft + m.workWidth;
    if (frame.left + frame.width > right) frame.left = std::max(m.workLeft, right - frame.width);
}

}  // namespace

void initProgram(Program& p, const std::string& programFolder) {
    p.shell = ShellState{};
    p.shell.programFolder = programFolder;
    p.pad = PadState{};
    p.history = EditHistory{};
}

void fitMainWindow(Program& p) {
    const ScreenMetrics& m = p.shell.metrics;
    p.shell.zoom = fittingZoom(p.shell.zoom, p.shell.padWidth, m);
    Rect& frame = p.ui.frm0.frame;
    frame.width = scaledLength(p.shell.padWidth, p.shell.zoom) + 2 * m.frameWidth;
    frame.height = outerHeight(m, p.shell.zoom);
    keepOnWorkArea(frame, m);
}

void frm0_Load(Program& p, const ScreenMetrics& metrics) {
    WindowModel& ui = p.ui;
    buildMenu(ui);
    p.shell.metrics = metrics;
    fitMainWindow(p);
    ui.frm0.frame.top = 0;
    // Centred by the drawing area's width, so the frame sits a little right of centre.
    ui.frm0.frame.left =
        std::max(0, (metrics.screenWidth - scaledLength(p.shell.padWidth, p.shell.zoom)) / 2);
    ui.frm0.caption = "  Kartotrix  ";
    createStatusBar(ui, p.shell.versionText);
    buildControls(p);
    refreshNameSuggestions(p);
    ui.frm0.shown = true;
    p.shell.startupDone = true;
}

void frm0_WinIniChange(Program& p, const ScreenMetrics& metrics) {
    const int screenWidth = p.shell.metrics.screenWidth;
    p.shell.metrics = metrics;
    p.shell.metrics.screenWidth = screenWidth;
    fitMainWindow(p);
}

void frm0_DisplayChange(Program& p, const ScreenMetrics& metrics) {
    frm0_WinIniChange(p, metrics);
}

int elapsedMinutes(int startSeconds, int nowSeconds) {
    // A start time read from a foreign file may be any number; the difference
    // is taken on the clock of one day, so it can neither overflow nor go negative.
    long long elapsed = (static_cast<long long>(nowSeconds) - startSeconds) % SECONDS_PER_DAY;
    if (elapsed < 0) elapsed += SECONDS_PER_DAY;
    return static_cast<int>(elapsed / 60);
}

void showElapsedTime(Program& p) {
    if (!p.shell.startupDone || !p.pad.padRunning) return;
    const int minutes = elapsedMinutes(p.pad.padStartTime, p.secondsSinceMidnight());
    p.ui.setStatus(7, "Zeit: " + std::to_string(minutes) + " min");
}

void frm0_MouseMove(Program& p) {
    showElapsedTime(p);
}

void frm0_KeyPress(Program& p) {
    showElapsedTime(p);
}

void STB_Tick(Program& p) {
    showElapsedTime(p);
}

bool frm0_Close(Program& p) {
    if (p.pad.confirmQuit && p.shell.quitRequest == 1)
        showModal(p, SecondaryWindow::QuitConfirmation);
    if (p.pad.confirmQuit && p.shell.quitRequest == 2) {
        p.shell.quitRequest = 0;
        return true;
    }
    markEveningClosed(p);
    return false;
}

}  // namespace kx
