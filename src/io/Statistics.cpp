#include "io/Statistics.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <unordered_map>

#include "core/Evening.h"
#include "core/PadState.h"
#include "core/Settlement.h"
#include "io/Cp1252.h"
#include "io/FileIo.h"
#include "io/HouseRulesBlock.h"
#include "io/PadFile.h"

namespace kx {

namespace {

constexpr const char* NO_ENTRY = "Kein Spiel eingetragen.";
constexpr const char* NOT_BALANCED = "Die Gesamtst\xC3\xA4nde gehen nicht auf (Umsatz: Fehler).";

bool isPadFileName(const std::string& name) {
    if (name.size() < 5) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return extension == ".hsc";
}

std::string inFolder(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder + name;
    const bool windows =
        folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos;
    return folder + (windows ? "\\" : "/") + name;
}

std::string trimmed(const std::string& text) {
    const auto from = text.find_first_not_of(" \t");
    if (from == std::string::npos) return "";
    return text.substr(from, text.find_last_not_of(" \t") - from + 1);
}

bool isSeatName(const std::string& name, int seat) {
    const std::string t = trimmed(name);
    return t.empty() || t == std::to_string(seat);
}

// What makes two pad files the same evening.
std::string eveningKey(const PadImage& im) {
    std::string key = std::to_string(im.playerCount) + ":" + std::to_string(im.startTime) + ":";
    for (const GameRow& row : im.table)
        for (int cell : row)
            key += std::to_string(cell) + ",";
    for (int k = 1; k <= im.playerCount; ++k)
        key += im.names[static_cast<std::size_t>(k)] + "\n";
    return key;
}

struct Reader {
    FileSystem& fs;
    Statistics& out;
    std::map<std::string, std::size_t> index;           // key -> position in its list
    std::unordered_map<std::string, std::string> seen;  // evening -> file

    PlayerStatistics& player(const std::string& name, int seat) {
        const bool bySeat = isSeatName(name, seat);
        const std::string key = bySeat ? "#" + std::to_string(seat) : foldedName(name);
        std::vector<PlayerStatistics>& list = bySeat ? out.seats : out.players;
        const auto found = index.find(key);
        if (found != index.end()) return list[found->second];
        index.emplace(key, list.size());
        PlayerStatistics& added = list.emplace_back();
        added.seat = bySeat;
        added.name = bySeat ? "Platz " + std::to_string(seat) : printableText(trimmed(name));
        return added;
    }

    // Each player's overall score with every Bock game at its base value. A
    // game's points move each player in proportion to its value, so a Bock
    // row's share is scaled back by base / value.
    static PlayerValues scoresWithoutBock(const PadImage& im, const std::vector<EnteredRow>& rows,
                                          bool& bock) {
        const std::map<int, int> bases = houseDataOf(im).bockBase;
        PlayerValues scores = rows.back().overall;
        PlayerValues before{};
        for (const EnteredRow& row : rows) {
            const auto base = bases.find(row.row);
            const long long value = im.table[static_cast<std::size_t>(row.row)][1];
            if (base != bases.end() && value != 0 && base->second != value) {
                bock = true;
                for (std::size_t k = 1; k < scores.size(); ++k) {
                    const long long moved = row.overall[k] - before[k];
                    scores[k] -= static_cast<int>(moved - moved * base->second / value);
                }
            }
            before = row.overall;
        }
        return scores;
    }

    // Why the file does not count, or "" when it was counted.
    std::string count(const std::string& file, const PadImage& im) {
        const int n = im.playerCount;
        const std::vector<EnteredRow> rows = enteredRows(im.table, n);
        if (rows.empty()) return NO_ENTRY;
        const PlayerValues& scores = rows.back().overall;
        long long sum = 0;
        for (int k = 1; k <= n; ++k)
            sum += scores[static_cast<std::size_t>(k)];
        if (sum != 0) return NOT_BALANCED;
        const auto [copy, fresh] = seen.emplace(eveningKey(im), file);
        if (!fresh)
            return "Derselbe Abend wie \xE2\x80\x9E" + copy->second +
                   "\xE2\x80\x9C, nur einmal gez\xC3\xA4hlt.";

        bool bock = false;
        const PlayerValues withoutBock = scoresWithoutBock(im, rows, bock);
        out.bock = out.bock || bock;
        const auto first = scores.begin() + 1, last = scores.begin() + 1 + n;
        const int top = *std::max_element(first, last);
        const int bottom = *std::min_element(first, last);
        for (int k = 1; k <= n; ++k) {
            PlayerStatistics& s = player(im.names[static_cast<std::size_t>(k)], k);
            const int score = scores[static_cast<std::size_t>(k)];
            if (s.evenings == 0 || score > s.best) s.best = score, s.bestFile = file;
            if (s.evenings == 0 || score < s.worst) s.worst = score, s.worstFile = file;
            ++s.evenings;
            if (score == top && top > bottom) ++s.won;
            s.points += score;
            s.pointsWithoutBock += withoutBock[static_cast<std::size_t>(k)];
            for (const EnteredRow& row : rows)
                s.games += playedInRow(im.table, n, row.row, k) ? 1 : 0;
        }
        ++out.evenings;
        return "";
    }

    void read(const std::string& name) {
        Bytes bytes;
        const FileResult result =
            readFile(fs, inFolder(out.folder, name), MAX_PAD_FILE_SIZE, bytes);
        // File names are shown as text: an escape sequence or a line break in
        // a name must neither reach a terminal nor forge a line of the table.
        const std::string shown = printableText(name);
        std::string reason;
        if (result.error == FileError::TooLarge)
            reason = LOAD_ERROR_INVALID;
        else if (result.error == FileError::Folder)
            reason = LOAD_ERROR_FOLDER;
        else if (result.error == FileError::NotRegular)
            reason = "Fehler beim Laden. " + reasonText(result);
        else if (!result)
            reason =
                "Fehler beim Laden. Die Datei konnte nicht gelesen werden. " + reasonText(result);
        if (reason.empty()) {
            const DecodeResult decoded = decodePadFile(bytes);
            reason = decoded.image ? count(shown, *decoded.image) : decoded.error;
        }
        if (!reason.empty()) out.skipped.push_back({shown, reason});
    }
};

std::size_t codePoints(const std::string& text) {
    std::size_t w = 0;
    for (char c : text)
        w += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return w;
}

std::string padRight(const std::string& text, std::size_t width) {
    const std::size_t w = codePoints(text);
    return w >= width ? text : text + std::string(width - w, ' ');
}

std::string padLeft(const std::string& text, std::size_t width) {
    const std::size_t w = codePoints(text);
    return w >= width ? text : std::string(width - w, ' ') + text;
}

std::string signedText(long long v) {
    return v > 0 ? "+" + std::to_string(v) : std::to_string(v);
}

}  // namespace

std::string PlayerStatistics::pointsPerGame() const {
    if (games == 0) return "\xE2\x80\x93";
    // Tenths, rounded half away from zero.
    const long long tenths = (points * 20 + (points >= 0 ? games : -games)) / (2LL * games);
    const long long whole = std::llabs(tenths) / 10;
    return (tenths < 0 ? "-" : "") + std::to_string(whole) + "," +
           std::to_string(std::llabs(tenths) % 10);
}

std::string foldedName(const std::string& utf8) {
    std::string bytes = utf8ToCp1252(trimmed(utf8));
    for (char& c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
            c = static_cast<char>(b + 0x20);
        else if (b == 0x8A || b == 0x8C || b == 0x8E)
            c = static_cast<char>(b + 0x10);  // Š Œ Ž
        else if (b == 0x9F)
            c = static_cast<char>(0xFF);  // Ÿ
    }
    return bytes;
}

Statistics collectStatistics(FileSystem& fs, const std::string& folder) {
    Statistics out;
    out.folder = folder;
    const FileKind kind = fs.kind(folder);
    if (kind != FileKind::Folder &&
        !(kind == FileKind::Link && fs.kind(fs.resolveLinks(folder)) == FileKind::Folder)) {
        out.error = "Der Ordner \xE2\x80\x9E" + printableText(folder) +
                    "\xE2\x80\x9C wurde nicht gefunden.";
        return out;
    }
    std::vector<std::string> names = fs.list(folder);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& n) { return !isPadFileName(n); }),
                names.end());
    std::sort(names.begin(), names.end());
    Reader reader{fs, out, {}, {}};
    for (const std::string& name : names)
        reader.read(name);
    std::stable_sort(out.players.begin(), out.players.end(),
                     [](const PlayerStatistics& a, const PlayerStatistics& b) {
                         if (a.points != b.points) return a.points > b.points;
                         return foldedName(a.name) < foldedName(b.name);
                     });
    // "Platz 1" … "Platz 6": their names sort as their numbers do.
    std::sort(out.seats.begin(), out.seats.end(),
              [](const PlayerStatistics& a, const PlayerStatistics& b) { return a.name < b.name; });
    return out;
}

const char* const SEATS_HEADING =
    "Pl\xC3\xA4tze mit Standardnamen (gez\xC3\xA4hlt nach Sitzplatz, nicht nach Person):";
const char* const NO_EVENINGS = "Keine Abende gefunden.";
const char* const WITHOUT_BOCK_HEADING = "ohne Bock";

std::string statisticsText(const Statistics& s) {
    if (!s.error.empty()) return s.error + "\n";
    std::string text =
        "Statistik \xC3\xBC"
        "ber " +
        std::to_string(s.evenings) + (s.evenings == 1 ? " Abend" : " Abende") +
        " aus \xE2\x80\x9E" + printableText(s.folder) + "\xE2\x80\x9C\n\n";
    if (s.players.empty() && s.seats.empty()) {
        text += std::string(NO_EVENINGS) + "\n";
    } else {
        std::vector<std::string> head{"Spieler", "Abende",   "gewonnen", "Punkte",
                                      "Spiele",  "je Spiel", "bester",   "schlechtester"};
        // The points without Bock, where there was Bock.
        if (s.bock) head.push_back(WITHOUT_BOCK_HEADING);
        std::vector<std::vector<std::string>> table{head};
        const auto row = [&s](const PlayerStatistics& p) {
            std::vector<std::string> cells{p.name,
                                           std::to_string(p.evenings),
                                           std::to_string(p.won),
                                           signedText(p.points),
                                           std::to_string(p.games),
                                           p.pointsPerGame(),
                                           signedText(p.best),
                                           signedText(p.worst)};
            if (s.bock) cells.push_back(signedText(p.pointsWithoutBock));
            return cells;
        };
        for (const PlayerStatistics& p : s.players)
            table.push_back(row(p));
        const std::size_t seatsFrom = table.size();
        for (const PlayerStatistics& p : s.seats)
            table.push_back(row(p));
        // One set of column widths, so that the seats' columns line up with the players'.
        std::vector<std::size_t> widths(head.size(), 0);
        for (const auto& cells : table)
            for (std::size_t c = 0; c < cells.size(); ++c)
                widths[c] = std::max(widths[c], codePoints(cells[c]));
        for (std::size_t r = 0; r < table.size(); ++r) {
            if (r == seatsFrom) text += "\n" + std::string(SEATS_HEADING) + "\n";
            std::string line = padRight(table[r][0], widths[0]);
            for (std::size_t c = 1; c < table[r].size(); ++c)
                line += "  " + padLeft(table[r][c], widths[c]);
            text += line + "\n";
        }
    }
    if (!s.skipped.empty()) {
        text += "\nNicht gez\xC3\xA4hlt (" + std::to_string(s.skipped.size()) + "):\n";
        for (const SkippedPad& pad : s.skipped)
            text += "  " + pad.file + ": " + pad.reason + "\n";
    }
    return text;
}

}  // namespace kx
