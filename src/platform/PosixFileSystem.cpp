#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <random>

#include "platform/PlatformFileSystem.h"

namespace kx {

namespace {

FileError fromErrno(int e) {
    switch (e) {
        case 0:
            return FileError::None;
        case ENOSPC:
        case EDQUOT:
            return FileError::DiskFull;
        case EROFS:
            return FileError::ReadOnly;
        case EACCES:
        case EPERM:
            return FileError::Denied;
        case ENOENT:
        case ENOTDIR:
            return FileError::NotFound;
        case ENAMETOOLONG:
            return FileError::NameTooLong;
        case ELOOP:
            return FileError::Link;
        case EISDIR:
            return FileError::Folder;
        case EBUSY:
        case ETXTBSY:
            return FileError::Busy;
        default:
            return FileError::Other;
    }
}

FileError lastError() {
    return fromErrno(errno);
}

int fd(FileHandle handle) {
    return static_cast<int>(handle);
}

class PosixLock : public FileLock {
  public:
    explicit PosixLock(int fd) : fd_(fd) {}
    ~PosixLock() override { ::close(fd_); }
    PosixLock(const PosixLock&) = delete;
    PosixLock& operator=(const PosixLock&) = delete;

    bool makeExclusive() override {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
        // A failed conversion may have dropped the shared lock; take it again.
        makeShared();
        return false;
    }
    void makeShared() override {
        while (::flock(fd_, LOCK_SH) != 0 && errno == EINTR) {
        }
    }

  private:
    int fd_;
};

class PosixFileSystem : public FileSystem {
  public:
    FileKind kind(const std::string& path) override {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) return FileKind::Missing;
        if (S_ISLNK(st.st_mode)) return FileKind::Link;
        if (S_ISREG(st.st_mode)) return FileKind::Regular;
        if (S_ISDIR(st.st_mode)) return FileKind::Folder;
        return FileKind::Other;
    }

    std::string resolveLinks(const std::string& path) override {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (!resolved) return "";
        std::string result = resolved;
        std::free(resolved);
        return result;
    }

    FileError read(const std::string& path, std::size_t limit, Bytes& out) override {
        // Non-blocking, so that a FIFO put in the file's place cannot stall the program.
        const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (file < 0) return lastError();
        struct stat st {};
        if (::fstat(file, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(file);
            return S_ISDIR(st.st_mode) ? FileError::Folder : FileError::NotRegular;
        }
        out.clear();
        std::uint8_t buffer[8192];
        while (out.size() <= limit) {
            const std::size_t want = std::min(sizeof buffer, limit + 1 - out.size());
            const ssize_t got = ::read(file, buffer, want);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                const FileError e = lastError();
                ::close(file);
                return e;
            }
            if (got == 0) break;
            out.insert(out.end(), buffer, buffer + got);
        }
        ::close(file);
        return FileError::None;
    }

    FileError createTemporary(const std::string& folder, const std::string& prefix,
                              const std::string& suffix, std::string& path,
                              FileHandle& handle) override {
        static const char letters[] =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = folder + prefix;
            for (int i = 0; i < 6; ++i)
                name += letters[pick(random_)];
            name += suffix;
            const int file =
                ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (file >= 0) {
                path = name;
                handle = file;
                return FileError::None;
            }
            if (errno != EEXIST && errno != EINTR) return lastError();
        }
        return FileError::Other;
    }

    FileError write(FileHandle handle, const std::uint8_t* data, std::size_t size) override {
        while (size > 0) {
            const ssize_t done = ::write(fd(handle), data, size);
            if (done < 0 && errno == EINTR) continue;
            if (done <= 0) return done == 0 ? FileError::DiskFull : lastError();
            data += done;
            size -= static_cast<std::size_t>(done);
        }
        return FileError::None;
    }

    // Writes go straight to the operating system; nothing is buffered here.
    FileError flush(FileHandle) override { return FileError::None; }

    FileError sync(FileHandle handle) override {
        while (::fsync(fd(handle)) != 0) {
            if (errno != EINTR) return lastError();
        }
        return FileError::None;
    }

    FileError close(FileHandle handle) override {
        // Linux releases the descriptor even when close reports an error, so it is not retried.
        return ::close(fd(handle)) == 0 || errno == EINTR ? FileError::None : lastError();
    }

    FileError replaceable(const std::string& path) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return FileError::None;
        // The mode bits, not access(): the superuser could write anything.
        if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
            return FileError::WriteProtected;
        return FileError::None;
    }

    void copyPermissions(const std::string& model, FileHandle handle) override {
        struct stat st {};
        if (::stat(model.c_str(), &st) == 0) ::fchmod(fd(handle), st.st_mode & 07777);
    }

    FileError rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? FileError::None : lastError();
    }

    FileError syncFolder(const std::string& folder) override {
        const int dir =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0) return lastError();
        const FileError e = ::fsync(dir) == 0 ? FileError::None : lastError();
        ::close(dir);
        return e;
    }

    FileError remove(const std::string& path) override {
        return ::unlink(path.c_str()) == 0 ? FileError::None : lastError();
    }

    FileError makeFolders(const std::string& folder) override {
        std::string partial;
        for (std::size_t i = 0; i < folder.size(); ++i) {
            partial += folder[i];
            const bool end = i + 1 == folder.size();
            if ((folder[i] != '/' && !end) || partial == "/") continue;
            if (::mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) return lastError();
        }
        return kind(resolveOrSelf(folder)) == FileKind::Folder ? FileError::None
                                                               : FileError::NotFound;
    }

    std::optional<std::int64_t> modifiedTime(const std::string& path) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return std::nullopt;
        return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    }

    std::vector<std::string> list(const std::string& folder) override {
        std::vector<std::string> names;
        DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (!dir) return names;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        ::closedir(dir);
        return names;
    }

    std::optional<FileStamp> stamp(const std::string& path) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
        std::tm local{};
        if (!::localtime_r(&st.st_mtime, &local)) return std::nullopt;
        FileStamp result;
        result.size = static_cast<std::uint64_t>(st.st_size);
        result.modified = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                           local.tm_hour,        local.tm_min,     local.tm_sec};
        return result;
    }

    std::unique_ptr<FileLock> lock(const std::string& path, LockMode mode, bool wait) override {
        const int file = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (file < 0) return nullptr;
        const int operation = (mode == LockMode::Shared ? LOCK_SH : LOCK_EX) | (wait ? 0 : LOCK_NB);
        while (::flock(file, operation) != 0) {
            if (errno == EINTR) continue;
            ::close(file);
            return nullptr;
        }
        return std::make_unique<PosixLock>(file);
    }

  private:
    std::string resolveOrSelf(const std::string& path) {
        const std::string resolved = resolveLinks(path);
        return resolved.empty() ? path : resolved;
    }

    std::mt19937 random_{std::random_device{}()};
};

}  // namespace

std::unique_ptr<FileSystem> makePlatformFileSystem() {
    return std::make_unique<PosixFileSystem>();
}

}  // namespace kx
