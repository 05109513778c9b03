// Per-game statistics (hands played, won, total score) and the time in game,
// kept in the catalogue between runs.
#pragma once

#include <string>

namespace vexa {

struct Session;
class IniFile;

// Counts the hand in progress when a move was accepted in it.
void CloseHandStatistics(Session& session);

// Reads TimeInGame into PlayTime (0 when absent).
void LoadPlayTime(Session& session, const IniFile& catalogue);
// Reads the counts of CurrentGame (0 for each absent key).
void LoadGameStatistics(Session& session, const IniFile& catalogue);
// Closes the hand and writes the counts of CurrentGame.
void SaveGameStatistics(Session& session);

// The application became active or stopped being active.
void ApplicationActivated(Session& session);
void ApplicationDeactivated(Session& session);

// Shutdown: when a game was chosen in this run, the hand is closed and the
// counts and the time in game are written.
void Shutdown(Session& session);

}  // namespace vexa

namespace vexa {

// What the statistics dialog shows.
struct StatsFigures {
    std::string Title;
    int Played = 0;
    int Won = 0;
    int Average = 0;
    long long Days = 0;
    int Hours = 0;
    int Minutes = 0;
};

// Folds the running period into the time in game, then gives the figures of
// CurrentGame as if the hand in progress were closed now (nothing changes).
StatsFigures OpenStatistics(Session& session);

// A display name without a trailing "(800x600)" and the character before it.
std::string StatsTitle(const std::string& name);

}  // namespace vexa
