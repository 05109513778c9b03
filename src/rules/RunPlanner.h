// A compact model of one family of games and a fast search over it: tableau
// columns that build down regardless of suit, where only a run of one suit
// lifts and any run may go to an empty column; a stock that deals one card
// onto every column; complete runs of one suit from King to Ace sent to the
// foundations; and a win when every card lies on the foundations or in a
// run from a King at the bottom of its column. The solver's general search
// makes a few thousand moves a second through the code of play; this model
// makes millions, so it can afford a wide search, and what it finds
// is replayed through the code of play before it counts (see
// SolverRunPlanner.cpp).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vexa::solving {

// A card as rank (1 to 13) plus 16 times its suit (0 to 3).
inline std::uint8_t PackRunCard(int rank, int suit) { return static_cast<std::uint8_t>(rank | suit << 4); }

struct RunTable {
    // Each column bottom first; the first Down[c] cards of column c lie
    // face down, the others face up.
    std::vector<std::vector<std::uint8_t>> Columns;
    std::vector<int> Down;
    // The stock bottom first: its last card goes onto the first column.
    std::vector<std::uint8_t> Stock;
    int Home = 0;  // complete runs on the foundations

    bool operator==(const RunTable&) const = default;
};

struct RunMove {
    enum class Type { Run, Deal, Home } Kind = Type::Run;
    int From = 0, At = 0, To = 0;  // Run: the cards of column From from At up, onto column To; Home: column From
};

// Columns hold at most this many cards in the model; a move that would make
// one longer is not searched.
constexpr int RunColumnCards = 48;

// The winning line, if the search finds one, with the table after each of
// its moves. Stops after about maxChildren children (0: no limit),
// maxBytes of memory, or when stop() turns true; spent counts the children.
struct RunPlan {
    std::vector<RunMove> Moves;
    std::vector<RunTable> Tables;
};
std::optional<RunPlan> PlanRunGame(const RunTable& start, std::int64_t maxChildren, std::size_t maxBytes,
                                   const std::function<bool()>& stop, std::int64_t& spent);

// Whether the table is won: every card home or in a run from a King at the
// bottom of its column, with the stock empty.
bool RunTableWon(const RunTable& table);

}  // namespace vexa::solving
