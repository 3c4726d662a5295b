#pragma once

#include <string>

namespace kx {

struct Program;

// "Ansicht" → "Tafel" (F11) and "Auf Handys zeigen…". The board's window is
// the skin's (BoardHost); the phone view's server lives off the user-interface
// thread behind PhoneView. Both follow every change through publishBoard.
enum BoardCommand {
    CMD_BOARD = 50,
    CMD_PHONE = 51,
    CMD_BOARD_SEPARATOR = 52,
};

class BoardHost {
  public:
    virtual ~BoardHost() = default;
    // Opens the board (built on first use) or brings it to the front.
    virtual void showBoard(Program& p) = 0;
    // The pad or the phone view changed: the open board shows it now.
    virtual void boardChanged(Program& p) = 0;
};

class PhoneView {
  public:
    virtual ~PhoneView() = default;
    // Starts serving on the local network: the whole address with its token,
    // or an empty text with the German reason in `error`.
    virtual std::string switchOn(std::string& error) = 0;
    // Closes the port at once.
    virtual void switchOff() = 0;
    // The state the pages are served from from now on.
    virtual void publish(const std::string& json) = 0;
};

inline constexpr const char* PHONE_NOTICE =
    "Jeder im selben Netz, der die Adresse kennt, sieht den Block.";
inline constexpr const char* PHONE_TITLE = "Auf Handys zeigen";
inline constexpr const char* PHONE_NOT_OFFERED =
    "Diese Ausgabe von Kartotrix kann den Block nicht auf Handys zeigen.";

void boardCommand(Program& p);
// Switches the phone view on (with its notice the first time) or off.
void phoneCommand(Program& p);
// Switches it on without the notice (for "--handy"); the address, or an
// empty text when it could not start (a message says why when dialogs are there).
std::string switchPhoneOn(Program& p);
void switchPhoneOff(Program& p);
// After every change: hands the board's state to the phone view when it
// changed, and tells the board window.
void publishBoard(Program& p);

}  // namespace kx
