// Moves the rule tables rule out before they are tried. A drop puts the
// lowest card lifted on the target's top card, and where the safe moves
// apply every rule decides by those two cards (and the target's count,
// only ever to refuse a full pile), so the tables taken by offering each
// card to each rule hold in every position: a lift whose lowest card no
// pile takes, or a drop on a pile whose table refuses it, makes no move.
// Skipping them changes no answer, only the time spent finding none.
#include "rules/SolverSearch.h"

#include <algorithm>

namespace vexa {

using namespace solving;

bool Solver::Search::FindLiftFilter(bool deferred)
{
    // After a deferred play: the cards the pile played to takes on the card
    // played, by its foundation rule's table or the piles' tables. Else the
    // cards some pile takes now: on a foundation's top card or while it is
    // empty by its tables, on any other pile's top card by the piles'
    // tables, anything where an empty pile has an EmptyDropRule. A rule
    // with no table filters nothing.
    if (!safeMoves_) return false;
    auto foundationTable = [this](int dropRule) {
        const auto rule = std::find_if(foundationTakes_.begin(), foundationTakes_.end(),
                                       [&](const auto& entry) { return entry.first == dropRule; });
        return rule == foundationTakes_.end() ? nullptr : &rule->second;
    };
    if (deferred) {
        const Pile& under = *piles_[static_cast<std::size_t>(deferredPile_)];
        if (under.Count() == 0) return false;
        const auto card = static_cast<std::size_t>(under.Top()->Index());
        if (under.Kind != 3) {
            if (under.DropRule == 124) return false;
            liftFilter_ = buildsOn_[card];
            return true;
        }
        const auto* table = foundationTable(under.DropRule);
        if (!table) return false;
        liftFilter_ = (*table)[card];
        return true;
    }
    liftFilter_.reset();
    for (const Pile* pile : piles_) {
        if (pile->DropRule == 124) return false;
        if (pile->Count() > 0) {
            const auto top = static_cast<std::size_t>(pile->Top()->Index());
            if (pile->Kind != 3) {
                if (pile->DropRule != 0) liftFilter_ |= buildsOn_[top];
                continue;
            }
            const auto* table = foundationTable(pile->DropRule);
            if (!table) return false;
            liftFilter_ |= (*table)[top];
        } else if (pile->Kind == 3) {
            const auto starts = std::find_if(foundationStarts_.begin(), foundationStarts_.end(),
                                             [&](const auto& entry) { return entry.first == pile->EmptyDropRule; });
            if (starts == foundationStarts_.end()) return false;
            liftFilter_ |= starts->second;
        } else if (pile->EmptyDropRule != 0) {
            return false;
        }
    }
    return true;
}

bool Solver::Search::MayLiftFor(const Pile& pile, int i) const
{
    // The lowest card a click lifts: the top card (PickRule 1), the card
    // clicked (the rules that lift from it up, or it alone); other rules
    // and the stock's deals are left to the drop itself.
    const int pick = pile.PickRule;
    std::size_t lowest = 0;
    if (pick == 1)
        lowest = static_cast<std::size_t>(pile.Top()->Index());
    else if ((pick >= 2 && pick <= 7) || pick == 9)
        lowest = static_cast<std::size_t>(pile.CardAt(i)->Index());
    else
        return true;
    return liftFilter_.test(lowest);
}

bool Solver::Search::MayTake(const Pile& target, int lowest) const
{
    if (target.Count() == 0) return true;
    const auto top = static_cast<std::size_t>(target.Top()->Index());
    const auto card = static_cast<std::size_t>(lowest);
    // DropRule 124 refuses by each pile's own CardLimit: its table may not
    // hold for every pile.
    if (target.Kind != 3) return target.DropRule == 0 || target.DropRule == 124 || buildsOn_[top].test(card);
    const auto rule = std::find_if(foundationTakes_.begin(), foundationTakes_.end(),
                                   [&](const auto& entry) { return entry.first == target.DropRule; });
    return rule == foundationTakes_.end() || rule->second[top].test(card);
}

}  // namespace vexa
