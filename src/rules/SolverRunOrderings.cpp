// Run orderings. Where the victory is cards put in order (Scoring 1: runs
// of one suit down from Kings; Scoring 4: rows of one suit up from an ace)
// and there is no stock, every card lies in play from the start and the
// plain ordering, which follows the score closely, spends its budget
// moving cards back and forth among a few lines that look alike. Short
// searches first, each with a share of the budget, each diving deeper and
// adding to every position's score a few points of its own drawn from the
// position's key with a salt of its own (as the noisy dives do), then the
// plain ordering with the rest. Orderings only choose which position
// comes next: a win is still a line of legal moves and a loss is still
// claimed only by a search that ran out of positions. The noise depends on
// the position alone, so the same position and budget give the same answer
// on every machine.
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindRunOrderings()
{
    if (!usable_ || (s_.Settings.Scoring != 1 && s_.Settings.Scoring != 4) || orderings_.size() != 1) return;
    for (const Pile* pile : piles_)
        if (pile->Kind == 0 && pile->Count() > 0) return;
    // Four dives of a share each, then the plain ordering with four. On
    // deals 1 to 50 within 200,000 positions, runs from Kings: 29 hands won
    // where the plain ordering alone won 13 (six dives deeper and noisier:
    // fewer); rows from aces within 300,000 positions, deals 1 to 40: 10
    // won where the plain ordering won 2.
    constexpr int Dives = 4, Depth = 2, Noise = 60, PlainShare = 4;
    std::vector<Ordering> orderings;
    for (int dive = 0; dive < Dives; ++dive) {
        Ordering noisy;
        noisy.Depth = Depth;
        noisy.Noise = Noise;
        noisy.Salt = 0x9e3779b97f4a7c15ull * static_cast<std::uint64_t>(dive + 1);
        orderings.push_back(noisy);
    }
    Ordering plain;
    plain.Share = PlainShare;
    orderings.push_back(plain);
    orderings_ = std::move(orderings);
    ordering_ = orderings_.front();
}

}  // namespace vexa
