#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Services.h"

namespace kx {

using Bytes = std::vector<std::uint8_t>;
// An open file; what it stands for is the platform's affair.
using FileHandle = std::intptr_t;

// What lies at a path. A symbolic link is reported as such, not followed.
enum class FileKind { Missing, Regular, Folder, Link, Other };

// Why a file operation failed, in the categories the user is told about.
enum class FileError {
    None,
    DiskFull,        // no space left, or the user's quota is used up
    ReadOnly,        // the medium or the file system is read-only
    Denied,          // no permission
    NotFound,        // the file or its folder does not exist
    NotRegular,      // a folder, a FIFO, a device or a socket where a file was expected
    Folder,          // a folder where a file was expected
    Link,            // a symbolic link where the program writes only real files
    TooLarge,        // longer than the reader accepts
    WriteProtected,  // the file itself is marked read-only
    NameTooLong,
    Busy,   // held by another program
    Other,  // any other input or output error
};

// The steps of replacing a file, in order; a failure names the step.
enum class FileStep { Check, Open, Write, Flush, Sync, Close, Rename, SyncFolder, Read };

// A lock on a file, held until the object is destroyed. The operating system
// drops it when the process ends in any way, so a crashed copy leaves no lock.
class FileLock {
  public:
    virtual ~FileLock() = default;
    // Turns a shared lock into an exclusive one without waiting, or back.
    // Returns false when other holders prevent it; the lock is then shared.
    virtual bool makeExclusive() = 0;
    virtual void makeShared() = 0;
};

enum class LockMode { Shared, Exclusive };

// The size of a regular file and the local time of its last change.
struct FileStamp {
    std::uint64_t size = 0;
    LocalTime modified;
};

// The file system as the program uses it: a few plain operations, each of
// which reports its error. The platform supplies one (POSIX or Windows);
// tests wrap it to make a single step fail. The whole-file operations that
// the program relies on (replacing a file so that it is either whole or
// unchanged, reading a pad with a size limit) are built on these steps in
// io/FileIo.h, the same on every platform.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    virtual FileKind kind(const std::string& path) = 0;
    // The path with every symbolic link resolved; the path itself when it is no link.
    virtual std::string resolveLinks(const std::string& path) = 0;

    // Reads at most `limit` + 1 bytes, so that a caller can tell a file that is
    // too long without reading it whole.
    virtual FileError read(const std::string& path, std::size_t limit, Bytes& out) = 0;

    // Creates a new, empty file with a name that no other file has, in `folder`,
    // starting with `prefix` and ending with `suffix`; gives its path and an
    // open handle for writing.
    virtual FileError createTemporary(const std::string& folder, const std::string& prefix,
                                      const std::string& suffix, std::string& path,
                                      FileHandle& handle) = 0;
    virtual FileError write(FileHandle handle, const std::uint8_t* data, std::size_t size) = 0;
    // Hands data that the platform still buffers to the operating system.
    virtual FileError flush(FileHandle handle) = 0;
    // Waits until the file's data lie on the medium.
    virtual FileError sync(FileHandle handle) = 0;
    virtual FileError close(FileHandle handle) = 0;
    // Whether the existing regular file at `path` may be replaced: a file
    // marked read-only is refused, although the rename that replaces it only
    // asks the folder for permission.
    virtual FileError replaceable(const std::string& path) = 0;
    // Gives the file behind `handle` the access rights of the file at `model`, if any.
    virtual void copyPermissions(const std::string& model, FileHandle handle) = 0;
    // Gives `from` the name `to` in one step, replacing a file of that name.
    virtual FileError rename(const std::string& from, const std::string& to) = 0;
    // Waits until the folder's entries (a rename) lie on the medium.
    virtual FileError syncFolder(const std::string& folder) = 0;
    virtual FileError remove(const std::string& path) = 0;

    virtual FileError makeFolders(const std::string& folder) = 0;
    // The names of the entries of a folder, without "." and "..".
    virtual std::vector<std::string> list(const std::string& folder) = 0;
    // Size and last change of the regular file at `path`; nothing when it is
    // missing, no regular file, or the platform cannot tell.
    virtual std::optional<FileStamp> stamp(const std::string& path) {
        (void)path;
        return std::nullopt;
    }
    // When the file at `path` was last changed, as a number that grows with
    // time (its unit is the platform's); nothing when it cannot be told.
    virtual std::optional<std::int64_t> modifiedTime(const std::string& path) {
        (void)path;
        return std::nullopt;
    }

    // Locks the file at `path` (created when missing, never through a link).
    // Without `wait` it gives nothing at once when another holder prevents it.
    virtual std::unique_ptr<FileLock> lock(const std::string& path, LockMode mode, bool wait) = 0;
};

}  // namespace kx
