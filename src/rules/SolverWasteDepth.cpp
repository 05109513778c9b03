// Waste depth. Where a stock dealt once turns its cards one at a time onto
// a waste (PickRule 90) and only the top card of the waste can be played,
// every card dealt covers the card under it until it has gone itself. The
// score of the short deep searches counts a card there as blocking only
// when it lies above a lower card of its own suit, and every move from the
// start earns points, a card dealt as much as any: on two-deck hands the
// dives dealt the stock out early and spent their share at the end of the
// hand, with most cards still on the waste and no move left that mattered.
// Each card on such a waste now costs points in the short searches and
// the noisy dives, so that a line plays the waste's cards away before it
// deals more, as a player would.
//
// An ordering only: it decides which position is expanded first, never
// which positions exist, so it cannot change whether a hand is won or lost.
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

namespace {

// Points less per card on the waste: a little less than a card blocking a
// lower card of its suit, far less than a card on a foundation.
constexpr int TalonWeight = 25;

}  // namespace

void Solver::Search::FindWasteDepth()
{
    // Only where the noisy dives are made: two decks and foundations that
    // take one card at a time (see SolverNoisyDives.cpp).
    if (std::none_of(orderings_.begin(), orderings_.end(), [](const Ordering& o) { return o.Noise > 0; })) return;
    bool dealsOntoWaste = false, waste = false;
    for (const Pile* pile : piles_) {
        if (pile->Kind == 0 && pile->PickRule == 90 && pile->Count() > 0) dealsOntoWaste = true;
        if (pile->Kind == 1) {
            if (pile->PickRule != 1) return;
            waste = true;
        }
    }
    if (!dealsOntoWaste || !waste) return;
    for (Ordering& ordering : orderings_)
        if (ordering.OneWay && !ordering.Staged && ordering.Waste == 0 && ordering.WasteSteps == 0)
            ordering.Talon = TalonWeight;
}

}  // namespace vexa
