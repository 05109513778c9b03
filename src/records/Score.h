// The running score under the game's scoring scheme, shown in the menu bar,
// and the victory test that may bring up the victory dialog.
#pragma once

#include <string>

namespace vexa {

struct Session;
class Table;
struct VictoryText;
class Random;

// Face-up same-suit descending neighbours on the Kind-2 piles, plus each
// face-up king lying at the bottom of one.
int CountInSequence(const Table& table);

// The score of the table under a scheme (0 for unknown schemes).
int ComputeScore(const Session& session);

// The text of the score item of the menu bar.
std::string ScoreCaption(int score);

// Recomputes and shows the score, then runs the victory test; a won hand
// shows the victory dialog unless showVictory is false.
void UpdateScore(Session& session, bool showVictory = true);

// Draws the court card, the praise and the button caption of a victory.
VictoryText DrawVictoryText(Random& random);

}  // namespace vexa
