#include "io/FileIo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

namespace kx {

namespace {

QString qpath(const std::string& path) { return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())); }

// Whether a file can be created in the folder; a real attempt, since access
// rights alone do not tell (read-only mounts, the superuser).
bool folderWritable(const std::string& folder) {
    if (!QDir().mkpath(qpath(folder))) return false;
    QSaveFile probe(qpath(folder + ".kartotrix-probe"));
    if (!probe.open(QIODevice::WriteOnly)) return false;
    probe.cancelWriting();
    probe.commit();
    return true;
}

}  // namespace

bool fileExists(const std::string& path) {
    const QFileInfo info(qpath(path));
    return info.exists() && info.isFile();
}

bool writeFileAtomically(const std::string& path, const Bytes& bytes) {
    if (path.empty()) return false;
    QSaveFile file(qpath(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    // commit() flushes the data to disk before it renames the file.
    return file.commit();
}

std::optional<Bytes> readWholeFile(const std::string& path) {
    QFile file(qpath(path));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return Bytes(data.begin(), data.end());
}

std::string chooseFilesFolder(const std::string& programFolder, const std::string& userDataFolder) {
    if (folderWritable(programFolder)) return programFolder;
    QDir().mkpath(qpath(userDataFolder));
    return userDataFolder;
}

}  // namespace kx
