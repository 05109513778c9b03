// The solver: searches the moves a player can make from the table as it
// stands and answers whether the hand can still be won. It plays every
// candidate move through the very code of play (DispatchClick, the game
// buttons, autoplay) on a scratch session of its own that copies the table,
// so a game written as data is solved exactly as it is played. It sees the
// face-down cards. The live table and its undo journal are never touched.
//
// Positions are compact byte strings (every pile's cards and faces in
// TableOrder, which piles are shown, OneTimeMove, RedealsLeft and, when a
// pile reshuffles, the generator's state); a transposition table of their
// hashes keeps each position to one visit. The search is best first: the
// position with the highest score (the game's own score, less the cards
// still face down) is expanded next, so foundation moves and moves that turn
// a card come first. Where the stock is dealt once, short searches under
// scores of their own, which dive deep, come before the plain one, each
// with a share of the budget. It stops at a state, memory or time budget.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vexa {

struct Session;

struct SolverBudget {
    std::int64_t MaxStates = 0;  // positions kept; 0 for no limit
    double Seconds = 0;          // wall-clock time; 0 for no limit
    std::size_t MaxMemoryBytes = std::size_t{512} << 20;
    // Where the rules put the victory out of reach of a game scored by the
    // cards left (scheme 2), search on within the budget for the line to
    // the lowest score instead of answering Lost at once: for the hints.
    bool LowestScoreLine = false;
};

enum class SolveOutcome { Won, Lost, Unknown };

// One move of a player and the driver commands that make it.
struct SolverMove {
    enum class Type { Card, Pile, Button, Autoplay };
    Type Kind = Type::Card;
    int CardIndex = 0;    // Card: the card clicked first (CardSet index)
    int LiftedIndex = 0;  // Card: the lowest card it lifts, or CardIndex
    // Card: the pile the lifted cards are dropped on ("" when the click
    // itself completes the move); Pile and Button: the control's key.
    std::string Target;
    std::vector<std::string> Commands;
};

struct SolveAnswer {
    SolveOutcome Outcome = SolveOutcome::Unknown;
    // Won: the winning line. Unknown: the line to the best-scoring position
    // found, when one scores above the start (empty otherwise). Lost: empty,
    // but with LowestScoreLine the line to the lowest score found, when it
    // is below the start.
    std::vector<SolverMove> Moves;
    std::int64_t States = 0;        // distinct positions reached (by all its searches)
    double Seconds = 0;
};

class Solver {
public:
    // Copies the table of the live session; the live session is not kept.
    // A session that shows the welcome cards, is inert or carries cards has
    // no position to solve: Solve then answers Unknown at once.
    explicit Solver(const Session& live);
    ~Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    // Searches until the hand is won, every reachable position is searched,
    // the budget is spent or cancel turns true. The same position and
    // state budget give the same answer.
    SolveAnswer Solve(const SolverBudget& budget, const std::atomic<bool>* cancel = nullptr);

private:
    struct Search;
    std::unique_ptr<Search> search_;
};

// Copies the position and solves it in one call.
SolveAnswer SolvePosition(const Session& live, const SolverBudget& budget);

const char* OutcomeName(SolveOutcome outcome);

}  // namespace vexa
