#pragma once

#include <string>
#include <vector>

#include "io/FileSystem.h"

namespace kx {

// Statistics across evenings: every pad file (".hsc") of one folder is read
// and checked as "Laden" does; what it says is summed up per player name.
// Names are compared without regard to case and surrounding blanks. A seat
// whose name is empty or still its default digit counts as that seat
// ("Platz 3") and is listed apart from the players, never ranked among them,
// since different people may have sat there. Files that are refused are
// listed with the reason, and so are pads without any entry and copies of a
// pad already counted (an autosave file beside the same evening saved under a
// name).

struct PlayerStatistics {
    std::string name;   // as first seen; "Platz k" for a seat
    bool seat = false;  // counted by seat number, not by name
    int evenings = 0;
    int won = 0;  // evenings with the best overall score (shared on a tie)
    long long points = 0;
    // The points with every Bock game at its base value, as if the evenings
    // had been played without Bock (the same as `points` where none was).
    long long pointsWithoutBock = 0;
    int games = 0;  // normal games and solos the player took part in
    int best = 0, worst = 0;
    std::string bestFile, worstFile;

    std::string pointsPerGame() const;  // "0,6", "-1,3", "–" without a game
};

struct SkippedPad {
    std::string file;  // the name within the folder, control characters as blanks
    std::string reason;
};

struct Statistics {
    std::string folder;
    std::string error;  // the folder could not be read; then nothing else is set
    int evenings = 0;
    std::vector<PlayerStatistics> players;  // the named players by points, best first
    std::vector<PlayerStatistics> seats;    // seats without a name, by seat number
    std::vector<SkippedPad> skipped;        // in file name order
    bool bock = false;  // a counted evening had Bock games: the points are shown without them too
};

// The column that shows the points without Bock, where an evening had Bock games.
extern const char* const WITHOUT_BOCK_HEADING;

// What the list of seats without a name is headed with.
extern const char* const SEATS_HEADING;
// What the statistics say when no evening was counted.
extern const char* const NO_EVENINGS;

Statistics collectStatistics(FileSystem& fs, const std::string& folder);

// Player names compared without regard to case ("JÜRGEN" is "jürgen").
std::string foldedName(const std::string& utf8);

// The German text table of the command line.
std::string statisticsText(const Statistics& statistics);

}  // namespace kx
