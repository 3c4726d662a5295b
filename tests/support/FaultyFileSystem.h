#pragma once

#include <algorithm>
#include <memory>
#include <optional>

#include "io/FileSystem.h"

namespace kx::test {

// Passes every call to a real file system, except that the step `failAt`
// fails with `error` (a write after half of its bytes, a close after the file
// was closed), and kind() may claim one kind for every path, as if the
// target had changed after it was checked.
class FaultyFileSystem : public FileSystem {
  public:
    explicit FaultyFileSystem(FileSystem& real) : real_(real) {}
    std::optional<FileStep> failAt;
    FileError error = FileError::Other;
    std::optional<FileKind> claimedKind;
    // The largest read the program asked for: a limit, never "the whole file".
    std::size_t largestReadLimit = 0;

    FileKind kind(const std::string& path) override {
        return claimedKind ? *claimedKind : real_.kind(path);
    }
    std::string resolveLinks(const std::string& path) override { return real_.resolveLinks(path); }
    FileError read(const std::string& path, std::size_t limit, Bytes& out) override {
        largestReadLimit = std::max(largestReadLimit, limit);
        return fails(FileStep::Read) ? error : real_.read(path, limit, out);
    }
    FileError createTemporary(const std::string& folder, const std::string& prefix,
                              const std::string& suffix, std::string& path,
                              FileHandle& handle) override {
        return fails(FileStep::Open) ? error
                                     : real_.createTemporary(folder, prefix, suffix, path, handle);
    }
    FileError write(FileHandle handle, const std::uint8_t* data, std::size_t size) override {
        if (!fails(FileStep::Write)) return real_.write(handle, data, size);
        real_.write(handle, data, size / 2);
        return error;
    }
    FileError flush(FileHandle handle) override {
        return fails(FileStep::Flush) ? error : real_.flush(handle);
    }
    FileError sync(FileHandle handle) override {
        return fails(FileStep::Sync) ? error : real_.sync(handle);
    }
    FileError close(FileHandle handle) override {
        const FileError closed = real_.close(handle);
        return fails(FileStep::Close) ? error : closed;
    }
    FileError replaceable(const std::string& path) override { return real_.replaceable(path); }
    void copyPermissions(const std::string& model, FileHandle handle) override {
        real_.copyPermissions(model, handle);
    }
    FileError rename(const std::string& from, const std::string& to) override {
        return fails(FileStep::Rename) ? error : real_.rename(from, to);
    }
    FileError syncFolder(const std::string& folder) override {
        return fails(FileStep::SyncFolder) ? error : real_.syncFolder(folder);
    }
    FileError remove(const std::string& path) override { return real_.remove(path); }
    FileError makeFolders(const std::string& folder) override { return real_.makeFolders(folder); }
    std::vector<std::string> list(const std::string& folder) override { return real_.list(folder); }
    std::optional<FileStamp> stamp(const std::string& path) override { return real_.stamp(path); }
    std::optional<std::int64_t> modifiedTime(const std::string& path) override {
        return real_.modifiedTime(path);
    }
    std::unique_ptr<FileLock> lock(const std::string& path, LockMode mode, bool wait) override {
        return real_.lock(path, mode, wait);
    }

  private:
    bool fails(FileStep step) const { return failAt == step; }
    FileSystem& real_;
};

}  // namespace kx::test
