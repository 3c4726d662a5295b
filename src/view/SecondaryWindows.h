#pragma once

#include <string>

#include "core/Services.h"

namespace kx {

struct Program;

// Shows the About window or the quit confirmation while the main window is
// disabled, and returns once it has closed; then the main window is enabled.
void showModal(Program& p, SecondaryWindow window);

// About window (frm1).
inline constexpr const char* ABOUT_DESCRIPTION =
    "Der Block f\xC3\xBCr einen Doppelkopf-Abend mit 4, 5 oder 6 Spielern.";
inline constexpr const char* MAKER_PAGE_PATH = "/PAGES/pc_progr.htm";
// The maker's page, or an empty text when no host was configured.
std::string makerPageAddress(const std::string& host);
void about_ok_Click(Program& p);
void about_href_Click(Program& p, const std::string& host);
void frm1_Close(Program& p);

// Quit confirmation (frm3).
inline constexpr const char* QUIT_QUESTION = "Kartotrix beenden?";
void clse_ok_Click(Program& p);
void clse_cc_Click(Program& p);
void frm3_Close(Program& p);

// Opens the help page in the default browser; when the desktop cannot, in the
// program's own help window.
void showHelp(Program& p);
// The desktop found nothing to open the help page with (also when it says so
// only after showHelp has returned): the program's own help window shows it.
void helpNotOpened(Program& p);
// A "file:" address for a local path, Windows ("C:\Spiele\x.html") or POSIX.
std::string fileAddress(const std::string& path);

}  // namespace kx
