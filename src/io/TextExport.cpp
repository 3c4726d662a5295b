#include "io/TextExport.h"

#include <cstdio>

#include "core/Program.h"
#include "io/Cp1252.h"

namespace kx {

std::string formatCell(int cell) {
    return cell == EMPTY_CELL ? "" : std::to_string(cell);
}

Bytes exportBytes(const Program& p) {
    const PadState& pad = p.pad;
    const int n = pad.playerCount;
    const auto cell = [&pad](int r, int c) {
        return formatCell(pad.gameTable[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
    };
    const auto repeat = [n](const char* pair) {
        std::string line;
        for (int k = 0; k < n + 3; ++k)
            line += pair;
        return line + "\r\n";
    };
    char version[16];
    std::snprintf(version, sizeof version, "%x", static_cast<unsigned>(p.shell.fileFormatVersion));

    std::string text = std::string("Kartotrix ") + version + "\r\n";
    text += "\t";
    for (int i = 1; i <= n; ++i)
        text += "\t\t" + utf8ToCp1252(printableText(pad.playerNames[static_cast<std::size_t>(i)]));
    text += "\r\n";
    for (int r = 1; r <= 6 * n + 3; ++r) {
        text += cell(r, 0) + "\t" + cell(r, 1) + "\t";
        for (int k = 1; k <= n; ++k)
            text += "\t" + cell(r, k + 1);
        if (n >= 5) text += "\t" + cell(r, 8);
        if (n == 6) text += "\t" + cell(r, 9);
        text += "\r\n";
        if (r % n == 0) text += repeat("-\t");
    }
    text += repeat("=\t");
    text += "\t\t";
    for (int k = 1; k <= n; ++k)
        text += "\t" + cell(TOTALS_ROW, k + 1);
    text += "\r\n\r\n";
    return Bytes(text.begin(), text.end());
}

std::string exportPath(const Program& p, const std::string& name) {
    return name.empty() ? p.shell.programFolder + p.shell.autosaveBase + ".txt" : name;
}

FileResult exportText(Program& p, const std::string& name) {
    const std::string path = exportPath(p, name);
    if (!p.services.files) return {FileStep::Open, FileError::Other};
    WindowHost* host = p.services.host;
    if (host) host->setBusy(true);
    // The program's own export file is never written through a link.
    const FileResult written = replaceFile(*p.services.files, path, exportBytes(p),
                                           name.empty() ? LinkRule::Refuse : LinkRule::Follow);
    if (host) host->setBusy(false);
    if (!written && p.services.dialogs) {
        p.services.dialogs->messageBox("Fehler beim Textexport. " + writeFailureText(path, written),
                                       "Kartotrix", MessageButtons::Ok, MessageIcon::Warning);
    }
    return written;
}

}  // namespace kx
