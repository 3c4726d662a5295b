#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "io/FileSystem.h"

namespace kx::test {

// The platform's file system with one step made to fail, for tests of what
// a failed save leaves behind. Everything else is passed through.
class FaultyFileSystem : public FileSystem {
public:
    explicit FaultyFileSystem(FileSystem& real) : real_(real) {}

    // The step that fails from now on, and how; FileStep::Check: none.
    void failAt(FileStep step, FileError error = FileError::DiskFull) {
        step_ = step;
        error_ = error;
    }
    std::size_t largestReadLimit = 0;

    FileKind kind(const std::string& path) override { return real_.kind(path); }
    std::string resolveLinks(const std::string& path) override { return real_.resolveLinks(path); }
    FileError read(const std::string& path, std::size_t limit, Bytes& out) override {
        largestReadLimit = std::max(largestReadLimit, limit);
        return fails(FileStep::Read) ? error_ : real_.read(path, limit, out);
    }
    FileError createTemporary(const std::string& folder, const std::string& prefix, const std::string& suffix,
                              std::string& path, FileHandle& handle) override {
        return fails(FileStep::Open) ? error_ : real_.createTemporary(folder, prefix, suffix, path, handle);
    }
    FileError write(FileHandle handle, const std::uint8_t* data, std::size_t size) override {
        if (!fails(FileStep::Write)) return real_.write(handle, data, size);
        real_.write(handle, data, size / 2);  // a part reaches the disk, as when it fills up
        return error_;
    }
    FileError flush(FileHandle handle) override { return fails(FileStep::Flush) ? error_ : real_.flush(handle); }
    FileError sync(FileHandle handle) override { return fails(FileStep::Sync) ? error_ : real_.sync(handle); }
    FileError close(FileHandle handle) override {
        const FileError e = real_.close(handle);
        return fails(FileStep::Close) ? error_ : e;
    }
    void copyPermissions(const std::string& model, FileHandle handle) override {
        real_.copyPermissions(model, handle);
    }
    FileError rename(const std::string& from, const std::string& to) override {
        return fails(FileStep::Rename) ? error_ : real_.rename(from, to);
    }
    FileError syncFolder(const std::string& folder) override {
        return fails(FileStep::SyncFolder) ? error_ : real_.syncFolder(folder);
    }
    FileError remove(const std::string& path) override { return real_.remove(path); }
    FileError makeFolders(const std::string& folder) override { return real_.makeFolders(folder); }
    std::vector<std::string> list(const std::string& folder) override { return real_.list(folder); }
    std::unique_ptr<FileLock> lock(const std::string& path, LockMode mode, bool wait) override {
        return real_.lock(path, mode, wait);
    }

private:
    bool fails(FileStep step) const { return step_ == step; }

    FileSystem& real_;
    FileStep step_ = FileStep::Check;
    FileError error_ = FileError::None;
};

}  // namespace kx::test
