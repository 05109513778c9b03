// The process-wide state of one run: the table, the loaded game's settings,
// the interaction flags and counters, the statistics and the main window's
// own state (caption, bounds, menu). The operations on it live in the files
// of their subsystems as free functions; this file only holds the state and
// what the main window sets up at start-up.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Environment.h"
#include "defs/Definition.h"
#include "records/KeptHand.h"
#include "records/UndoJournal.h"
#include "rules/Peek.h"
#include "table/Deal.h"
#include "table/Random.h"
#include "table/Table.h"

namespace vexa {

extern const char* const StartupHint;
// The catalogue in the current folder, named as the write error shows it.
extern const char* const CatalogueFile;
extern const char* const ApplicationTitle;

// What the window's frame, caption and menu bar take from its outer size.
constexpr int WindowFrameWidth = 8;
constexpr int WindowFrameHeight = 46;

struct MenuState {
    bool Deal = false;
    bool Restart = false;
    bool Undo = false;
    bool Redo = false;
    bool Autoplay = false;
    std::string ScoreCaption;
};

// The game chooser's list: display names sorted without regard to case, and
// the selected item (-1 when none).
struct ChooserState {
    std::vector<std::string> Items;
    int ItemIndex = -1;
};

struct Statistics {
    int GamesPlayed = 0;
    int TotalScore = 0;
    int GamesWon = 0;
};

struct Session {
    Session(PictureSource& pictures, UserInterface& ui, Clock& clock, int screenWidth, int screenHeight);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    UserInterface& Ui;
    Clock& Time;
    int ScreenWidth;
    int ScreenHeight;

    Table Board;
    Random Rng;
    DeckOrder Deck = IdentityDeckOrder();
    // The number of the hand in play: the generator's state when its
    // shuffle started, so that seeding the generator with it and shuffling
    // deals the same hand again. None before a hand is dealt, after a load
    // that stopped, and for a kept hand whose file did not record it.
    std::optional<std::uint32_t> DealNumber;

    // Main window.
    std::string Caption;
    Rect WindowBounds;
    // The size of the table area of the main window (its client area below
    // the menu bar), in which pile positions are given. Placing the window
    // sets it from the outer size with a nominal frame (WindowFrameWidth,
    // WindowFrameHeight); the window replaces it with the size it measured.
    // A point outside it counts as covered for IsUncovered.
    int ClientWidth = 0;
    int ClientHeight = 0;
    MenuState Menu;
    bool Welcome = true;  // the welcome cards are still shown
    // A load that stopped on an error leaves an inert table: no click acts.
    bool Inert = false;
    std::string HelpText;

    // Catalogue.
    std::vector<std::pair<std::string, std::string>> GameFiles;  // display name, file
    ChooserState Chooser;
    // "Winnable deals only": new hands are shuffled until the solver proves
    // a win (catalogue General, WinnableOnly=1).
    bool WinnableOnly = false;
    std::string CurrentGame;
    GameSettings Settings;

    // Play.
    bool Carrying = false;
    Pile* OriginPile = nullptr;
    bool HandPlayed = false;
    int OneTimeMove = 1;
    int RedealsLeft = 0;
    int Score = 0;
    int StreakCount = 0;
    int StreakBonus = 0;
    // The hand's win was counted in the statistics (scheme 5 counts it at
    // once); it is not counted again before the next deal or restart.
    bool WinCounted = false;
    // How many times the victory dialog was shown in this run.
    int VictoriesShown = 0;
    UndoJournal Journal;
    PeekState Peek;
    // What was last written of the hand in progress for the next run.
    HandKeeperState Keeper;

    // Records.
    Statistics Stats;
    // False while the statistics in memory do not belong to CurrentGame (a
    // load stopped before they were read); they are then never written.
    bool StatsLoaded = false;
    double ActivatedAt = 0;
    bool Active = true;  // the application has the focus
    double PlayTime = 0;
    // False when the stored time could not be read; it is then kept as it is.
    bool PlayTimeLoaded = true;
};

// The file name a catalogue entry refers to, relative to the current folder.
std::string DefinitionPath(const std::string& file);

// The definition file named for a display name, or "" when none.
std::string GameFileOf(const Session& session, const std::string& name);

}  // namespace vexa
