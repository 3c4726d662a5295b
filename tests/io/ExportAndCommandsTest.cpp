#include <gtest/gtest.h>

#include <filesystem>

#include "io/FileCommands.h"
#include "io/FileIo.h"
#include "io/PadFile.h"
#include "io/TextExport.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::enterPair;
using test::TestProgram;

std::string fileText(const std::string& path) {
    const auto bytes = test::fileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<missing>";
}

// The export's lines, each of which must end with CR LF.
std::vector<std::string> exportLines(const Program& p) {
    const Bytes bytes = exportBytes(p);
    const std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    EXPECT_EQ(from, text.size()) << "text after the last line end";
    return lines;
}

TEST(TextExport, FourPlayerExampleByteForByte) {
    TestProgram t;
    newPad(t.p, 4);
    const char* names[] = {"Anna", "Bert", "Carl", "Dora"};
    for (int k = 1; k <= 4; ++k)
        ASSERT_TRUE(editName(t.p, k, names[k - 1]));
    ASSERT_TRUE(enterPair(t.p, 1, 2, 2));
    frm0_MenuEvent(t.p, CMD_EXPORT);

    std::string want =
        "Kartotrix 102\r\n\t\t\tAnna\t\tBert\t\tCarl\t\tDora\r\n12\t2\t\t2\t2\t-2\t-2\r\n";
    for (int r = 2; r <= 27; ++r) {
        want += "\t\t\t\t\t\t\r\n";
        if (r % 4 == 0) want += "-\t-\t-\t-\t-\t-\t-\t\r\n";
    }
    want += "=\t=\t=\t=\t=\t=\t=\t\r\n\t\t\t2\t2\t-2\t-2\r\n\r\n";
    EXPECT_EQ(fileText(t.file("autosave.txt")), want);
    EXPECT_EQ(exportLines(t.p).size(), 38u);
}

TEST(TextExport, FreshFivePlayerPad) {
    TestProgram t;
    newPad(t.p, 5);
    std::vector<std::string> want{"Kartotrix 102", "\t\t\t1\t\t2\t\t3\t\t4\t\t5"};
    for (int r = 1; r <= 33; ++r) {
        want.push_back("\t\t\t\t\t\t\t\t");
        if (r % 5 == 0) want.push_back("-\t-\t-\t-\t-\t-\t-\t-\t");
    }
    want.insert(want.end(), {"=\t=\t=\t=\t=\t=\t=\t=\t", "\t\t\t0\t0\t0\t0\t0", ""});
    EXPECT_EQ(exportLines(t.p), want);
    EXPECT_EQ(want.size(), 44u);  // 43 lines and the final empty one
}

TEST(TextExport, CellsAreWrittenExactly) {
    TestProgram t;
    newPad(t.p, 5);
    t.p.pad.gameTable[1] = {35, -4, 0, 0, -4, 4, -4, EMPTY_CELL, 1, 6};
    EXPECT_EQ(exportLines(t.p)[2], "35\t-4\t\t0\t0\t-4\t4\t-4\t1");
    EXPECT_EQ(formatCell(EMPTY_CELL), "");
    EXPECT_EQ(formatCell(-12), "-12");

    newPad(t.p, 4);  // totals beyond the byte range of the pad file
    for (int v : {18, 18, 18, 18, 18, 18, 18, 18})
        ASSERT_TRUE(enterPair(t.p, 1, 2, v));
    const std::vector<std::string> lines = exportLines(t.p);
    EXPECT_EQ(lines[10], "12\t18\t\t144\t144\t-144\t-144");
    EXPECT_EQ(lines[36], "\t\t\t144\t144\t-144\t-144");
}

TEST(TextExport, AlwaysReplacesAutosaveTxt) {
    TestProgram t;
    newPad(t.p, 4);
    frm0_MenuEvent(t.p, CMD_EXPORT);
    ASSERT_TRUE(enterPair(t.p, 3, 4, 7));
    t.dialogs.saveAnswers = {t.file("anders.hsc")};
    frm0_MenuEvent(t.p, CMD_SAVE_AS);
    frm0_MenuEvent(t.p, CMD_EXPORT);
    const Bytes now = exportBytes(t.p);
    EXPECT_EQ(fileText(t.file("autosave.txt")), std::string(now.begin(), now.end()));
    int texts = 0;
    for (const auto& e : std::filesystem::directory_iterator(t.folder))
        texts += e.path().extension() == ".txt";
    EXPECT_EQ(texts, 1);
}

TEST(FileCommands, SaveWritesOneStampedFilePerMinute) {
    EXPECT_EQ(stampedFileName("/f/", {2026, 12, 7, 9, 5, 0}), "/f/save07-12-2026_9_5.hsc");
    EXPECT_EQ(stampedFileName("/f/", {2027, 1, 31, 23, 59, 59}), "/f/save31-01-2027_23_59.hsc");
    EXPECT_EQ(stampedFileName("", {2026, 3, 1, 0, 0, 0}), "save01-03-2026_0_0.hsc");

    TestProgram t;  // two saves within one minute: one file
    t.clock.time = {2026, 12, 7, 9, 5, 3};
    newPad(t.p, 4);
    t.p.pad.autosaveEnabled = false;
    frm0_MenuEvent(t.p, CMD_SAVE);
    ASSERT_TRUE(enterPair(t.p, 1, 3, 4));
    t.clock.time.second = 58;
    frm0_MenuEvent(t.p, CMD_SAVE);
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(t.folder))
        files.push_back(e.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"save07-12-2026_9_5.hsc"});
    EXPECT_EQ(test::fileBytes(t.file("save07-12-2026_9_5.hsc")), encodePadFile(t.p));
    EXPECT_TRUE(t.dialogs.messages.empty());
}

TEST(FileCommands, LoadOutcomes) {
    TestProgram source;
    newPad(source.p, 5);
    ASSERT_TRUE(enterPair(source.p, 2, 3, 9));
    test::putFile(source.file("broken.hsc"), Bytes(600, 'K'));
    // clang-format off
    const struct { std::string answer, message, caption; bool loads; } cases[] = {
        {"", "", "", false},  // cancelled
        {source.file("fehlt.hsc"), LOAD_ERROR_NOT_FOUND, "", false},
        {source.file("broken.hsc"), LOAD_ERROR_INVALID, "Kartotrix", false},
        {source.file("autosave.hsc"), "", "", true}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        TestProgram t;
        newPad(t.p, 4);
        ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
        const GameTable table = t.p.pad.gameTable;
        t.dialogs.openAnswers = {c.answer};
        frm0_MenuEvent(t.p, CMD_LOAD);  // the question about the unsaved entry is answered Yes
        EXPECT_EQ(t.dialogs.openDialogs, 1);
        ASSERT_EQ(t.dialogs.messages.size(), c.message.empty() ? 1u : 2u);
        if (!c.message.empty()) {
            EXPECT_EQ(t.dialogs.messages[1].text, c.message);
            EXPECT_EQ(t.dialogs.messages[1].caption, c.caption);
            EXPECT_EQ(t.dialogs.messages[1].buttons, MessageButtons::Ok);
        }
        EXPECT_EQ(t.p.pad.gameTable, c.loads ? source.p.pad.gameTable : table);
        EXPECT_EQ(t.p.pad.playerCount, c.loads ? 5 : 4);
    }
}

TEST(FileCommands, SaveAsCancelledWritesNothing) {
    TestProgram t;
    newPad(t.p, 4);
    frm0_MenuEvent(t.p, CMD_SAVE_AS);
    EXPECT_EQ(t.dialogs.savePresets, std::vector<std::string>{"karto.hsc"});
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].text, SAVE_ERROR_CANCELLED);
    EXPECT_EQ(t.dialogs.messages[0].caption, "");
    EXPECT_TRUE(std::filesystem::is_empty(t.folder));
}

TEST(FileCommands, WriteFailuresNameTheFile) {
    const std::pair<int, const char*> cases[] = {{CMD_SAVE_AS, "plain/x.hsc"},
                                                 {CMD_SAVE, "plain/save07-12-2026_20_0.hsc"},
                                                 {CMD_EXPORT, "plain/autosave.txt"}};
    for (const auto& [command, file] : cases) {
        SCOPED_TRACE(file);
        TestProgram t;
        newPad(t.p, 4);
        test::putFile(t.file("plain"), Bytes{1});
        t.p.shell.programFolder = t.file("plain/");
        t.dialogs.saveAnswers = {t.file("plain/x.hsc")};
        frm0_MenuEvent(t.p, command);
        ASSERT_EQ(t.dialogs.messages.size(), 1u);
        EXPECT_NE(t.dialogs.messages[0].text.find(t.file(file)), std::string::npos)
            << t.dialogs.messages[0].text;
    }
}

TEST(FileCommands, FailedAutosaveIsReportedOncePerFailure) {
    TestProgram t;
    newPad(t.p, 4);
    test::putFile(t.file("plain"), Bytes{1});
    const std::size_t expected[] = {1, 1, 1, 2, 2};  // broken, broken, fine, broken, broken
    for (int i = 0; i < 5; ++i) {
        t.p.shell.programFolder = i == 2 ? t.folder : t.file("plain/");
        ASSERT_TRUE(enterPair(t.p, 1, 2, 1 + i));
        EXPECT_EQ(t.dialogs.messages.size(), expected[i]) << i;
    }
    EXPECT_NE(t.dialogs.messages.back().text.find(t.file("plain/autosave.hsc")), std::string::npos);
    EXPECT_TRUE(test::fileExists(t.file("autosave.hsc")));
}

TEST(FileCommands, FilesFolderBesideThePortableProgramElseTheUserFolder) {
    struct Case {
        const char* what;
        bool writable;   // the program's folder takes files
        bool marker;     // the setup's marker file lies beside the program
        bool installed;  // the skin found the program installed under a prefix
        bool inUserFolder;
    };
    const Case cases[] = {
        {"portable", true, false, false, false},
        {"portable on a read-only medium", false, false, false, true},
        {"installed by the setup", true, true, false, true},
        {"installed under a prefix", true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestProgram t;
        const std::string program = t.file("program/");
        if (c.writable)
            std::filesystem::create_directory(program);
        else  // a file where the folder would be: nothing can be written "in" it
            test::putFile(t.file("program"), Bytes{1});
        if (c.marker) test::putFile(program + INSTALLED_MARKER, Bytes{'x'});
        const bool installed = c.installed || installedBySetup(*t.files, program);
        const std::string user = t.file("user/Kartotrix/");
        EXPECT_EQ(chooseFilesFolder(*t.files, program, user, installed),
                  c.inUserFolder ? user : program);
        EXPECT_EQ(std::filesystem::is_directory(user), c.inUserFolder);
        if (c.writable) {  // the probe leaves nothing behind
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program), {}),
                      c.marker ? 1 : 0);
        }
    }
}

TEST(FileCommands, FirstSaveInTheUserFolderSaysWhere) {
    for (const bool inUserFolder : {false, true}) {
        SCOPED_TRACE(inUserFolder);
        TestProgram t;
        t.clock.time = {2026, 12, 7, 9, 5, 3};
        newPad(t.p, 4);
        t.p.pad.autosaveEnabled = false;
        t.p.shell.filesInDataFolder = inUserFolder;
        frm0_MenuEvent(t.p, CMD_SAVE);
        t.clock.time.minute = 6;
        frm0_MenuEvent(t.p, CMD_SAVE);  // said once per run
        ASSERT_TRUE(test::fileExists(t.file("save07-12-2026_9_6.hsc")));
        ASSERT_EQ(t.dialogs.messages.size(), inUserFolder ? 1u : 0u);
        if (inUserFolder) {
            EXPECT_EQ(t.dialogs.messages[0].text,
                      savedWhereText(t.folder, "save07-12-2026_9_5.hsc"));
            EXPECT_NE(t.dialogs.messages[0].text.find("\xE2\x80\x9E"
                                                      "autosave.hsc"),
                      std::string::npos);
        }
    }
}

TEST(FileCommands, BusyPointerAroundFileWork) {
    for (int command : {0, +CMD_LOAD, +CMD_SAVE, +CMD_SAVE_AS, +CMD_EXPORT}) {  // 0: autosave
        SCOPED_TRACE(command);
        TestProgram t;
        newPad(t.p, 4);
        ASSERT_TRUE(writePadFile(t.p, t.file("pad.hsc")));
        t.dialogs.openAnswers = {t.file("pad.hsc")};
        t.dialogs.saveAnswers = {t.file("neu.hsc")};
        t.host.busyCalls = 0;
        if (command == 0)
            ASSERT_TRUE(enterPair(t.p, 1, 2, 2));
        else
            frm0_MenuEvent(t.p, command);
        EXPECT_GT(t.host.busyCalls, 0);
        EXPECT_EQ(t.host.busyDepth, 0);
    }
}

}  // namespace
}  // namespace kx
