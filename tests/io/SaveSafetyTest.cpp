// What every save, load and discard does when things go wrong: a failed write
// leaves the old file and no temporary file, and the user is told why.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "core/Correction.h"
#include "io/Batch.h"
#include "io/FileCommands.h"
#include "io/FileIo.h"
#include "io/PadFile.h"
#include "io/ProgramFiles.h"
#include "io/TextExport.h"
#include "support/FaultyFileSystem.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/PadLayout.h"
#include "view/QuickEntry.h"
#include "view/UserActions.h"

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kx {
namespace {

using test::enterPair;
using test::FaultyFileSystem;
using test::TestProgram;

const std::string DISK_FULL = "Der Datentr\xC3\xA4ger ist voll.";

std::vector<std::string> temporaries(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (isTemporaryName(entry.path().filename().string()))
            found.push_back(entry.path().string());
    }
    return found;
}

std::string fileText(const std::string& path) {
    const auto bytes = test::fileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<missing>";
}

std::string stderrOf(std::FILE* err) {
    std::rewind(err);
    std::string text;
    for (int c; (c = std::fgetc(err)) != EOF;)
        text += static_cast<char>(c);
    return text;
}

// One way of saving, aimed at a target that already holds `old`.
struct SaveKind {
    const char* name;
    std::string (*target)(TestProgram&);
    // Saves; gives the message the user was shown (or the command's error output).
    std::string (*save)(TestProgram&);
};

std::string lastMessage(TestProgram& t) {
    return t.dialogs.messages.empty() ? "" : t.dialogs.messages.back().text;
}

const SaveKind SAVE_KINDS[] = {
    {"autosave", [](TestProgram& t) { return t.file("autosave.hsc"); },
     [](TestProgram& t) {
         enterPair(t.p, 1, 2, 3);
         return lastMessage(t);
     }},
    {"Speichern", [](TestProgram& t) { return stampedFileName(t.folder, t.clock.time); },
     [](TestProgram& t) {
         frm0_MenuEvent(t.p, CMD_SAVE);
         return lastMessage(t);
     }},
    {"Speichern unter", [](TestProgram& t) { return t.file("abend.hsc"); },
     [](TestProgram& t) {
         t.dialogs.saveAnswers = {t.file("abend.hsc")};
         frm0_MenuEvent(t.p, CMD_SAVE_AS);
         return lastMessage(t);
     }},
    {"Textexport", [](TestProgram& t) { return t.file("autosave.txt"); },
     [](TestProgram& t) {
         frm0_MenuEvent(t.p, CMD_EXPORT);
         return lastMessage(t);
     }},
    {"--export", [](TestProgram& t) { return t.file("abend.txt"); },
     [](TestProgram& t) {
         std::FILE* err = std::tmpfile();
         const int status = exportCommand(*t.p.services.files, t.file("pad.hsc"),
                                          t.file("abend.txt"), {stdout, err});
         std::string text = stderrOf(err);
         std::fclose(err);
         return status == BATCH_WRITE_FAILED ? text : "exit status " + std::to_string(status);
     }},
};

TEST(SaveUnderFaults, EveryStepOfEverySaveFailsWithoutHarm) {
    const FileStep steps[] = {FileStep::Open, FileStep::Write, FileStep::Flush,
                              FileStep::Sync, FileStep::Close, FileStep::Rename};
    for (const SaveKind& kind : SAVE_KINDS) {
        for (FileStep step : steps) {
            SCOPED_TRACE(std::string(kind.name) + ", step " +
                         std::to_string(static_cast<int>(step)));
            TestProgram t;
            FaultyFileSystem faulty(*t.files);
            t.p.services.files = &faulty;
            newPad(t.p, 4);
            ASSERT_TRUE(enterPair(t.p, 1, 2, 2));
            ASSERT_TRUE(writePadFile(t.p, t.file("pad.hsc")));
            const std::string target = kind.target(t);
            test::putFile(target, std::string("der alte Stand"));

            faulty.failAt = step;
            faulty.error = FileError::DiskFull;
            const std::string message = kind.save(t);
            EXPECT_EQ(fileText(target), "der alte Stand");
            EXPECT_TRUE(temporaries(t.folder).empty());
            EXPECT_NE(message.find(target), std::string::npos) << message;
            EXPECT_NE(message.find(DISK_FULL), std::string::npos) << message;

            faulty.failAt.reset();  // the disk has room again
            kind.save(t);
            EXPECT_NE(fileText(target), "der alte Stand");
        }
    }
}

#ifndef _WIN32
// A real file system that is full: a tiny tmpfs, mounted when the tests run as root.
TEST(SaveUnderFaults, RealFullDisk) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount a small tmpfs";
    TestProgram t;
    const std::string disk = t.file("voll/");
    std::filesystem::create_directories(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    struct Unmount {
        std::string at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{disk};

    newPad(t.p, 4);
    ASSERT_TRUE(enterPair(t.p, 1, 2, 2));
    ASSERT_TRUE(writePadFile(t.p, t.file("pad.hsc")));
    t.p.shell.programFolder = disk;
    for (const char* name : {"autosave.hsc", "autosave.txt", "abend.hsc", "abend.txt"})
        test::putFile(disk + name, std::string("alt"));
    std::FILE* fill = std::fopen((disk + "fill").c_str(), "wb");
    ASSERT_NE(fill, nullptr);
    const std::string block(4096, 'x');
    while (std::fwrite(block.data(), 1, block.size(), fill) == block.size() &&
           std::fflush(fill) == 0) {
    }
    std::fclose(fill);

    ASSERT_TRUE(enterPair(t.p, 1, 3, 4));  // autosave
    frm0_MenuEvent(t.p, CMD_EXPORT);
    t.dialogs.saveAnswers = {disk + "abend.hsc"};
    frm0_MenuEvent(t.p, CMD_SAVE_AS);
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(exportCommand(*t.files, t.file("pad.hsc"), disk + "abend.txt", {stdout, err}),
              BATCH_WRITE_FAILED);
    EXPECT_NE(stderrOf(err).find(DISK_FULL), std::string::npos);
    std::fclose(err);

    ASSERT_EQ(t.dialogs.messages.size(), 3u);
    for (const auto& m : t.dialogs.messages)
        EXPECT_NE(m.text.find(DISK_FULL), std::string::npos) << m.text;
    for (const char* name : {"autosave.hsc", "autosave.txt", "abend.hsc", "abend.txt"})
        EXPECT_EQ(test::fileBytes(disk + name), (Bytes{'a', 'l', 't'})) << name;
    EXPECT_TRUE(temporaries(disk).empty());
}

TEST(SaveTargets, OnlyRegularFilesAreReplaced) {
    TestProgram t;
    newPad(t.p, 4);
    ASSERT_TRUE(writePadFile(t.p, t.file("pad.hsc")));
    ASSERT_EQ(::mkfifo(t.file("fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(t.file("ordner"));
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = t.file("sock");
    if (socketPath.size() < sizeof address.sun_path) {
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
        ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    for (const std::string& target :
         {t.file("fifo"), t.file("ordner"), socketPath, std::string("/dev/null")}) {
        if (!std::filesystem::exists(std::filesystem::symlink_status(target))) continue;
        SCOPED_TRACE(target);
        const auto status = std::filesystem::symlink_status(target).type();
        t.dialogs.messages.clear();
        t.dialogs.saveAnswers = {target};
        frm0_MenuEvent(t.p, CMD_SAVE_AS);
        ASSERT_EQ(t.dialogs.messages.size(), 1u);
        EXPECT_NE(t.dialogs.messages[0].text.find(target), std::string::npos);
        std::FILE* err = std::tmpfile();
        EXPECT_EQ(exportCommand(*t.files, t.file("pad.hsc"), target, {stdout, err}),
                  BATCH_WRITE_FAILED);
        EXPECT_NE(stderrOf(err).find(target), std::string::npos);
        std::fclose(err);
        EXPECT_EQ(std::filesystem::symlink_status(target).type(), status);
    }
    ::close(s);
    EXPECT_TRUE(temporaries(t.folder).empty());
}

TEST(SaveTargets, AWriteProtectedFileStaysAndALongNameIsWritten) {
    TestProgram t;
    newPad(t.p, 4);
    ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    ASSERT_TRUE(writePadFile(t.p, t.file("pad.hsc")));
    const std::string locked = t.file("gesperrt.txt");
    test::putFile(locked, std::string("alt"));
    ::chmod(locked.c_str(), 0444);
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(exportCommand(*t.files, t.file("pad.hsc"), locked, {stdout, err}),
              BATCH_WRITE_FAILED);
    EXPECT_NE(stderrOf(err).find("Die Datei ist schreibgesch\xC3\xBCtzt."), std::string::npos);
    std::fclose(err);
    t.dialogs.saveAnswers = {locked};
    frm0_MenuEvent(t.p, CMD_SAVE_AS);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_NE(t.dialogs.messages[0].text.find("schreibgesch\xC3\xBCtzt"), std::string::npos);
    EXPECT_EQ(fileText(locked), "alt");
    EXPECT_EQ(t.p.shell.changesSinceSave, 1);
    // The temporary file's name does not grow with the target's: 255 bytes fit.
    const std::string longest = t.file(std::string(251, 'x') + ".txt");
    EXPECT_EQ(exportCommand(*t.files, t.file("pad.hsc"), longest, {stdout, stderr}), BATCH_OK);
    EXPECT_TRUE(test::fileExists(longest));
    EXPECT_TRUE(temporaries(t.folder).empty());
}

TEST(SaveTargets, ProgramNamedFilesAreNeverWrittenThroughALink) {
    TestProgram t;
    newPad(t.p, 4);
    test::putFile(t.file("fremd"), std::string("fremde Datei"));
    const std::string stamped = stampedFileName(t.folder, t.clock.time);
    for (const std::string& name : {t.file("autosave.hsc"), t.file("autosave.txt"), stamped})
        std::filesystem::create_symlink(t.file("fremd"), name);
    ASSERT_TRUE(enterPair(t.p, 1, 2, 2));  // autosave
    frm0_MenuEvent(t.p, CMD_EXPORT);
    frm0_MenuEvent(t.p, CMD_SAVE);
    ASSERT_EQ(t.dialogs.messages.size(), 3u);
    for (const auto& m : t.dialogs.messages)
        EXPECT_NE(m.text.find("Verkn\xC3\xBCpfung"), std::string::npos) << m.text;
    EXPECT_EQ(fileText(t.file("fremd")), "fremde Datei");
    EXPECT_TRUE(std::filesystem::is_symlink(t.file("autosave.hsc")));

    // A name the user chose may be a link: the file it points to gets the pad.
    std::filesystem::create_symlink(t.file("fremd"), t.file("gewaehlt.hsc"));
    t.dialogs.saveAnswers = {t.file("gewaehlt.hsc")};
    frm0_MenuEvent(t.p, CMD_SAVE_AS);
    EXPECT_EQ(test::fileBytes(t.file("fremd")), encodePadFile(t.p));
    EXPECT_TRUE(std::filesystem::is_symlink(t.file("gewaehlt.hsc")));
}
#endif

TEST(PadFileLoad, OversizedFileIsRefusedUnread) {
    TestProgram t;
    FaultyFileSystem faulty(*t.files);
    t.p.services.files = &faulty;
    newPad(t.p, 4);
    ASSERT_TRUE(writePadFile(t.p, t.file("gross.hsc")));
    std::filesystem::resize_file(t.file("gross.hsc"),
                                 100u * 1024 * 1024);  // sparse: no real 100 MB
    EXPECT_EQ(readPadFile(t.p, t.file("gross.hsc")), LOAD_ERROR_INVALID);
    EXPECT_EQ(faulty.largestReadLimit, MAX_PAD_FILE_SIZE);
    // The largest pad that can be valid still loads: six names of 255 bytes and exact values.
    for (std::size_t k = 1; k <= 6; ++k)
        t.p.pad.playerNames[k] = std::string(255, static_cast<char>('a' + k));
    for (int v : {18, 18, 18, 18, 18, 18, 18, 18})
        ASSERT_TRUE(enterPair(t.p, 1, 2, v));
    EXPECT_LE(encodePadFile(t.p).size(), MAX_PAD_FILE_SIZE);
    EXPECT_EQ(readPadFile(t.p, t.file("autosave.hsc")), "");
    std::filesystem::create_directory(t.file("ordner.hsc"));
    EXPECT_EQ(readPadFile(t.p, t.file("ordner.hsc")), LOAD_ERROR_FOLDER);
}

// The five commands that replace the open pad, in every state of it.
TEST(DiscardQuestion, AsksOnlyForEntriesNotSavedSinceTheLastChange) {
    enum class State { NoEntries, Unsaved, Saved, CorrectedAfterSave };
    const int commands[] = {CMD_PAD4, CMD_PAD5, CMD_PAD6, CMD_CLEAR_PAD, CMD_LOAD};
    for (int command : commands) {
        for (State state :
             {State::NoEntries, State::Unsaved, State::Saved, State::CorrectedAfterSave}) {
            for (MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
                SCOPED_TRACE("command " + std::to_string(command) + ", state " +
                             std::to_string(static_cast<int>(state)) + ", answer Yes " +
                             std::to_string(answer == MessageAnswer::Yes));
                TestProgram t, other;
                newPad(other.p, 6);
                ASSERT_TRUE(writePadFile(other.p, t.file("sechs.hsc")));
                newPad(t.p, 5);
                if (state != State::NoEntries) {
                    ASSERT_TRUE(enterPair(t.p, 2, 3, 4));
                    ASSERT_TRUE(enterPair(t.p, 1, 3, 2));
                }
                if (state == State::Saved || state == State::CorrectedAfterSave)
                    frm0_MenuEvent(t.p, CMD_SAVE);
                if (state == State::CorrectedAfterSave) {
                    t.dialogs.inputAnswers = {"6"};
                    PKT_MouseDown(t.p, 1, 1, CTRL_BIT, 0, 0);
                    ASSERT_EQ(t.p.pad.gameTable[1][1], 6);
                }
                const GameTable before = t.p.pad.gameTable;
                t.dialogs.messages.clear();
                t.dialogs.messageAnswers = {answer};
                t.dialogs.openAnswers = {t.file("sechs.hsc")};
                frm0_MenuEvent(t.p, command);

                const bool asks = state == State::Unsaved || state == State::CorrectedAfterSave;
                const bool goesOn = !asks || answer == MessageAnswer::Yes;
                if (asks) {
                    ASSERT_FALSE(t.dialogs.messages.empty());
                    const auto& q = t.dialogs.messages.front();
                    const std::string what =
                        state == State::Unsaved
                            ? "2 Eintr\xC3\xA4ge, die noch nicht gespeichert sind"
                            : "1 Eintrag, der noch nicht gespeichert ist";
                    EXPECT_EQ(q.text, "Der laufende Block hat " + what + ". Trotzdem " +
                                          (command == CMD_LOAD ? "einen anderen Block laden?"
                                                               : "einen neuen Block beginnen?"));
                    EXPECT_EQ(q.caption, "Kartotrix");
                    EXPECT_EQ(q.buttons, MessageButtons::YesNo);
                    EXPECT_EQ(q.icon, MessageIcon::Question);
                } else {
                    EXPECT_TRUE(t.dialogs.messages.empty());
                }
                EXPECT_EQ(t.dialogs.openDialogs, command == CMD_LOAD && goesOn ? 1 : 0);
                const int count = command == CMD_PAD4                               ? 4
                                  : command == CMD_PAD5 || command == CMD_CLEAR_PAD ? 5
                                                                                    : 6;
                EXPECT_EQ(t.p.pad.playerCount, goesOn ? count : 5);
                if (!goesOn) {
                    EXPECT_EQ(t.p.pad.gameTable, before);
                }
            }
        }
    }
}

TEST(DiscardQuestion, AnUndoneStepAfterSavingIsUnsavedAgain) {
    TestProgram t;
    newPad(t.p, 4);
    ASSERT_TRUE(enterPair(t.p, 1, 2, 4));
    ASSERT_TRUE(enterPair(t.p, 1, 3, 2));
    frm0_MenuEvent(t.p, CMD_SAVE);
    frm0_KeyDown(t.p, KEY_BACKSPACE, ALT_BIT);  // undo the second game
    ASSERT_EQ(t.p.pad.entryCount(), 1);
    t.dialogs.messageAnswers = {MessageAnswer::No};
    frm0_MenuEvent(t.p, CMD_CLEAR_PAD);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_NE(t.dialogs.messages[0].text.find("1 Eintrag, der"), std::string::npos);
    EXPECT_EQ(t.p.pad.entryCount(), 1);
}

// The previous evening's autosave is the way back after a crash: neither an
// undo to the empty start nor a load of that file may put it at risk.
TEST(DiscardQuestion, TheLastAutosaveIsNeverTheOnlyCopyAtRisk) {
    TestProgram before;
    newPad(before.p, 4);
    ASSERT_TRUE(enterPair(before.p, 1, 2, 3));
    ASSERT_TRUE(enterPair(before.p, 1, 3, 5));
    const auto evening = test::fileBytes(before.file("autosave.hsc"));
    ASSERT_TRUE(evening);

    TestProgram t;
    t.p.shell.programFolder = before.folder;
    frm0_MenuEvent(t.p, CMD_PAD4);
    frm0_KeyDown(t.p, KEY_BACKSPACE, ALT_BIT);  // back to no pad at all
    EXPECT_FALSE(t.p.pad.padOpen());
    EXPECT_EQ(test::fileBytes(before.file("autosave.hsc")), evening);
    frm0_MenuEvent(t.p, CMD_PAD4);
    EXPECT_TRUE(t.dialogs.messages.empty());  // no entry to ask about

    // Loaded from the autosave, the evening is unsaved until "Speichern".
    t.dialogs.openAnswers = {before.file("autosave.hsc")};
    frm0_MenuEvent(t.p, CMD_LOAD);
    ASSERT_EQ(t.p.pad.entryCount(), 2);
    t.dialogs.messageAnswers = {MessageAnswer::No};
    frm0_MenuEvent(t.p, CMD_PAD4);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_NE(t.dialogs.messages[0].text.find("2 Eintr\xC3\xA4ge, die"), std::string::npos);
    EXPECT_EQ(t.p.pad.entryCount(), 2);
    frm0_MenuEvent(t.p, CMD_SAVE);
    t.dialogs.messages.clear();
    frm0_MenuEvent(t.p, CMD_PAD4);
    EXPECT_TRUE(t.dialogs.messages.empty());
    for (const char* name : {"autosave.hsc", "x/AUTOSAVE-2.hsc", "autosave-12.HSC"})
        EXPECT_TRUE(isAutosaveFileName(name)) << name;
    for (const char* name :
         {"autosave-.hsc", "autosave2.hsc", "autosave-2a.hsc", "mein-autosave.hsc"})
        EXPECT_FALSE(isAutosaveFileName(name)) << name;
}

TEST(ProgramFiles, EachRunningCopyHasAnAutosaveOfItsOwn) {
    TestProgram first, second, third;
    for (TestProgram* t : {&second, &third})
        t->p.shell.programFolder = first.folder;
    const ProgramFilesClaim a = claimProgramFiles(first.p);
    EXPECT_EQ(first.p.shell.autosaveBase, "autosave");
    EXPECT_TRUE(a.notice.empty());
    ProgramFilesClaim b = claimProgramFiles(second.p);
    EXPECT_EQ(second.p.shell.autosaveBase, "autosave-2");
    EXPECT_NE(b.notice.find("autosave-2.hsc"), std::string::npos);
    EXPECT_NE(b.notice.find("autosave-2.txt"), std::string::npos);
    const ProgramFilesClaim c = claimProgramFiles(third.p);
    EXPECT_EQ(third.p.shell.autosaveBase, "autosave-3");

    newPad(second.p, 4);
    ASSERT_TRUE(enterPair(second.p, 1, 2, 5));
    frm0_MenuEvent(second.p, CMD_EXPORT);
    EXPECT_TRUE(test::fileExists(first.file("autosave-2.hsc")));
    EXPECT_TRUE(test::fileExists(first.file("autosave-2.txt")));
    EXPECT_FALSE(test::fileExists(first.file("autosave.hsc")));

    // When the second copy ends, the next one to start takes its name again.
    b = ProgramFilesClaim{};
    TestProgram fourth;
    fourth.p.shell.programFolder = first.folder;
    const ProgramFilesClaim d = claimProgramFiles(fourth.p);
    EXPECT_EQ(fourth.p.shell.autosaveBase, "autosave-2");
}

TEST(ProgramFiles, LockOfACrashedCopyIsTakenOver) {
    TestProgram t;
    // What a copy that crashed leaves: its lock files, but no lock on them.
    test::putFile(t.file("autosave.lock"), std::string("4711"));
    test::putFile(t.file("kartotrix.lock"), std::string(""));
#ifndef _WIN32
    const pid_t child = ::fork();
    if (child == 0) {
        TestProgram crashing;
        crashing.p.shell.programFolder = t.folder;
        const ProgramFilesClaim held = claimProgramFiles(crashing.p);
        ::_exit(crashing.p.shell.autosaveBase == "autosave" ? 0 : 1);  // dies holding the locks
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
#endif
    const ProgramFilesClaim claim = claimProgramFiles(t.p);
    EXPECT_EQ(t.p.shell.autosaveBase, "autosave");
    EXPECT_TRUE(claim.notice.empty());
}

TEST(ProgramFiles, LeftoverTemporariesGoOnlyWhenNoOtherCopyRuns) {
    TestProgram t, other;
    const std::string leftover = t.file("autosave.hsc.kx-Ab3dE9.tmp");
    test::putFile(t.file("notizen.tmp"), std::string("fremd"));
    other.p.shell.programFolder = t.folder;
    {
        const ProgramFilesClaim running = claimProgramFiles(other.p);
        test::putFile(leftover, std::string("halb geschrieben"));
        const ProgramFilesClaim second = claimProgramFiles(t.p);
        EXPECT_TRUE(test::fileExists(leftover));  // it may be the other copy's save in progress
    }
    const ProgramFilesClaim alone = claimProgramFiles(t.p);
    EXPECT_FALSE(test::fileExists(leftover));
    EXPECT_TRUE(test::fileExists(t.file("notizen.tmp")));
}

TEST(Names, ControlCharactersNeverReachTheWindowOrTheExport) {
    TestProgram t;
    newPad(t.p, 4);
    Bytes bytes = encodePadFile(t.p);
    const std::string names[] = {"An\tna", "B\r\nert", "\x1B[31mCarla", "Dieter"};
    bytes.resize(PAD_HEADER_SIZE + PAD_TABLE_SIZE);
    for (int k = 0; k < 6; ++k) {
        const std::string name = k < 4 ? names[k] : std::to_string(k + 1);
        bytes[84 + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(name.size());
        bytes.insert(bytes.end(), name.begin(), name.end());
    }
    test::putFile(t.file("namen.hsc"), bytes);
    ASSERT_EQ(readPadFile(t.p, t.file("namen.hsc")), "");
    EXPECT_EQ(t.p.ui.NMS(1).text, "An na");
    EXPECT_EQ(t.p.ui.NMS(2).text, "B  ert");
    EXPECT_EQ(t.p.ui.NMS(3).text, " [31mCarla");
    EXPECT_EQ(t.p.ui.status(2), "Geber: An na");
    const Bytes text = exportBytes(t.p);
    const std::string lines(text.begin(), text.end());
    EXPECT_NE(lines.find("\r\n\t\t\tAn na\t\tB  ert\t\t [31mCarla\t\tDieter\r\n"),
              std::string::npos);
    EXPECT_EQ(lines.find('\x1B'), std::string::npos);
    EXPECT_EQ(previewQuickEntry(t.p, "1 3 2").text, "Spiel 1: An na /  [31mCarla gewinnen 2");
    // The file itself is kept as it was read.
    EXPECT_EQ(encodePadFile(t.p), bytes);
    // Typed or pasted into a name field, a control character becomes a blank.
    ASSERT_TRUE(editName(t.p, 4, "Die\tter\n"));
    EXPECT_EQ(t.p.pad.playerNames[4], "Die ter ");
}

TEST(CorrectionLimits, AnswersBeyondWhatAGameIsWorthChangeNothing) {
    TestProgram t;
    newPad(t.p, 4);
    for (int g = 0; g < 3; ++g)
        ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    const GameTable before = t.p.pad.gameTable;
    for (const char* answer : {"999999999", "-1000", "1000"}) {
        SCOPED_TRACE(answer);
        t.dialogs.messages.clear();
        t.dialogs.inputAnswers = {answer};
        PKT_MouseDown(t.p, 1, 1, CTRL_BIT, 0, 0);
        ASSERT_EQ(t.dialogs.messages.size(), 1u);
        EXPECT_NE(t.dialogs.messages[0].text.find("999"), std::string::npos);
        EXPECT_EQ(t.p.pad.gameTable, before);
    }
    for (int row = 1; row <= 3; ++row) {
        t.dialogs.inputAnswers = {"999"};
        PKT_MouseDown(t.p, row, 1, CTRL_BIT, 0, 0);
    }
    EXPECT_EQ(t.p.pad.gamePoints[1], 2997);
    EXPECT_EQ(t.p.ui.status(4), "Umsatz: 5994");
    EXPECT_TRUE(decodePadFile(encodePadFile(t.p)).image);
}

}  // namespace
}  // namespace kx
