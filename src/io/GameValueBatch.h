#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/GameValue.h"
#include "io/Batch.h"

namespace kx {

// "--spielwert --augen N [--re-ansagen LISTE] [--kontra-ansagen LISTE]
// [--re-ohne-stich] [--kontra-ohne-stich] [--re-sonderpunkte LISTE]
// [--kontra-sonderpunkte LISTE] [--solo]": the game value calculator without
// a window. Every skin reads the options into a map (a flag with an empty
// value) and hands it over; the texts of the help are the same everywhere.

// The command's line in the help table, and the block under the table that
// explains its options (UTF-8, each line ending in "\n").
extern const char* const GAME_VALUE_USAGE;
extern const char* const GAME_VALUE_OPTIONS_HELP;
// The names of its options with a value, and of those without one.
const std::vector<std::string>& gameValueValueOptions();
const std::vector<std::string>& gameValueFlags();

// The game the options describe, or why they describe none (German).
struct GameValueRequest {
    GamePlay play;
    std::string error;
};
GameValueRequest parseGameValueOptions(const std::map<std::string, std::string>& options);

// The reckoning one item a line, then "Gewinner: Re" (Kontra, keiner) and
// last "Wert für Re: N": each Re player's points, for a solo the soloist's.
std::string gameValueText(const GameValue& value);

// Writes the text to standard output; an impossible game or a malformed
// option is refused with its reason. Exit status as in io/Batch.h.
int gameValueCommand(FileSystem& fs, const std::map<std::string, std::string>& options,
                     const BatchStreams& streams = {});

}  // namespace kx
