#pragma once

#include <string>
#include <vector>

#include "view/WindowModel.h"

namespace kx {

struct Program;
struct PadSheet;

// "Die Tafel": the standings for the whole table, on the room's screen and
// on the players' phones. Built from the program after every change; the
// skins and the web page only show it.
struct BoardPlayer {
    std::string name;
    int total = 0;
    std::string place;  // "1.", … beside the total; empty before the first entry
    Rgb colour;         // the place colour of the total, as on the pad
    bool deals = false;
    bool sitsOut = false;  // sits out the next game
    int solosLeft = 0;     // mandatory solos still to play
    std::string marks;     // the three above in words: "gibt · setzt aus · Solo offen"
    bool operator==(const BoardPlayer&) const = default;
};

struct Board {
    bool padOpen = false;
    std::vector<BoardPlayer> players;  // in seat order
    std::string progress;  // "Spiel 17 von 30", "Pflichtsolo 2 von 4", "Alle Spiele gespielt"
    std::string dealer;    // "Geber: Anna"; empty once the normal games are done
    std::string sitsOut;  // "Setzt aus: Bert", "Setzen aus: Bert und Carla"; empty when nobody does
    std::string bock;     // "Bock: noch 3 Spiele"; empty when none is due
    std::string lastGame;  // "Spiel 16: Anna / Carla gewinnen 4"; empty before the first
    bool operator==(const Board&) const = default;
};

Board boardOf(const Program& p);

// The board and the whole pad as JSON for the web page:
// {"board":{…},"pad":{…}}, UTF-8, every string escaped.
std::string boardJson(const Board& board);
std::string padSheetJson(const PadSheet& sheet);
std::string phoneStateJson(const Program& p);

// A string as a JSON string literal, quotes included.
std::string jsonString(const std::string& text);

}  // namespace kx
