#include "io/NameSuggestions.h"

#include <algorithm>
#include <set>

#include "core/Program.h"
#include "io/Cp1252.h"
#include "io/FileIo.h"
#include "io/PadFile.h"
#include "io/Statistics.h"

namespace kx {

namespace {

struct PadFileEntry {
    std::string path;
    std::int64_t changed = 0;
};

bool isPadFileName(const std::string& name) {
    if (name.size() < 5) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return extension == ".hsc";
}

std::string trimmed(const std::string& text) {
    const auto from = text.find_first_not_of(" \t");
    if (from == std::string::npos) return "";
    return text.substr(from, text.find_last_not_of(" \t") - from + 1);
}

// The pad files of every source folder, the most recently changed first; of
// equal times the name that sorts first.
std::vector<PadFileEntry> padFiles(FileSystem& fs, const std::string& filesFolder) {
    std::vector<PadFileEntry> files;
    for (const char* folder : NAME_SOURCE_FOLDERS) {
        const std::string in = filesFolder + folder;
        for (const std::string& name : fs.list(in)) {
            if (!isPadFileName(name) || isTemporaryName(name)) continue;
            const std::string path = in + name;
            if (fs.kind(path) != FileKind::Regular) continue;
            files.push_back({path, fs.modifiedTime(path).value_or(0)});
        }
    }
    std::sort(files.begin(), files.end(), [](const PadFileEntry& a, const PadFileEntry& b) {
        return a.changed != b.changed ? a.changed > b.changed : a.path < b.path;
    });
    if (files.size() > MAX_NAME_SOURCE_FILES) files.resize(MAX_NAME_SOURCE_FILES);
    return files;
}

}  // namespace

std::vector<std::string> nameSuggestions(FileSystem& fs, const std::string& filesFolder) {
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const PadFileEntry& file : padFiles(fs, filesFolder)) {
        Bytes bytes;
        if (!readFile(fs, file.path, MAX_PAD_FILE_SIZE, bytes)) continue;
        const DecodeResult decoded = decodePadFile(bytes);
        if (!decoded.image) continue;
        for (int k = 1; k <= decoded.image->playerCount; ++k) {
            const std::string name =
                printableText(trimmed(decoded.image->names[static_cast<std::size_t>(k)]));
            if (name.empty() || name == std::to_string(k)) continue;
            if (!seen.insert(foldedName(name)).second) continue;
            names.push_back(name);
            if (names.size() == MAX_NAME_SUGGESTIONS) return names;
        }
    }
    return names;
}

void refreshNameSuggestions(Program& p) {
    if (!p.services.files) return;
    if (p.services.host) p.services.host->setBusy(true);
    p.ui.nameSuggestions = nameSuggestions(*p.services.files, p.shell.programFolder);
    if (p.services.host) p.services.host->setBusy(false);
}

}  // namespace kx
