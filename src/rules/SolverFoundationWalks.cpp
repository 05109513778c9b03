// Foundation walks. EmptyDropRule 204 walks back in TableOrder from its pile
// to the nearest Kind-3 pile that holds cards, and 216 to 218 read the bottom
// cards of the piles between the first and the last Kind-3 position. These
// rules read where piles stand, but only where the foundations stand:
//
// - 204 passes over every pile that is not of Kind 3, so its answer for a
//   pile depends on the foundations before it and on nothing else; when it
//   is the rule of foundations only (which are never exchanged), exchanging
//   the contents of two other piles leaves its every answer as it was.
// - 216 to 218 ask whether any pile of the range has a matching bottom
//   card. When only foundations stand in the range, no other pile is read.
//
// Then two piles of the same rules outside the foundations may still be
// exchanged (see SolverInterchangeablePiles.cpp): the positions that differ
// only so allow the same moves, exchanged, for ever.
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

bool Solver::Search::WalksReadOnlyFoundations() const
{
    bool bottoms = false;  // a rule reads the bottom cards of the range
    for (const Pile* pile : piles_) bottoms = bottoms || (pile->EmptyDropRule >= 216 && pile->EmptyDropRule <= 218);
    const KindSpan span = s_.Board.KindRange(3);
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind == 3) continue;
        if (pile.EmptyDropRule == 204) return false;
        // Another pile within the foundations' range: its bottom card is read.
        if (bottoms && span.first >= 0 && pilePositions_[p] >= span.first && pilePositions_[p] <= span.last) return false;
    }
    return true;
}

}  // namespace vexa
