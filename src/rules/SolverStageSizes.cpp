// Stage sizes of the staged search. Where every tableau pile lifts any
// descending run whatever its suits (PickRule 5), a run can be lifted from
// each of its cards and put on every card one rank above, so a stage
// between two rows holds far more positions than where only runs of one
// suit lift, and how many of them the search looks at before it deals the
// next row decides which line it follows: a stage searched in a few
// thousand positions commits early and backs up often, one searched in
// tens of thousands sees more of each stage and backs up rarely. Which of
// them wins differs from hand to hand, and the search of each size that
// wins does so early or not at all. So three staged searches are made in
// turn, each with its own stage size and share of the budget, taking a
// little of the share of the short searches and the plain search after
// them (which neither won nor proved lost any of the measured hands of a
// game with these rules).
//
// An ordering only: each staged search plays legal moves on the scratch
// table and claims a win only with a line that reaches the victory; none
// of them claims a loss, which stays with the plain search.
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindStageSizes()
{
    if (!staged_ || orderings_.empty() || !orderings_.front().Staged) return;
    for (const Pile* pile : piles_)
        if (pile->Kind == 2 && pile->PickRule != 5) return;
    // The default size first (it wins its hands within a sixth of the
    // budget), then small stages, then large ones.
    struct Size {
        int Positions;
        int Share;
    };
    std::vector<Ordering> staged;
    for (const Size size : {Size{0, 5}, Size{3000, 9}, Size{20000, 6}}) {
        Ordering ordering = orderings_.front();
        ordering.StagePositions = size.Positions;
        ordering.Share = size.Share;
        staged.push_back(ordering);
    }
    orderings_.erase(orderings_.begin());
    orderings_.insert(orderings_.begin(), staged.begin(), staged.end());
}

}  // namespace vexa
