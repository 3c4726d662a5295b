#pragma once

#include <string>

#include "core/Program.h"

namespace kx {

// Start-up defaults of the shell and the pad; programFolder ends with a separator.
void initProgram(Program& p, const std::string& programFolder);

// Builds the menu, the status bar and every control, sizes the main window
// and places it centred at the top of the screen.
void frm0_Load(Program& p, const ScreenMetrics& metrics);

// Outer size of the main window from padWidth, the zoom and the metrics; the
// zoom is lowered when the window would not fit the work area. Keeps its place
// unless it would leave the work area on the right.
void fitMainWindow(Program& p);

// The platform's window settings or the display changed.
void frm0_WinIniChange(Program& p, const ScreenMetrics& metrics);
void frm0_DisplayChange(Program& p, const ScreenMetrics& metrics);

// Brings the elapsed playing time (status panel 7) up to date while a pad
// runs; it keeps its last text once the pad has ended.
void showElapsedTime(Program& p);
// The events that bring it up to date besides every entry: the mouse moving
// over the window, any key pressed in it, and the tick of the status bar's clock.
void frm0_MouseMove(Program& p);
void frm0_KeyPress(Program& p);
void STB_Tick(Program& p);
// Whole minutes since the pad was started; a pad that runs past midnight counts on.
int elapsedMinutes(int startSeconds, int nowSeconds);

// The main window is about to close. Returns true when the close is cancelled.
bool frm0_Close(Program& p);

}  // namespace kx
