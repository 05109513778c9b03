// "Winnable deals only": after a fresh shuffle has been dealt, the solver
// checks it; while it proves no win, the hand is shuffled and dealt again
// with the game's generator, until a win is proven or the time is spent.
// The choice is kept in the catalogue (General, WinnableOnly=1).
#pragma once

#include <functional>

namespace vexa {

struct Session;
struct SolverBudget;
enum class SolveOutcome;
class IniFile;

// Searches one dealt hand within a budget; the window runs the search off
// its own thread through this, the driver and tests call the solver at once.
using HandSearch = std::function<SolveOutcome(const Session&, const SolverBudget&)>;

struct WinnableDealResult {
    bool Proven = false;  // the hand dealt now is proven winnable
    int Shuffles = 0;     // hands dealt and searched, the first one included
};

// Searches the hand on the table and deals fresh shuffles until one is
// proven winnable within seconds in all. Each hand gets at most a share of
// the time, so that a hard hand does not use it all. progress is called
// after each hand that is not proven (with the number searched) and may
// return false to stop; the hand last dealt then stays. search, when given,
// replaces the plain call of the solver.
WinnableDealResult DealWinnableHand(Session& session, double seconds,
                                    const std::function<bool(int)>& progress = nullptr,
                                    const HandSearch& search = nullptr);

// The setting in the catalogue's General section.
bool ReadWinnableOnly(const IniFile& catalogue);
void WriteWinnableOnly(const IniFile& catalogue, bool on);

}  // namespace vexa
