#pragma once

#include <array>
#include <string>
#include <vector>

#include "io/FileSystem.h"

namespace kx {

struct Program;

// Player names the name fields offer while the user types, learnt from the
// pad files the program keeps itself: the autosave files and the pads saved
// in its files folder. Nothing is read or written as configuration: the
// suggestions are what those files hold now.

// The folders read, relative to the program's files folder ("" is the folder
// itself); a folder the program adds for its own pads is named here.
inline constexpr std::array<const char*, 1> NAME_SOURCE_FOLDERS{""};

// The most files read (the most recently changed) and the most names kept.
inline constexpr std::size_t MAX_NAME_SOURCE_FILES = 200;
inline constexpr std::size_t MAX_NAME_SUGGESTIONS = 100;

// The names of the pad files in those folders, from the most recently
// changed file on and in seat order within a file; each name once (compared
// as the statistics compare them, spelt as in the most recent file). Seats
// that kept their default name or none, and files that are no valid pad, add
// nothing.
std::vector<std::string> nameSuggestions(FileSystem& fs, const std::string& filesFolder);

// Reads them again into the window model, for the name fields to offer.
void refreshNameSuggestions(Program& p);

}  // namespace kx
