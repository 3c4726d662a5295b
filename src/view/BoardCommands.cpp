#include "view/BoardCommands.h"

#include "core/Program.h"
#include "view/Board.h"

namespace kx {

namespace {

void markPhone(Program& p, bool on) {
    MenuEntry& entry = p.ui.menu[static_cast<std::size_t>(CMD_PHONE)];
    entry.checked = on;
}

}  // namespace

void boardCommand(Program& p) {
    if (p.services.board) p.services.board->showBoard(p);
}

std::string switchPhoneOn(Program& p) {
    PhoneView* phone = p.services.phone;
    if (!phone) {
        if (p.services.dialogs)
            p.services.dialogs->messageBox(PHONE_NOT_OFFERED, PHONE_TITLE, MessageButtons::Ok,
                                           MessageIcon::Information);
        return "";
    }
    std::string error;
    const std::string address = phone->switchOn(error);
    if (address.empty()) {
        if (p.services.dialogs)
            p.services.dialogs->messageBox(
                "Die Handy-Ansicht lie\xC3\x9F sich nicht starten: " + error, PHONE_TITLE,
                MessageButtons::Ok, MessageIcon::Warning);
        return "";
    }
    p.shell.phoneAddress = address;
    p.shell.publishedState.clear();
    markPhone(p, true);
    publishBoard(p);
    return address;
}

void switchPhoneOff(Program& p) {
    if (p.services.phone) p.services.phone->switchOff();
    p.shell.phoneAddress.clear();
    markPhone(p, false);
    if (p.services.board) p.services.board->boardChanged(p);
}

void phoneCommand(Program& p) {
    if (!p.shell.phoneAddress.empty()) {
        switchPhoneOff(p);
        return;
    }
    if (p.services.phone && !p.shell.phoneNoticeShown && p.services.dialogs) {
        p.services.dialogs->messageBox(PHONE_NOTICE, PHONE_TITLE, MessageButtons::Ok,
                                       MessageIcon::Information);
        p.shell.phoneNoticeShown = true;
    }
    if (switchPhoneOn(p).empty()) return;
    // The window that shows the address and its code.
    boardCommand(p);
}

void publishBoard(Program& p) {
    if (p.services.board) p.services.board->boardChanged(p);
    if (p.shell.phoneAddress.empty() || !p.services.phone) return;
    std::string state = phoneStateJson(p);
    if (state == p.shell.publishedState) return;
    p.shell.publishedState = state;
    p.services.phone->publish(std::move(state));
}

}  // namespace kx
