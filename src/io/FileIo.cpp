#include "io/FileIo.h"

#include <algorithm>

namespace kx {

namespace {

constexpr const char* TEMP_INFIX = ".kx-";
constexpr const char* TEMP_SUFFIX = ".tmp";
constexpr std::size_t TEMP_RANDOM = 6;  // characters the platform puts between infix and suffix
// Large writes go out in pieces, each of them checked.
constexpr std::size_t WRITE_CHUNK = 64 * 1024;

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

std::size_t lastSeparator(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isSeparator(path[i - 1])) return i - 1;
    }
    return std::string::npos;
}

// Closes and removes the temporary file of a replace that failed at `step`.
FileResult abandon(FileSystem& fs, const std::string& temp, FileHandle* handle, FileStep step,
                   FileError error) {
    if (handle) fs.close(*handle);
    fs.remove(temp);
    return {step, error};
}

}  // namespace

std::string folderOf(const std::string& path) {
    const std::size_t at = lastSeparator(path);
    return at == std::string::npos ? "" : path.substr(0, at + 1);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t at = lastSeparator(path);
    return at == std::string::npos ? path : path.substr(at + 1);
}

FileResult replaceFile(FileSystem& fs, const std::string& path, const Bytes& bytes,
                       LinkRule links) {
    if (path.empty() || isSeparator(path.back())) return {FileStep::Check, FileError::NotFound};
    std::string target = path;
    FileKind kind = fs.kind(target);
    if (kind == FileKind::Link) {
        if (links == LinkRule::Refuse) return {FileStep::Check, FileError::Link};
        target = fs.resolveLinks(path);
        kind = target.empty() ? FileKind::Link : fs.kind(target);
        if (kind == FileKind::Link) return {FileStep::Check, FileError::Link};
    }
    if (kind == FileKind::Folder) return {FileStep::Check, FileError::Folder};
    if (kind == FileKind::Other) return {FileStep::Check, FileError::NotRegular};
    if (kind == FileKind::Regular) {
        if (const FileError e = fs.replaceable(target); e != FileError::None)
            return {FileStep::Check, e};
    }

    std::string temp;
    FileHandle handle = 0;
    // The temporary name does not repeat the target's, so that a target name
    // near the file system's limit can still be written.
    const FileError opened =
        fs.createTemporary(folderOf(target), TEMP_INFIX, TEMP_SUFFIX, temp, handle);
    if (opened != FileError::None) return {FileStep::Open, opened};
    if (kind == FileKind::Regular) fs.copyPermissions(target, handle);
    for (std::size_t at = 0; at < bytes.size(); at += WRITE_CHUNK) {
        const std::size_t size = std::min(WRITE_CHUNK, bytes.size() - at);
        const FileError e = fs.write(handle, bytes.data() + at, size);
        if (e != FileError::None) return abandon(fs, temp, &handle, FileStep::Write, e);
    }
    if (const FileError e = fs.flush(handle); e != FileError::None)
        return abandon(fs, temp, &handle, FileStep::Flush, e);
    if (const FileError e = fs.sync(handle); e != FileError::None)
        return abandon(fs, temp, &handle, FileStep::Sync, e);
    // Closing can report a write that failed late (network folders, quotas).
    if (const FileError e = fs.close(handle); e != FileError::None)
        return abandon(fs, temp, nullptr, FileStep::Close, e);
    if (const FileError e = fs.rename(temp, target); e != FileError::None)
        return abandon(fs, temp, nullptr, FileStep::Rename, e);
    // The new file is in place and whole. A folder that cannot be synced (some
    // file systems do not offer it) leaves only the name's durability open, so
    // the write still counts as done: the old contents are gone either way.
    fs.syncFolder(folderOf(target));
    return {};
}

FileResult readFile(FileSystem& fs, const std::string& path, std::size_t limit, Bytes& out) {
    out.clear();
    std::string source = path;
    FileKind kind = fs.kind(source);
    if (kind == FileKind::Link) {
        source = fs.resolveLinks(path);
        kind = source.empty() ? FileKind::Missing : fs.kind(source);
    }
    switch (kind) {
        case FileKind::Missing:
        case FileKind::Link:
            return {FileStep::Read, FileError::NotFound};
        case FileKind::Folder:
            return {FileStep::Read, FileError::Folder};
        case FileKind::Other:
            return {FileStep::Read, FileError::NotRegular};
        case FileKind::Regular:
            break;
    }
    const FileError e = fs.read(source, limit, out);
    if (e != FileError::None) {
        out.clear();
        return {FileStep::Read, e};
    }
    if (out.size() > limit) {
        out.clear();
        return {FileStep::Read, FileError::TooLarge};
    }
    return {};
}

bool isTemporaryName(const std::string& fileName) {
    const std::string infix = TEMP_INFIX, suffix = TEMP_SUFFIX;
    if (fileName.size() < infix.size() + TEMP_RANDOM + suffix.size()) return false;
    if (!fileName.ends_with(suffix)) return false;
    const std::size_t at = fileName.size() - suffix.size() - TEMP_RANDOM - infix.size();
    return fileName.compare(at, infix.size(), infix) == 0;
}

void removeTemporaries(FileSystem& fs, const std::string& folder) {
    for (const std::string& name : fs.list(folder)) {
        if (isTemporaryName(name) && fs.kind(folder + name) == FileKind::Regular)
            fs.remove(folder + name);
    }
}

std::string reasonText(const FileResult& result) {
    const bool reading = result.step == FileStep::Read;
    switch (result.error) {
        case FileError::None:
            return "";
        case FileError::DiskFull:
            return "Der Datentr\xC3\xA4ger ist voll.";
        case FileError::ReadOnly:
            return "Der Datentr\xC3\xA4ger ist schreibgesch\xC3\xBCtzt.";
        case FileError::Denied:
            return reading ? "Kartotrix darf diese Datei nicht lesen."
                           : "Kartotrix darf dort nicht schreiben.";
        case FileError::NotFound:
            return reading ? "Die Datei gibt es nicht." : "Den Ordner gibt es nicht.";
        case FileError::NotRegular:
            return "Das ist keine gew\xC3\xB6hnliche Datei, sondern zum Beispiel ein Ger\xC3\xA4t "
                   "oder "
                   "eine Pipe.";
        case FileError::Folder:
            return "Das ist ein Ordner, keine Datei.";
        case FileError::Link:
            return "Das ist eine symbolische Verkn\xC3\xBCpfung; Kartotrix schreibt seine eigenen "
                   "Dateien "
                   "nur als gew\xC3\xB6hnliche Dateien.";
        case FileError::TooLarge:
            return "Die Datei ist zu gro\xC3\x9F.";
        case FileError::WriteProtected:
            return "Die Datei ist schreibgesch\xC3\xBCtzt.";
        case FileError::NameTooLong:
            return "Der Dateiname ist zu lang.";
        case FileError::Busy:
            return "Die Datei wird gerade von einem anderen Programm benutzt.";
        case FileError::Other:
            break;
    }
    return reading ? "Der Datentr\xC3\xA4ger meldet einen Lesefehler."
                   : "Der Datentr\xC3\xA4ger meldet einen Schreibfehler.";
}

std::string writeFailureText(const std::string& path, const FileResult& result) {
    return "Die Datei \xE2\x80\x9E" + path + "\xE2\x80\x9C konnte nicht geschrieben werden. " +
           reasonText(result);
}

bool installedBySetup(FileSystem& fs, const std::string& programFolder) {
    return fs.kind(programFolder + INSTALLED_MARKER) == FileKind::Regular;
}

std::string chooseFilesFolder(FileSystem& fs, const std::string& programFolder,
                              const std::string& userDataFolder, bool installed) {
    // A real attempt, since access rights alone do not tell (read-only
    // mounts, the superuser, an administrator writing into an installed
    // program's folder).
    std::string probe;
    FileHandle handle = 0;
    if (!installed) fs.makeFolders(programFolder);
    if (!installed && fs.createTemporary(programFolder, ".kartotrix-probe", TEMP_SUFFIX, probe, handle) ==
        FileError::None) {
        fs.close(handle);
        fs.remove(probe);
        return programFolder;
    }
    fs.makeFolders(userDataFolder);
    return userDataFolder;
}

}  // namespace kx
