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
void AppOnActivate(Session& session);
void AppOnDeactivate(Session& session);

// Shutdown: when a game was chosen in this run, the hand is closed and the
// counts and the time in game are written.
void Shutdown(Session& session);

}  // namespace vexa
