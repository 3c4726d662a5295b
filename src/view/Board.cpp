#include "view/Board.h"

#include <cstdio>

#include "core/Bock.h"
#include "core/Program.h"
#include "view/Journal.h"
#include "view/PadSheet.h"

namespace kx {

namespace {

int solosLeft(const PadState& pad, int player) {
    for (int row = pad.lastGameRow + 1; row <= pad.lastSoloRow; ++row)
        if (pad.gameTable[static_cast<std::size_t>(row)][0] == player) return 0;
    return 1;
}

std::string progressText(const PadState& pad) {
    if (!pad.gamesComplete)
        return "Spiel " + std::to_string(pad.nextGameRow) + " von " +
               std::to_string(pad.lastGameRow);
    if (!pad.solosComplete)
        return "Pflichtsolo " + std::to_string(pad.nextSoloRow - pad.lastGameRow) + " von " +
               std::to_string(pad.playerCount);
    return "Alle Spiele gespielt";
}

bool rowEntered(const PadState& pad, int row) {
    return row >= 1 && row <= LAST_PAD_ROW &&
           pad.gameTable[static_cast<std::size_t>(row)][0] != EMPTY_CELL;
}

}  // namespace

Board boardOf(const Program& p) {
    Board board;
    const PadState& pad = p.pad;
    if (!pad.padOpen()) return board;
    board.padOpen = true;
    const bool dealing = !pad.gamesComplete;
    std::vector<std::string> out;
    for (int k = 1; k <= pad.playerCount; ++k) {
        BoardPlayer player;
        player.name = pad.shownName(k);
        player.total = pad.overallScore(k);
        // The total's place and colour as the pad shows them.
        const Control& total = p.ui.SPsum(k);
        player.place = total.mark;
        player.colour = total.background.value_or(Rgb{255, 255, 255});
        player.deals = dealing && k == pad.dealer;
        player.sitsOut = dealing && !takesPart(pad.playerCount, k, pad.dealer, pad.secondSitOut);
        player.solosLeft = solosLeft(pad, k);
        for (const auto& [on, word] :
             {std::pair{player.deals, "gibt"}, std::pair{player.sitsOut, "setzt aus"},
              std::pair{player.solosLeft > 0, "Solo offen"}})
            if (on) player.marks += (player.marks.empty() ? "" : " \xC2\xB7 ") + std::string(word);
        if (player.sitsOut) out.push_back(player.name);
        board.players.push_back(std::move(player));
    }
    board.progress = progressText(pad);
    if (dealing) board.dealer = "Geber: " + pad.shownName(pad.dealer);
    if (out.size() == 1) board.sitsOut = "Setzt aus: " + out[0];
    if (out.size() == 2) board.sitsOut = "Setzen aus: " + out[0] + " und " + out[1];
    board.bock = bockStatusText(pad);
    if (rowEntered(pad, pad.lastEntryRow)) board.lastGame = entryText(pad, pad.lastEntryRow);
    return board;
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                // Control characters, and "<" so that no text can close a
                // script element of a page that embeds the JSON.
                if (u < 0x20 || c == '<' || u == 0x7F) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

namespace {

std::string colourJson(const Rgb& c) {
    char text[16];
    std::snprintf(text, sizeof text, "\"#%02x%02x%02x\"", c.red & 0xFF, c.green & 0xFF,
                  c.blue & 0xFF);
    return text;
}

std::string boolJson(bool b) {
    return b ? "true" : "false";
}

template <typename T, typename F>
std::string arrayJson(const std::vector<T>& items, F each) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + each(items[i]);
    return out + "]";
}

std::string stringsJson(const std::vector<std::string>& items) {
    return arrayJson(items, jsonString);
}

}  // namespace

std::string boardJson(const Board& board) {
    const auto player = [](const BoardPlayer& pl) {
        return "{\"name\":" + jsonString(pl.name) + ",\"total\":" + std::to_string(pl.total) +
               ",\"place\":" + jsonString(pl.place) + ",\"colour\":" + colourJson(pl.colour) +
               ",\"deals\":" + boolJson(pl.deals) + ",\"sitsOut\":" + boolJson(pl.sitsOut) +
               ",\"solosLeft\":" + std::to_string(pl.solosLeft) +
               ",\"marks\":" + jsonString(pl.marks) + "}";
    };
    return "{\"padOpen\":" + boolJson(board.padOpen) +
           ",\"players\":" + arrayJson(board.players, player) +
           ",\"progress\":" + jsonString(board.progress) +
           ",\"dealer\":" + jsonString(board.dealer) + ",\"sitsOut\":" + jsonString(board.sitsOut) +
           ",\"bock\":" + jsonString(board.bock) + ",\"lastGame\":" + jsonString(board.lastGame) +
           "}";
}

std::string padSheetJson(const PadSheet& sheet) {
    const auto row = [](const SheetRow& r) {
        return "{\"label\":" + jsonString(r.label) + ",\"players\":" + jsonString(r.players) +
               ",\"points\":" + jsonString(r.points) + ",\"cells\":" + stringsJson(r.cells) +
               ",\"entered\":" + boolJson(r.entered) + ",\"blockEnd\":" + boolJson(r.blockEnd) +
               "}";
    };
    return "{\"names\":" + stringsJson(sheet.names) + ",\"rows\":" + arrayJson(sheet.rows, row) +
           ",\"totals\":" + stringsJson(sheet.totals) + ",\"places\":" + stringsJson(sheet.places) +
           ",\"colours\":" + arrayJson(sheet.totalColours, colourJson) +
           ",\"turnover\":" + jsonString(sheet.turnover) + "}";
}

std::string phoneStateJson(const Program& p) {
    const Board board = boardOf(p);
    std::string pad = "null";
    if (board.padOpen) pad = padSheetJson(padSheet(p, p.now()));
    return "{\"board\":" + boardJson(board) + ",\"pad\":" + pad + "}";
}

}  // namespace kx
