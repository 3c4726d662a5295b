// The file system on Windows, through the Windows API's wide-character
// functions. Paths arrive as UTF-8 and may use "\" or "/" as separators.

#include <windows.h>

#include <algorithm>
#include <random>

#include "platform/PlatformFileSystem.h"
#include "platform/WinText.h"

namespace kx {

namespace {

// Not in every version of the SDK headers.
constexpr DWORD QUOTA_EXCEEDED = 1295;  // ERROR_DISK_QUOTA_EXCEEDED
constexpr DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Beyond this length a path needs the "\\?\" form to reach the file system.
constexpr std::size_t LONG_PATH = 240;

FileError fromWinError(DWORD e) {
    switch (e) {
        case ERROR_SUCCESS:
            return FileError::None;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case QUOTA_EXCEEDED:
            return FileError::DiskFull;
        case ERROR_WRITE_PROTECT:
            return FileError::ReadOnly;
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            return FileError::Denied;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_DIRECTORY:
            return FileError::NotFound;
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_BUFFER_OVERFLOW:
            return FileError::NameTooLong;
        case ERROR_CANT_RESOLVE_FILENAME:
            return FileError::Link;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_BUSY:
        case ERROR_USER_MAPPED_FILE:
            return FileError::Busy;
        default:
            return FileError::Other;
    }
}

FileError lastError() {
    return fromWinError(GetLastError());
}

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// The wide path for the API; long absolute paths get the "\\?\" form, which
// takes no "/" separators.
std::wstring nativePath(const std::string& utf8) {
    std::wstring path = widen(utf8);
    if (path.size() < LONG_PATH || path.starts_with(L"\\\\?\\")) return path;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

// The path without separators at its end, except for a drive's root.
std::wstring withoutTrailingSeparators(std::wstring path) {
    while (path.size() > 1 && isSeparator(path.back()) && !(path.size() == 3 && path[1] == L':'))
        path.pop_back();
    return path;
}

HANDLE handleOf(FileHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Symbolic links and junctions are links; other reparse points (cloud
// placeholders, deduplicated files) are ordinary files and folders.
bool isLinkTag(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = FindFirstFileW(withoutTrailingSeparators(path).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return data.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
           data.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT;
}

// Devices ("NUL", "COM1") and pipes answer to file names too.
bool isDiskFile(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), 0, SHARE_ALL, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return true;  // e.g. held open exclusively: still a file
    const DWORD type = GetFileType(file);
    CloseHandle(file);
    return type == FILE_TYPE_DISK;
}

class Win32Lock : public FileLock {
  public:
    Win32Lock(HANDLE file, LockMode mode) : file_(file), exclusive_(mode == LockMode::Exclusive) {}
    ~Win32Lock() override { CloseHandle(file_); }
    Win32Lock(const Win32Lock&) = delete;
    Win32Lock& operator=(const Win32Lock&) = delete;

    // Windows cannot convert a lock in place: the shared lock is given up,
    // the exclusive one tried, and the shared one taken again on failure.
    bool makeExclusive() override {
        if (exclusive_) return true;
        unlock();
        if (take(LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY)) {
            exclusive_ = true;
            return true;
        }
        take(0);
        return false;
    }
    void makeShared() override {
        if (!exclusive_) return;
        unlock();
        take(0);
        exclusive_ = false;
    }

    static bool lockWhole(HANDLE file, DWORD flags) {
        OVERLAPPED at{};
        return LockFileEx(file, flags, 0, MAXDWORD, MAXDWORD, &at) != 0;
    }

  private:
    bool take(DWORD flags) { return lockWhole(file_, flags); }
    void unlock() {
        OVERLAPPED at{};
        UnlockFileEx(file_, 0, MAXDWORD, MAXDWORD, &at);
    }

    HANDLE file_;
    bool exclusive_;
};

class Win32FileSystem : public FileSystem {
  public:
    FileKind kind(const std::string& path) override {
        const std::wstring wide = nativePath(path);
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return FileKind::Missing;
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) && isLinkTag(wide)) return FileKind::Link;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Folder;
        return isDiskFile(wide) ? FileKind::Regular : FileKind::Other;
    }

    std::string resolveLinks(const std::string& path) override {
        const HANDLE file = CreateFileW(nativePath(path).c_str(), 0, SHARE_ALL, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "";
        std::wstring buffer(MAX_PATH, L'\0');
        DWORD length =
            GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length >= buffer.size()) {
            buffer.resize(length + 1);
            length =
                GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                          FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        }
        CloseHandle(file);
        if (length == 0 || length >= buffer.size()) return "";
        buffer.resize(length);
        if (buffer.starts_with(L"\\\\?\\UNC\\"))
            buffer = L"\\\\" + buffer.substr(8);
        else if (buffer.starts_with(L"\\\\?\\"))
            buffer = buffer.substr(4);
        return narrow(buffer);
    }

    FileError read(const std::string& path, std::size_t limit, Bytes& out) override {
        const std::wstring wide = nativePath(path);
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return FileError::Folder;
        const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, SHARE_ALL, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) return lastError();
        if (GetFileType(file) != FILE_TYPE_DISK) {
            CloseHandle(file);
            return FileError::NotRegular;
        }
        out.clear();
        std::uint8_t buffer[8192];
        FileError result = FileError::None;
        while (out.size() <= limit) {
            const DWORD want = static_cast<DWORD>(std::min(sizeof buffer, limit + 1 - out.size()));
            DWORD got = 0;
            if (!ReadFile(file, buffer, want, &got, nullptr)) {
                result = lastError();
                break;
            }
            if (got == 0) break;
            out.insert(out.end(), buffer, buffer + got);
        }
        CloseHandle(file);
        return result;
    }

    FileError createTemporary(const std::string& folder, const std::string& prefix,
                              const std::string& suffix, std::string& path,
                              FileHandle& handle) override {
        static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
        std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = folder + prefix;
            for (int i = 0; i < 6; ++i)
                name += letters[pick(random_)];
            name += suffix;
            const HANDLE file = CreateFileW(nativePath(name).c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                path = name;
                handle = reinterpret_cast<FileHandle>(file);
                return FileError::None;
            }
            const DWORD e = GetLastError();
            if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) return fromWinError(e);
        }
        return FileError::Other;
    }

    FileError write(FileHandle handle, const std::uint8_t* data, std::size_t size) override {
        while (size > 0) {
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
            DWORD done = 0;
            if (!WriteFile(handleOf(handle), data, piece, &done, nullptr)) return lastError();
            if (done == 0) return FileError::DiskFull;
            data += done;
            size -= done;
        }
        return FileError::None;
    }

    // WriteFile hands everything to the system at once; nothing is buffered here.
    FileError flush(FileHandle) override { return FileError::None; }

    FileError sync(FileHandle handle) override {
        return FlushFileBuffers(handleOf(handle)) ? FileError::None : lastError();
    }

    FileError close(FileHandle handle) override {
        return CloseHandle(handleOf(handle)) ? FileError::None : lastError();
    }

    // The new file takes the access rights of its folder, as every new file
    // there does; of the old file it keeps whether it was hidden or a system file.
    FileError replaceable(const std::string& path) override {
        const DWORD attributes = GetFileAttributesW(nativePath(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return FileError::WriteProtected;
        return FileError::None;
    }

    void copyPermissions(const std::string& model, FileHandle handle) override {
        const DWORD attributes = GetFileAttributesW(nativePath(model).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return;
        const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (kept == 0) return;
        FILE_BASIC_INFO info{};
        if (GetFileInformationByHandleEx(handleOf(handle), FileBasicInfo, &info, sizeof info)) {
            info.FileAttributes = (info.FileAttributes & ~FILE_ATTRIBUTE_NORMAL) | kept;
            SetFileInformationByHandle(handleOf(handle), FileBasicInfo, &info, sizeof info);
        }
    }

    FileError rename(const std::string& from, const std::string& to) override {
        const std::wstring source = nativePath(from), target = nativePath(to);
        // A file marked read-only is never replaced. Windows refuses that
        // itself; not every implementation of the API does (Wine replaces it).
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return FileError::Denied;
        // A virus scanner or an indexer may hold the target for a moment.
        for (int attempt = 0;; ++attempt) {
            if (MoveFileExW(source.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return FileError::None;
            const DWORD e = GetLastError();
            if ((e != ERROR_SHARING_VIOLATION && e != ERROR_LOCK_VIOLATION) || attempt == 4)
                return fromWinError(e);
            Sleep(50);
        }
    }

    // MOVEFILE_WRITE_THROUGH returns only once the new name is on the medium.
    FileError syncFolder(const std::string&) override { return FileError::None; }

    FileError remove(const std::string& path) override {
        return DeleteFileW(nativePath(path).c_str()) ? FileError::None : lastError();
    }

    FileError makeFolders(const std::string& folder) override {
        std::wstring path = widen(folder);
        for (wchar_t& c : path) {
            if (c == L'/') c = L'\\';
        }
        for (std::size_t at = rootLength(path); at <= path.size(); ++at) {
            if (at < path.size() && path[at] != L'\\') continue;
            const std::wstring partial = path.substr(0, at);
            if (partial.empty() || partial.back() == L'\\') continue;
            if (CreateDirectoryW(nativePath(narrow(partial)).c_str(), nullptr)) continue;
            const DWORD e = GetLastError();
            if (e == ERROR_ALREADY_EXISTS || kind(narrow(partial)) == FileKind::Folder) continue;
            return fromWinError(e);
        }
        std::string resolved = resolveLinks(folder);
        if (resolved.empty()) resolved = folder;
        return kind(resolved) == FileKind::Folder ? FileError::None : FileError::NotFound;
    }

    std::optional<std::int64_t> modifiedTime(const std::string& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(nativePath(path).c_str(), GetFileExInfoStandard, &data))
            return std::nullopt;
        return static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime);
    }

    std::vector<std::string> list(const std::string& folder) override {
        std::vector<std::string> names;
        std::string pattern = folder;
        if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
        WIN32_FIND_DATAW data{};
        const HANDLE find = FindFirstFileW(nativePath(pattern + "*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") names.push_back(narrow(name));
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return names;
    }

    std::optional<FileStamp> stamp(const std::string& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(nativePath(path).c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return std::nullopt;
        SYSTEMTIME utc{}, local{};
        if (!FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
            !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
            return std::nullopt;
        FileStamp result;
        result.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        result.modified = {local.wYear, local.wMonth,  local.wDay,
                           local.wHour, local.wMinute, local.wSecond};
        return result;
    }

    std::unique_ptr<FileLock> lock(const std::string& path, LockMode mode, bool wait) override {
        if (kind(path) == FileKind::Link) return nullptr;
        // Opening the reparse point itself keeps a link put in place meanwhile from being followed.
        const HANDLE file =
            CreateFileW(nativePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, SHARE_ALL, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE) return nullptr;
        BY_HANDLE_FILE_INFORMATION info{};
        const bool plainFile =
            GetFileInformationByHandle(file, &info) &&
            !(info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
        DWORD flags = mode == LockMode::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0;
        if (!wait) flags |= LOCKFILE_FAIL_IMMEDIATELY;
        if (!plainFile || !Win32Lock::lockWhole(file, flags)) {
            CloseHandle(file);
            return nullptr;
        }
        return std::make_unique<Win32Lock>(file, mode);
    }

  private:
    // Where the folders that may be created begin: after "C:\" or "\\server\share\".
    static std::size_t rootLength(const std::wstring& path) {
        if (path.size() >= 2 && path[1] == L':')
            return path.size() >= 3 && path[2] == L'\\' ? 3 : 2;
        if (path.starts_with(L"\\\\")) {
            std::size_t at = path.find(L'\\', 2);
            if (at != std::wstring::npos) at = path.find(L'\\', at + 1);
            return at == std::wstring::npos ? path.size() : at + 1;
        }
        return path.starts_with(L"\\") ? 1 : 0;
    }

    std::mt19937 random_{std::random_device{}()};
};

}  // namespace

std::unique_ptr<FileSystem> makePlatformFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace kx
