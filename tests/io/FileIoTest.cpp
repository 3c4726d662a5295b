// Replacing a file on the platform's real file system: every failure leaves
// the old file byte for byte and no temporary file. The same checks run on
// Linux and, under Wine, on Windows, each with failures of its own kind.
#include <gtest/gtest.h>

#include <set>

#include "io/Cp1252.h"
#include "io/FileIo.h"
#include "support/FaultyFileSystem.h"
#include "support/TestProgram.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kx {
namespace {

using test::TestProgram;

const Bytes OLD{'a', 'l', 't'};
const Bytes NEW(100000, 'n');  // more than one write piece

std::set<std::string> names(FileSystem& fs, const std::string& folder) {
    const std::vector<std::string> listed = fs.list(folder);
    return {listed.begin(), listed.end()};
}

TEST(ReplaceFile, EveryFailingStepLeavesTheOldFileAndNoTemporary) {
    TestProgram t;
    const std::string target = t.file("abend.hsc");
    test::putFile(target, OLD);
    test::FaultyFileSystem fs(*t.files);
    for (FileStep step : {FileStep::Open, FileStep::Write, FileStep::Flush, FileStep::Sync,
                          FileStep::Close, FileStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        fs.failAt = step;
        fs.error = FileError::DiskFull;
        const FileResult result = replaceFile(fs, target, NEW);
        EXPECT_EQ(result.step, step);
        EXPECT_EQ(result.error, FileError::DiskFull);
        EXPECT_EQ(test::fileBytes(target), OLD);
        EXPECT_EQ(names(*t.files, t.folder), std::set<std::string>{"abend.hsc"});
    }
    // A folder that cannot be synced: the new file is in place all the same.
    fs.failAt = FileStep::SyncFolder;
    EXPECT_TRUE(replaceFile(fs, target, NEW));
    EXPECT_EQ(test::fileBytes(target), NEW);
    EXPECT_EQ(names(*t.files, t.folder), std::set<std::string>{"abend.hsc"});
}

TEST(ReplaceFile, AFolderThatTookTheTargetsPlaceStaysAsItWas) {
    TestProgram t;
    const std::string folder = t.file("block.hsc");
    ASSERT_EQ(t.files->makeFolders(folder + "/"), FileError::None);
    test::putFile(folder + "/inhalt", OLD);
    test::FaultyFileSystem fs(*t.files);
    fs.claimedKind = FileKind::Missing;  // checked before the folder appeared
    const FileResult result = replaceFile(fs, folder, NEW);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.step, FileStep::Rename);
    EXPECT_EQ(t.files->kind(folder), FileKind::Folder);
    EXPECT_EQ(test::fileBytes(folder + "/inhalt"), OLD);
    EXPECT_EQ(names(*t.files, t.folder), std::set<std::string>{"block.hsc"});
}

TEST(ReplaceFile, NamesBeyondAsciiAndLongPaths) {
    TestProgram t;
    std::string deep = t.folder;
    while (deep.size() < 300)
        deep += "Doppelkopf-Abende-im-M\xC3\xA4rz/";
    ASSERT_EQ(t.files->makeFolders(deep), FileError::None);
    const std::string name =
        "R\xC3\xBC"
        "diger \xE2\x82\xAC \xC3\x9F.hsc";  // "Rüdiger € ß.hsc"
    ASSERT_TRUE(replaceFile(*t.files, deep + name, NEW));
    EXPECT_EQ(names(*t.files, deep), std::set<std::string>{name});
    Bytes back;
    ASSERT_TRUE(readFile(*t.files, deep + name, NEW.size(), back));
    EXPECT_EQ(back, NEW);
    EXPECT_EQ(readFile(*t.files, deep + name, NEW.size() - 1, back).error, FileError::TooLarge);
    EXPECT_EQ(readFile(*t.files, deep, 10, back).error, FileError::Folder);
}

TEST(FileLocks, SharedHoldersKeepAnExclusiveLockOut) {
    TestProgram t;
    const std::string path = t.file("autosave.lock");
    auto first = t.files->lock(path, LockMode::Shared, false);
    auto second = t.files->lock(path, LockMode::Shared, false);
    ASSERT_TRUE(first && second);
    EXPECT_FALSE(t.files->lock(path, LockMode::Exclusive, false));
    EXPECT_FALSE(first->makeExclusive());
    second.reset();
    EXPECT_TRUE(first->makeExclusive());
    EXPECT_FALSE(t.files->lock(path, LockMode::Shared, false));
    first->makeShared();
    EXPECT_TRUE(t.files->lock(path, LockMode::Shared, false));
}

#ifdef _WIN32

std::wstring wide(const std::string& utf8) {
    std::wstring w(utf8.size(), L'\0');
    w.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                          static_cast<int>(utf8.size()), w.data(),
                                                          static_cast<int>(w.size()))));
    return w;
}

TEST(ReplaceFileOnWindows, RefusalsOfTheSystemLeaveTheOldFile) {
    TestProgram t;
    const std::string target = t.file("abend.hsc");
    test::putFile(target, OLD);

    ASSERT_TRUE(SetFileAttributesW(wide(target).c_str(), FILE_ATTRIBUTE_READONLY));
    // A read-only file is refused before anything is written, as on Linux.
    FileResult result = replaceFile(*t.files, target, NEW);
    EXPECT_EQ(result.step, FileStep::Check);
    EXPECT_EQ(result.error, FileError::WriteProtected);
    EXPECT_EQ(test::fileBytes(target), OLD);
    EXPECT_EQ(names(*t.files, t.folder), std::set<std::string>{"abend.hsc"});
    SetFileAttributesW(wide(target).c_str(), FILE_ATTRIBUTE_NORMAL);

    // A device is no file: nothing is written to it, nor beside it.
    EXPECT_EQ(replaceFile(*t.files, t.file("NUL"), NEW).error, FileError::NotRegular);
    EXPECT_EQ(replaceFile(*t.files, t.file("fehlt\\abend.hsc"), NEW).error, FileError::NotFound);
    EXPECT_EQ(replaceFile(*t.files, t.file("abend.hsc\\x.hsc"), NEW).error, FileError::NotFound);
    EXPECT_EQ(names(*t.files, t.folder), std::set<std::string>{"abend.hsc"});
    EXPECT_TRUE(replaceFile(*t.files, target, NEW));
    EXPECT_EQ(test::fileBytes(target), NEW);
}

TEST(ReplaceFileOnWindows, HiddenFileStaysHidden) {
    TestProgram t;
    const std::string target = t.file("autosave.hsc");
    test::putFile(target, OLD);
    ASSERT_TRUE(SetFileAttributesW(wide(target).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(replaceFile(*t.files, target, NEW));
    EXPECT_EQ(test::fileBytes(target), NEW);
    EXPECT_TRUE(GetFileAttributesW(wide(target).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

#else

TEST(ReplaceFileOnPosix, RefusalsOfTheSystemLeaveTheOldFile) {
    TestProgram t;
    const std::string target = t.file("abend.hsc");
    test::putFile(target, OLD);
    ASSERT_EQ(::mkfifo(t.file("pipe").c_str(), 0600), 0);
    EXPECT_EQ(replaceFile(*t.files, t.file("pipe"), NEW).error, FileError::NotRegular);
    Bytes back;
    EXPECT_EQ(readFile(*t.files, t.file("pipe"), 10, back).error, FileError::NotRegular);
    ::unlink(t.file("pipe").c_str());
    // Permissions bind everybody but the superuser.
    if (::geteuid() != 0) {
        ::chmod(t.folder.c_str(), 0555);
        const FileResult result = replaceFile(*t.files, target, NEW);
        ::chmod(t.folder.c_str(), 0755);
        EXPECT_EQ(result.step, FileStep::Open);
        EXPECT_EQ(result.error, FileError::Denied);
    }
    EXPECT_EQ(test::fileBytes(target), OLD);
    EXPECT_EQ(names(*t.files, t.folder), std::set<std::string>{"abend.hsc"});
}

#endif

// Names from the command line must be UTF-8, or they would be written under
// another name.
TEST(FileNames, OnlyWellFormedUtf8IsAName) {
    for (const char* good : {"", "abend.hsc", "J\xC3\xBCrgen", "\xE2\x82\xAC", "\xF0\x9F\x82\xA1"})
        EXPECT_TRUE(isValidUtf8(good)) << good;
    for (const char* bad : {"\xFC", "abend\xE4.hsc", "\xC3", "\xC0\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xE2\x82"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
}

}  // namespace
}  // namespace kx
