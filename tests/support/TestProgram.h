#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Program.h"
#include "io/FileSystem.h"

namespace kx::test {

class FakeClock : public Clock {
  public:
    LocalTime time{2026, 12, 7, 20, 0, 0};
    LocalTime now() const override { return time; }
    void setSeconds(int secondsSinceMidnight) {
        time.hour = secondsSinceMidnight / 3600;
        time.minute = secondsSinceMidnight / 60 % 60;
        time.second = secondsSinceMidnight % 60;
    }
};

// Answers the program's questions from a script and records what was asked.
class FakeDialogs : public Dialogs {
  public:
    struct Message {
        std::string text, caption;
        MessageButtons buttons;
        MessageIcon icon;
    };
    std::deque<std::optional<std::string>> inputAnswers;  // nullopt = cancel
    std::deque<MessageAnswer> messageAnswers;             // default Yes/Ok when empty
    std::deque<std::string> openAnswers, saveAnswers;     // "" = cancel
    std::deque<std::string> folderAnswers;                // "" = cancel
    std::vector<std::string> saveExtensions;              // asked of saveFileNameFor
    std::vector<std::string> prompts;
    std::vector<Message> messages;
    std::vector<std::string> savePresets;
    int openDialogs = 0;

    std::optional<std::string> inputBox(const std::string& caption,
                                        const std::string& prompt) override;
    MessageAnswer messageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;
    std::string openFileName() override;
    std::string saveFileName(const std::string& presetName) override;
    std::string saveFileNameFor(const std::string& caption, const std::string& presetName,
                                const std::string& kind, const std::string& extension) override;
    std::string folderName(const std::string& caption) override;
};

// Plays the user's part in secondary windows through `onModal`.
class FakeHost : public WindowHost {
  public:
    Program* program = nullptr;
    std::function<void(SecondaryWindow)> onModal;
    std::vector<SecondaryWindow> shown;
    std::vector<bool> mainEnabledWhileShown;
    int closeRequests = 0;
    bool closed = false;  // the main window went away
    int busyDepth = 0;
    int busyCalls = 0;
    std::vector<std::string> helpWindows;  // paths shown in the own help window

    void requestClose() override;
    void setBusy(bool busy) override;
    void runModal(SecondaryWindow window) override;
    void closeWindow(SecondaryWindow window) override;
    void showHelpWindow(const std::string& path) override { helpWindows.push_back(path); }
};

// Records what it was asked to open; with `refuse` set it has nothing to open it with.
class FakeDesktop : public DesktopShell {
  public:
    std::vector<std::string> opened;
    bool refuse = false;
    bool openAddress(const std::string& address) override {
        opened.push_back(address);
        return !refuse;
    }
};

// A program after start-up with every service faked; its files go to a
// fresh temporary folder.
struct TestProgram {
    FakeClock clock;
    FakeDialogs dialogs;
    FakeHost host;
    FakeDesktop desktop;
    std::unique_ptr<FileSystem> files;
    std::string folder;
    Program p;

    TestProgram();
    ~TestProgram();
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    std::string file(const std::string& name) const { return folder + name; }
};

// Entries as a user makes them; each returns whether every click was accepted.
bool enterPair(Program& p, int wer1Choice, int value);
bool enterPair(Program& p, int first, int second, int value);
bool enterSingle(Program& p, int player, int value);
bool enterSolo(Program& p, int soloist, int value, int dealer = 0);
bool enterPenalty(Program& p, int player);
// A pair game worth 0 between the two lowest-numbered players who take part:
// it fills a row and passes the deal without changing any total.
bool passDeal(Program& p);
// Plain file access for the tests' own set-up and checks.
void putFile(const std::string& path, const Bytes& bytes);
void putFile(const std::string& path, const std::string& text);
std::optional<Bytes> fileBytes(const std::string& path);
bool fileExists(const std::string& path);

// The pad file of the open pad as it would be without its journal: what
// undo and redo give back exactly (they add journal lines of their own).
Bytes padBytesWithoutJournal(Program& p);

// Runs user actions written as "MDS 2", "WER1 6", "WAS1s -9", "WIE2 3", "BOCK" or "OK";
// true when every one of them was accepted.
bool act(Program& p, const std::vector<std::string>& actions);

// The WER1 choice of a pair (lower number first) or of one player alone.
int pairChoice(int first, int second);

// Texts of a pad row's player cells, 1..N.
std::vector<std::string> rowTexts(const Program& p, int row);
// Sum of a section's running totals over all players.
int sectionSum(const PlayerValues& values);

}  // namespace kx::test
