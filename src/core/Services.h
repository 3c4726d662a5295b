#pragma once

#include <optional>
#include <string>

namespace kx {

// The small platform interfaces the program logic calls. The Qt shell
// implements them; tests answer them with scripted fakes.

struct LocalTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int secondsSinceMidnight() const { return hour * 3600 + minute * 60 + second; }
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
};

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Question, Warning, Stop };
enum class MessageAnswer { Ok, Yes, No };

// Modal questions to the user.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // An input box with an empty answer field; nothing when cancelled.
    virtual std::optional<std::string> inputBox(const std::string& caption,
                                                const std::string& prompt) = 0;
    virtual MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, MessageIcon icon) = 0;
    // The chosen file, or an empty text when the user cancelled.
    virtual std::string openFileName() = 0;
    virtual std::string saveFileName(const std::string& presetName) = 0;
    // A save dialog for another kind of file: `kind` names it ("PDF-Dokument"),
    // `extension` is its ending without the dot ("pdf"); an empty text when
    // cancelled. A skin that has no such dialog offers its pad dialog.
    virtual std::string saveFileNameFor(const std::string& caption, const std::string& presetName,
                                        const std::string& kind, const std::string& extension) {
        (void)caption, (void)kind, (void)extension;
        return saveFileName(presetName);
    }
    // A folder chosen by the user; an empty text when cancelled or not offered.
    virtual std::string folderName(const std::string& caption) {
        (void)caption;
        return "";
    }
};

// The secondary windows the program shows modally.
enum class SecondaryWindow { About, QuitConfirmation };

// What the logic asks of the window system around it.
class WindowHost {
  public:
    virtual ~WindowHost() = default;
    // The same close request the window's close box sends; it ends in frm0_Close.
    virtual void requestClose() = 0;
    // Busy pointer while files are read or written.
    virtual void setBusy(bool busy) = 0;
    // Shows the window and processes events until it has closed (see showModal).
    virtual void runModal(SecondaryWindow window) = 0;
    // The close request of a secondary window; it ends in frm1_Close or frm3_Close.
    virtual void closeWindow(SecondaryWindow window) = 0;
    // Shows the help page in a window of the program's own; used when the
    // desktop cannot open it. A skin that has no such window keeps the default.
    virtual void showHelpWindow(const std::string& path) { (void)path; }
};

// Opens a document or web address in its default viewer.
class DesktopShell {
  public:
    virtual ~DesktopShell() = default;
    // False when the desktop has nothing that could open the address.
    virtual bool openAddress(const std::string& address) = 0;
};

}  // namespace kx
