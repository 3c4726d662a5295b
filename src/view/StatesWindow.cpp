#include "view/StatesWindow.h"

#include <algorithm>
#include <cstdio>

#include "core/Evening.h"
#include "core/Program.h"
#include "io/Cp1252.h"
#include "io/EarlierStates.h"
#include "io/FileCommands.h"
#include "io/PadFile.h"
#include "view/Commands.h"
#include "view/Extras.h"
#include "view/History.h"
#include "view/MainWindow.h"
#include "view/PadSheet.h"

namespace kx {

const char* const STATES_TITLE = "Fr\xC3\xBChere St\xC3\xA4nde";
const char* const STATES_COLUMNS[4] = {"Zeit", "Spieler", "Spiele", "Stand"};
const char* const STATES_RESTORE = "Wiederherstellen";

namespace {

constexpr std::size_t MAX_PREVIEW_NAME = 10;
constexpr const char* NO_STATES =
    "Noch keine fr\xC3\xBCheren St\xC3\xA4nde. Solange \xE2\x80\x9E"
    "Autosave\xE2\x80\x9C an ist, sichert Kartotrix w\xC3\xA4hrend des Spiels h\xC3\xB6"
    "chstens einmal in der Minute einen Stand und immer den letzten vor \xE2\x80\x9E"
    "Laden\xE2\x80\x9C, \xE2\x80\x9E"
    "4/5/6 Spieler\xE2\x80\x9C und \xE2\x80\x9E"
    "Block l\xC3\xB6schen\xE2\x80\x9C.";

void tell(Program& p, const std::string& text) {
    if (p.services.dialogs)
        p.services.dialogs->messageBox(text, "Kartotrix", MessageButtons::Ok, MessageIcon::Warning);
}

std::string timeText(const LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %d:%02d", t.day % 100, t.month % 100,
                  t.year % 10000, t.hour % 100, t.minute % 100);
    return text;
}

std::size_t codePoints(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The text cut to `width` characters (not bytes), then filled with blanks;
// right-aligned when `right`.
std::string cell(const std::string& text, std::size_t width, bool right = true) {
    std::string cut;
    std::size_t count = 0;
    for (char c : text) {
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && ++count > width) break;
        cut += c;
    }
    const std::string fill(width - std::min(width, codePoints(cut)), ' ');
    return right ? fill + cut : cut + fill;
}

// The pad of a state as the window shows it, built as loading it would.
PadSheet sheetOf(const PadImage& image, const LocalTime& kept) {
    Program scratch;
    initProgram(scratch, "");
    frm0_Load(scratch, ScreenMetrics{});
    applyPadImage(scratch, image);
    return padSheet(scratch, kept);
}

std::vector<std::string> previewLines(const PadSheet& sheet) {
    std::size_t width = 5;
    for (const std::string& name : sheet.names)
        width = std::max(width, std::min(MAX_PREVIEW_NAME, codePoints(name)));
    const auto line = [&](const std::string& a, const std::string& b, const std::string& c,
                          const std::vector<std::string>& cells) {
        std::string text = cell(a, 6, false) + cell(b, 7, false) + cell(c, 4);
        for (const std::string& value : cells)
            text += "  " + cell(value, width);
        return text;
    };
    std::vector<std::string> lines{sheet.date, "", line("", "Sp", "Pk", sheet.names)};
    for (const SheetRow& row : sheet.rows) {
        if (row.entered) lines.push_back(line(row.label, row.players, row.points, row.cells));
    }
    lines.push_back(line("Summe", "", "", sheet.totals));
    lines.push_back(sheet.turnover);
    return lines;
}

std::optional<PadImage> readState(FileSystem& fs, const std::string& path, std::string& problem) {
    Bytes bytes;
    const FileResult read = readFile(fs, path, MAX_PAD_FILE_SIZE, bytes);
    if (!read) {
        problem = read.error == FileError::TooLarge ? std::string(LOAD_ERROR_INVALID)
                                                    : "Fehler beim Laden. " + reasonText(read);
        return std::nullopt;
    }
    DecodeResult decoded = decodePadFile(bytes);
    problem = decoded.error;
    return decoded.image;
}

StateRow rowOf(FileSystem& fs, const std::string& folder, const StoredState& state) {
    StateRow row;
    row.path = folder + state.fileName;
    row.time = timeText(state.name.kept);
    const std::optional<PadImage> image = readState(fs, row.path, row.problem);
    if (!image) {
        row.players = row.games = row.totals = "\xE2\x80\x93";
        return row;
    }
    const int n = image->playerCount;
    const PlayerValues totals = finalScores(image->table, n);
    int entries = 0;
    for (int r = 1; r <= LAST_PAD_ROW; ++r)
        entries += image->table[static_cast<std::size_t>(r)][0] != EMPTY_CELL;
    row.games = std::to_string(entries);
    for (int k = 1; k <= n; ++k) {
        const std::string name = printableText(image->names[static_cast<std::size_t>(k)]);
        row.players += (k > 1 ? ", " : "") + (name.empty() ? std::to_string(k) : name);
        row.totals += (k > 1 ? " / " : "") + std::to_string(totals[static_cast<std::size_t>(k)]);
    }
    return row;
}

}  // namespace

bool StatesWindow::canRestore() const {
    return selected >= 0 && static_cast<std::size_t>(selected) < rows.size() &&
           rows[static_cast<std::size_t>(selected)].problem.empty();
}

StatesWindow statesWindow(Program& p) {
    StatesWindow w;
    if (p.services.files) {
        FileSystem& fs = *p.services.files;
        const std::string folder = statesFolder(p);
        for (const StoredState& state : storedStates(fs, folder))
            w.rows.push_back(rowOf(fs, folder, state));
    }
    selectState(p, w, 0);
    return w;
}

void selectState(Program& p, StatesWindow& w, int index) {
    w.preview.clear();
    if (w.rows.empty()) {
        w.selected = -1;
        w.preview.push_back(NO_STATES);
        return;
    }
    w.selected = std::clamp(index, 0, static_cast<int>(w.rows.size()) - 1);
    StateRow& row = w.rows[static_cast<std::size_t>(w.selected)];
    std::optional<PadImage> image;
    if (p.services.files) image = readState(*p.services.files, row.path, row.problem);
    const std::optional<StateName> name = parseStateFileName(fileNameOf(row.path));
    if (!image || !name) {
        w.preview.push_back(row.problem.empty() ? LOAD_ERROR_NOT_FOUND : row.problem);
        return;
    }
    w.preview = previewLines(sheetOf(*image, name->kept));
}

bool restoreState(Program& p, const StatesWindow& w) {
    if (!w.canRestore() || !p.services.files) return false;
    if (!confirmDiscard(p, true)) return false;
    // Read before the current pad is kept: keeping it may rotate this file away.
    std::string problem;
    const std::string& path = w.rows[static_cast<std::size_t>(w.selected)].path;
    const std::optional<PadImage> image = p.services.files->kind(path) == FileKind::Missing
                                              ? std::nullopt
                                              : readState(*p.services.files, path, problem);
    if (!image) {
        tell(p, problem.empty() ? LOAD_ERROR_NOT_FOUND : problem);
        return false;
    }
    keepStateBeforeReplace(p);
    recordChange(p, "Laden", [&p, &image] {
        applyPadImage(p, *image);
        // A file of the program's own, rotated away in time: not a safe copy.
        p.shell.changesSinceSave = p.pad.entryCount();
    });
    return true;
}

void earlierStatesCommand(Program& p) {
    StatesWindow w = statesWindow(p);
    if (p.services.extras && p.services.extras->showEarlierStates(p, w)) return;
    tell(p,
         "Das bietet diese Oberfl\xC3\xA4"
         "che nicht an.");
}

}  // namespace kx
