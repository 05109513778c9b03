// Choosing a game and building its table: the chooser's list is read from
// the catalogue once at start-up; each selection saves the statistics of the
// game being left, replaces the whole table with the one the definition
// describes, and deals the first hand.
#pragma once

namespace vexa {

struct Session;

// Creation of the game chooser: reads the game list and the stored time in
// game from the catalogue and selects the first game.
void CreateChooser(Session& session);

// The player confirmed the chooser: load the game at the chooser's selection.
void SelectGame(Session& session);

// The definition of the game on the table changed on disk: reads the game
// list of the catalogue again (the game's entry may name another file now),
// then loads the game as choosing it again would, with a fresh hand. Throws
// without changing anything when the catalogue no longer lists the game.
void ReloadGame(Session& session);

// Sizes and centres the window for the loaded game on the screen.
void PlaceWindow(Session& session);

}  // namespace vexa
