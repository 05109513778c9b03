// The player's data folder: where the catalogue, its statistics and the game
// definitions live, and how it is filled from the games that come with the
// program. Plain C++; the program calls these before it opens any window.
#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace vexa {

// $XDG_DATA_HOME/vexasolit, or $HOME/.local/share/vexasolit when
// XDG_DATA_HOME is unset, empty or relative (a relative value is invalid by
// the base-directory rules). Throws a VexaError when neither gives a folder.
std::filesystem::path DataFolderPath(const char* xdgDataHome, const char* home);

// Where the bundled games are: ../share/vexasolit/games beside the
// executable's folder when the program is installed, else `buildTreeGames`
// (the source tree's games folder for a program run from its build folder).
// Returns an empty path when neither holds a catalogue.
std::filesystem::path BundledGamesFolder(const std::filesystem::path& executableDir,
                                         const std::filesystem::path& buildTreeGames);

// The file in the data folder that lists, one display name a line, the
// bundled games already offered to the player.
extern const char* const OfferedGamesFile;

// Adds to the player's game list (catalogue text) every entry of the bundled
// list whose display name (compared without regard to case) it lacks and
// that is not among `offered` (lower-case names already offered once: a game
// the player took off the list stays off), right after the last line of its
// [Gamelist] section (a new section at the end when it has none). Every
// other byte stays as it was. Returns the text unchanged when nothing is new.
std::string MergeGameList(const std::string& player, const std::string& bundled,
                          const std::set<std::string>& offered = {});

// Fills `data` from `bundle`: creates the folder, copies each bundled
// definition (*.ini) that the folder lacks, copies the catalogue on first use
// and later merges the bundle's games not offered before into it, then
// records the bundle's games as offered. Never overwrites a file of the
// player. Throws a VexaError naming the file when a step fails.
void SeedDataFolder(const std::filesystem::path& bundle, const std::filesystem::path& data);

}  // namespace vexa
