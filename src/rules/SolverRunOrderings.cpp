// Run orderings. Where the victory is cards put in order (Scoring 1: runs
// of one suit down from Kings; Scoring 4: rows of one suit up from an ace)
// and there is no stock, every card lies in play from the start and the
// plain ordering, which follows the score closely, spends its budget
// moving cards back and forth among a few lines that look alike. Short
// searches first, each with a share of the budget, each diving deeper and
// adding to every position's score a few points of its own drawn from the
// position's key with a salt of its own (as the noisy dives do), then the
// plain ordering with the rest. The same is done where the stock comes
// round again and again (stock cycles, as in Klondike): there the plain
// ordering, best first under the game's score, misses wins that lie off
// the lines the score prefers. Orderings only choose which position
// comes next: a win is still a line of legal moves and a loss is still
// claimed only by a search that ran out of positions. The noise depends on
// the position alone, so the same position and budget give the same answer
// on every machine.
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

void Solver::Search::DivesThenPlain(int dives, int depth, int noise, int plainShare)
{
    std::vector<Ordering> orderings;
    for (int dive = 0; dive < dives; ++dive) {
        Ordering noisy;
        noisy.Depth = depth;
        noisy.Noise = noise;
        noisy.Salt = 0x9e3779b97f4a7c15ull * static_cast<std::uint64_t>(dive + 1);
        orderings.push_back(noisy);
    }
    Ordering plain;
    plain.Share = plainShare;
    orderings.push_back(plain);
    orderings_ = std::move(orderings);
    ordering_ = orderings_.front();
}

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
    DivesThenPlain(4, 2, 60, 4);
}

void Solver::Search::FindCycleDives()
{
    if (!usable_ || !cycles_ || orderings_.size() != 1) return;
    // Eight dives of a share each, deeper and noisier, then the plain
    // ordering with three quarters of the budget, which proofs of loss
    // need. On the 27 Klondike deals among 1 to 200 that the plain
    // ordering left undecided within 450,000 positions, these won 11; four
    // such dives (the plain ordering with three quarters) won 8, four of
    // 2 points a move and up to 59 of noise 7, four with the plain
    // ordering on half the budget 7.
    DivesThenPlain(8, 20, 150, 24);
}

}  // namespace vexa
