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

// Whether the solver proves hands of the loaded game winnable often enough
// for "Winnable deals only" to deal by it. A fixed probe, the same on every
// machine: deals 1 to WinnableProbeDeals of the game are dealt on a table of
// their own (the live table is not touched) and each is searched within
// WinnableProbeStates positions; the game counts as often confirmed when
// one of them is proven winnable. search, when given, replaces the plain
// call of the solver.
constexpr int WinnableProbeDeals = 4;
constexpr long long WinnableProbeStates = 30000;
bool WinnableOftenConfirmed(const Session& session, const HandSearch& search = nullptr);

// The message shown once, when such a game is chosen, for a game whose
// hands the probe does not confirm; its hands are then dealt as usual.
inline constexpr const char* WinnableRarelyConfirmedText =
    "For this game a winnable hand often cannot be confirmed in time; hands are dealt as usual.";

// The setting in the catalogue's General section.
bool ReadWinnableOnly(const IniFile& catalogue);
void WriteWinnableOnly(const IniFile& catalogue, bool on);

}  // namespace vexa
