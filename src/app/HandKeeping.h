// Keeping the hand in progress between runs: written to its own file in the
// data folder after every step, and put back on the table at the next
// start. The window and the headless driver share these calls.
#pragma once

namespace vexa {

struct Session;

// The kept hand's file, beside the catalogue in the current folder.
extern const char* const KeptHandFile;

// After a step: writes the hand on the table when it differs from the one
// last written. A won hand or a table after a failed load keeps only the
// game's name (for the chooser); nothing is written before a game was
// chosen, nor while cards are carried (the file then holds the hand as it
// was before the lift, that is with the cards put back). A write that fails
// leaves the previous file whole and is tried again at the next step.
// Returns whether the file holds the hand on the table.
bool KeepHand(Session& session);

// At start, after the chooser was created: selects the game last played in
// the chooser and, when its hand is kept and its definition is still the
// same, loads the game and puts that hand back exactly. A file that is
// damaged, or whose game changed or is gone, is removed without a word (a
// hand that was played and not yet counted counts then, for a game still
// listed). Returns whether a hand was resumed. A load that fails throws as
// choosing the game would.
bool ResumeKeptHand(Session& session);

// Shutdown with the hand kept: a kept hand is counted in the statistics
// when it is closed in a later run, not now.
void LeaveKeepingHand(Session& session);

}  // namespace vexa
