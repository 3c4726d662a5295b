#include "io/EarlierStates.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "core/Program.h"
#include "io/FileIo.h"
#include "io/PadFile.h"
#include "view/History.h"

namespace kx {

namespace {

// '0' stands for a digit, every other sign for itself.
constexpr std::string_view NAME_PATTERN = "0000-00-00_00-00-00_Abend-00-00-00";
constexpr std::string_view EXTENSION = ".hsc";
constexpr int MAX_SEQUENCE = 9;

int digits(const std::string& s, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i)
        value = value * 10 + (s[i] - '0');
    return value;
}

bool matchesPattern(const std::string& name) {
    if (name.size() < NAME_PATTERN.size()) return false;
    for (std::size_t i = 0; i < NAME_PATTERN.size(); ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (NAME_PATTERN[i] == '0' ? !digit : name[i] != NAME_PATTERN[i]) return false;
    }
    return true;
}

// The sequence from what follows the pattern: ".hsc" is 1, "_2.hsc" … "_9.hsc" 2 … 9.
int sequenceOf(const std::string& rest) {
    if (rest == EXTENSION) return 1;
    if (rest.size() == 2 + EXTENSION.size() && rest[0] == '_' && rest[1] >= '2' &&
        rest[1] <= '0' + MAX_SEQUENCE && rest.compare(2, std::string::npos, EXTENSION) == 0)
        return rest[1] - '0';
    return 0;
}

bool validTime(const LocalTime& t) {
    return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour < 24 &&
           t.minute < 60 && t.second < 60;
}

// Days from 1 January 1970 to a date of the proleptic Gregorian calendar.
long long daysFromCivil(int year, int month, int day) {
    const long long y = year - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool keptBefore(const StoredState& a, const StoredState& b) {
    const long long ta = stateSeconds(a.name.kept), tb = stateSeconds(b.name.kept);
    return ta != tb ? ta < tb : a.name.sequence < b.name.sequence;
}

std::string freeStatePath(FileSystem& fs, const std::string& folder, StateName name) {
    std::string path;
    for (name.sequence = 1; name.sequence <= MAX_SEQUENCE; ++name.sequence) {
        path = folder + stateFileName(name);
        if (fs.kind(path) == FileKind::Missing) break;
    }
    return path;
}

void reportFailure(Program& p, const std::string& path, const FileResult& result) {
    KeptStates& kept = p.shell.kept;
    if (kept.failureReported || !p.services.dialogs) return;
    kept.failureReported = true;
    p.services.dialogs->messageBox(
        "Ein fr\xC3\xBCherer Stand konnte nicht gesichert werden. " +
            writeFailureText(path, result) +
            " Der Block und seine Autosave-Datei sind davon nicht betroffen.",
        "Kartotrix", MessageButtons::Ok, MessageIcon::Warning);
}

void rotate(Program& p, FileSystem& fs, const std::string& folder) {
    const std::optional<int> open =
        p.pad.padOpen() ? std::optional<int>(p.pad.padStartTime) : std::nullopt;
    for (const std::string& name : statesToRemove(storedStates(fs, folder), p.now(), open))
        fs.remove(folder + name);
}

void keepState(Program& p, bool beforeReplace) {
    if (!p.pad.autosaveEnabled || !p.services.files || p.pad.entryCount() == 0) return;
    KeptStates& kept = p.shell.kept;
    if (kept.last && !padDiffers(*kept.last, p.pad)) return;
    const LocalTime now = p.now();
    if (!stateDue(kept.lastAt, stateSeconds(now), beforeReplace)) return;
    if (!keepPadBytes(p, encodePadFile(p), now, p.pad.padStartTime)) return;
    kept.lastAt = stateSeconds(now);
    kept.last = p.pad;
}

}  // namespace

std::string stateFileName(const StateName& n) {
    const int start = n.eveningStart;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d_%02d-%02d-%02d_Abend-%02d-%02d-%02d",
                  n.kept.year % 10000, n.kept.month % 100, n.kept.day % 100, n.kept.hour % 100,
                  n.kept.minute % 100, n.kept.second % 100, start / 3600 % 24, start / 60 % 60,
                  start % 60);
    std::string name = text;
    if (n.sequence > 1) name += "_" + std::to_string(n.sequence);
    return name + std::string(EXTENSION);
}

std::optional<StateName> parseStateFileName(const std::string& fileName) {
    if (!matchesPattern(fileName)) return std::nullopt;
    StateName n;
    n.sequence = sequenceOf(fileName.substr(NAME_PATTERN.size()));
    n.kept = {digits(fileName, 0, 4),  digits(fileName, 5, 2),  digits(fileName, 8, 2),
              digits(fileName, 11, 2), digits(fileName, 14, 2), digits(fileName, 17, 2)};
    const int hour = digits(fileName, 26, 2), minute = digits(fileName, 29, 2),
              second = digits(fileName, 32, 2);
    if (n.sequence == 0 || !validTime(n.kept) || hour >= 24 || minute >= 60 || second >= 60)
        return std::nullopt;
    n.eveningStart = hour * 3600 + minute * 60 + second;
    return n;
}

long long stateSeconds(const LocalTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 86400 + t.secondsSinceMidnight();
}

bool stateDue(const std::optional<long long>& lastAt, long long now, bool beforeReplace) {
    if (beforeReplace || !lastAt) return true;
    return now < *lastAt || now - *lastAt >= SECONDS_BETWEEN_STATES;
}

std::vector<std::string> statesToRemove(std::vector<StoredState> states, const LocalTime& now,
                                        const std::optional<int>& openEvening, std::size_t maxFiles,
                                        std::uint64_t maxBytes) {
    std::sort(states.begin(), states.end(), keptBefore);
    std::size_t count = states.size();
    std::uint64_t bytes = 0;
    for (const StoredState& s : states)
        bytes += s.size;
    const long long nowSeconds = stateSeconds(now);
    std::vector<std::string> removed;
    for (const StoredState& s : states) {
        if (count <= maxFiles && bytes <= maxBytes) break;
        const bool young = nowSeconds - stateSeconds(s.name.kept) < OPEN_EVENING_KEPT_SECONDS;
        if (young && openEvening == s.name.eveningStart) continue;
        removed.push_back(s.fileName);
        --count;
        bytes -= s.size;
    }
    return removed;
}

std::string statesFolder(const Program& p) {
    const std::string& files = p.shell.programFolder;
    const char separator = !files.empty() && files.back() == '\\' ? '\\' : '/';
    return files + STATES_FOLDER_NAME + separator;
}

std::vector<StoredState> storedStates(FileSystem& fs, const std::string& folder) {
    std::vector<StoredState> states;
    for (const std::string& fileName : fs.list(folder)) {
        const std::optional<StateName> name = parseStateFileName(fileName);
        if (!name || fs.kind(folder + fileName) != FileKind::Regular) continue;
        const std::optional<FileStamp> stamp = fs.stamp(folder + fileName);
        states.push_back({fileName, *name, stamp ? stamp->size : 0});
    }
    std::sort(states.begin(), states.end(),
              [](const StoredState& a, const StoredState& b) { return keptBefore(b, a); });
    return states;
}

void keepStateAfterChange(Program& p) {
    keepState(p, false);
}

void keepStateBeforeReplace(Program& p) {
    keepState(p, true);
}

bool keepPadBytes(Program& p, const Bytes& bytes, const LocalTime& kept, int eveningStart) {
    if (!p.services.files) return false;
    FileSystem& fs = *p.services.files;
    const std::string folder = statesFolder(p);
    std::string path = folder;
    FileResult written{FileStep::Open, fs.makeFolders(folder)};
    if (written) {
        path = freeStatePath(fs, folder, {kept, eveningStart, 1});
        written = replaceFile(fs, path, bytes, LinkRule::Refuse);
    }
    if (!written) {
        reportFailure(p, path, written);
        return false;
    }
    p.shell.kept.failureReported = false;
    rotate(p, fs, folder);
    return true;
}

}  // namespace kx
