#include "view/SecondaryWindows.h"

#include <cstdio>

#include "core/Program.h"

namespace kx {

void showModal(Program& p, SecondaryWindow window) {
    if (!p.services.host) return;
    p.ui.frm0.enabled = false;
    p.services.host->runModal(window);
    p.shell.dialogClosed = false;
    p.ui.frm0.enabled = true;
}

std::string makerPageAddress(const std::string& host) {
    if (host.empty()) return "";
    return "https://" + host + MAKER_PAGE_PATH;
}

void about_ok_Click(Program& p) {
    if (p.services.host) p.services.host->closeWindow(SecondaryWindow::About);
}

void about_href_Click(Program& p, const std::string& host) {
    const std::string address = makerPageAddress(host);
    if (!address.empty() && p.services.desktop) p.services.desktop->openAddress(address);
}

void frm1_Close(Program& p) {
    p.shell.dialogClosed = true;
}

void clse_ok_Click(Program& p) {
    if (p.services.host) p.services.host->closeWindow(SecondaryWindow::QuitConfirmation);
}

void clse_cc_Click(Program& p) {
    p.shell.quitRequest = 2;
    if (p.services.host) p.services.host->closeWindow(SecondaryWindow::QuitConfirmation);
}

void frm3_Close(Program& p) {
    p.shell.dialogClosed = true;
}

std::string fileAddress(const std::string& path) {
    std::string normal;
    for (char c : path)
        normal += c == '\\' ? '/' : c;
    std::string address = normal.starts_with('/') ? "file://" : "file:///";
    for (unsigned char c : normal) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~' || c == ':';
        if (plain) {
            address += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            address += escaped;
        }
    }
    return address;
}

void showHelp(Program& p) {
    const bool opened =
        p.services.desktop && p.services.desktop->openAddress(fileAddress(p.shell.helpFile));
    if (!opened) helpNotOpened(p);
}

void helpNotOpened(Program& p) {
    if (p.services.host) p.services.host->showHelpWindow(p.shell.helpFile);
}

}  // namespace kx
