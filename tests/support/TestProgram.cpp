#include "support/TestProgram.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "io/PadFile.h"
#include "platform/PlatformFileSystem.h"
#include "view/Journal.h"
#include "view/MainWindow.h"
#include "view/SecondaryWindows.h"
#include "view/UserActions.h"

namespace kx::test {

std::optional<std::string> FakeDialogs::inputBox(const std::string&, const std::string& prompt) {
    prompts.push_back(prompt);
    if (inputAnswers.empty()) return std::nullopt;
    std::optional<std::string> answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

MessageAnswer FakeDialogs::messageBox(const std::string& text, const std::string& caption,
                                      MessageButtons buttons, MessageIcon icon) {
    messages.push_back({text, caption, buttons, icon});
    if (messageAnswers.empty())
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::string FakeDialogs::openFileName() {
    ++openDialogs;
    if (openAnswers.empty()) return "";
    std::string answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::string FakeDialogs::saveFileName(const std::string& presetName) {
    savePresets.push_back(presetName);
    if (saveAnswers.empty()) return "";
    std::string answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

std::string FakeDialogs::saveFileNameFor(const std::string&, const std::string& presetName,
                                         const std::string&, const std::string& extension) {
    saveExtensions.push_back(extension);
    return saveFileName(presetName);
}

std::string FakeDialogs::folderName(const std::string&) {
    if (folderAnswers.empty()) return "";
    std::string answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

void FakeHost::requestClose() {
    ++closeRequests;
    if (!frm0_Close(*program)) closed = true;
}

void FakeHost::setBusy(bool busy) {
    busyDepth += busy ? 1 : -1;
    ++busyCalls;
}

void FakeHost::runModal(SecondaryWindow window) {
    shown.push_back(window);
    mainEnabledWhileShown.push_back(program->ui.frm0.enabled);
    if (onModal)
        onModal(window);
    else
        closeWindow(window);
}

void FakeHost::closeWindow(SecondaryWindow window) {
    if (window == SecondaryWindow::About)
        frm1_Close(*program);
    else
        frm3_Close(*program);
}

namespace {

std::string makeTempFolder() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path() /
                      ("kartotrix-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(base);
    return base.string() + "/";
}

}  // namespace

TestProgram::TestProgram() : folder(makeTempFolder()) {
    initProgram(p, folder);
    p.shell.helpFile = folder + "KartotrixHilfe.html";
    host.program = &p;
    files = makePlatformFileSystem();
    p.services = {&clock, &host, &dialogs, &desktop, files.get()};
    frm0_Load(p, ScreenMetrics{});
}

TestProgram::~TestProgram() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void putFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void putFile(const std::string& path, const std::string& text) {
    putFile(path, Bytes(text.begin(), text.end()));
}

std::optional<Bytes> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& path) {
    return std::filesystem::is_regular_file(path);
}

int pairChoice(int first, int second) {
    if (first == second) return 15 + first;
    static const int pairs[7][7] = {
        {0, 0, 0, 0, 0, 0, 0},      {0, 0, 1, 2, 3, 7, 11},  {0, 1, 0, 4, 5, 8, 12},
        {0, 2, 4, 0, 6, 9, 13},     {0, 3, 5, 6, 0, 10, 14}, {0, 7, 8, 9, 10, 0, 15},
        {0, 11, 12, 13, 14, 15, 0},
    };
    return pairs[first][second];
}

bool enterPair(Program& p, int wer1Choice, int value) {
    return clickOption(p, "MDS", 1) && clickOption(p, "WER1", wer1Choice) &&
           pickItemText(p, "WAS1", std::to_string(value)) && pressOK(p);
}

bool enterPair(Program& p, int first, int second, int value) {
    return enterPair(p, pairChoice(first, second), value);
}

bool enterSingle(Program& p, int player, int value) {
    return clickOption(p, "MDS", 1) && clickOption(p, "WER1", 15 + player) &&
           pickItemText(p, "WAS1s", std::to_string(value)) && pressOK(p);
}

bool enterSolo(Program& p, int soloist, int value, int dealer) {
    if (!clickOption(p, "MDS", 2)) return false;
    bool ok = clickOption(p, "WER2", soloist) && pickItemText(p, "WAS2", std::to_string(value));
    if (dealer != 0) ok = ok && pickItemText(p, "WIE2", std::to_string(dealer));
    return ok && pressOK(p);
}

bool enterPenalty(Program& p, int player) {
    if (!clickOption(p, "MDS", 3)) return false;
    return clickOption(p, "WER3", player) && pressOK(p);
}

bool passDeal(Program& p) {
    int winners[2] = {0, 0};
    for (int k = 1, found = 0; k <= p.pad.playerCount && found < 2; ++k) {
        if (takesPart(p.pad.playerCount, k, p.pad.dealer, p.pad.secondSitOut)) winners[found++] = k;
    }
    return enterPair(p, winners[0], winners[1], 0);
}

bool act(Program& p, const std::vector<std::string>& actions) {
    for (const std::string& action : actions) {
        const std::size_t space = action.find(' ');
        const std::string control = action.substr(0, space);
        const std::string arg = space == std::string::npos ? "" : action.substr(space + 1);
        const bool accepted = control == "OK"     ? pressOK(p)
                              : control == "BOCK" ? tickBock(p, true)
                              : control == "MDS" || control.starts_with("WER")
                                  ? clickOption(p, control, std::stoi(arg))
                                  : pickItemText(p, control, arg);
        if (!accepted) return false;
    }
    return true;
}

std::vector<std::string> rowTexts(const Program& p, int row) {
    std::vector<std::string> texts;
    for (int j = 1; j <= p.pad.playerCount; ++j)
        texts.push_back(p.ui.SP[static_cast<std::size_t>(j)](row).text);
    return texts;
}

int sectionSum(const PlayerValues& values) {
    int sum = 0;
    for (std::size_t k = 1; k < values.size(); ++k)
        sum += values[k];
    return sum;
}

Bytes padBytesWithoutJournal(Program& p) {
    Journal kept = journalOf(p);
    journalOf(p).clear();
    Bytes bytes = encodePadFile(p);
    journalOf(p) = std::move(kept);
    return bytes;
}

}  // namespace kx::test
