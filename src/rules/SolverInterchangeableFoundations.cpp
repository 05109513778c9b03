// Interchangeable foundations. Foundations of the same rules are read by
// most games' rules only through their own cards: a drop looks at the
// target's cards, and EmptyDropRules 216 to 218 ask whether ANY pile of the
// foundations' range has a matching bottom card, which no exchange of the
// foundations' contents changes. Where nothing reads which foundation stands
// where, two positions that differ only by which of such foundations holds
// which cards allow the same moves, exchanged, for ever, and are one
// position to the search (their contents are keyed in a fixed order, as
// for the interchangeable piles of SolverInterchangeablePiles.cpp). Two
// decks bring four aces and four kings that may each start any of four
// empty foundations: without this, every such start makes up to four
// positions that are one.
//
// What reads where a foundation stands, and turns this off: a rule that
// reads other piles (RulesReadOtherPiles, as for the other piles), the
// nearest earlier foundation (EmptyDropRule 204), the first foundation
// (Postpick 1 and 13, Postdrop 13 and 14, PickRule 94), scoring scheme 4
// and the buttons. Autoplay fills the first foundation that takes a card;
// where it takes only top cards the player could lift alone from piles
// that lift them so (PickRules 1 to 9 but 8), it is a shortcut through
// single moves, which read no place, and changes nothing that can be
// reached. Order-free foundations (PickRule 0, SolverPositions.cpp) are
// keyed by a saving of their own and are left out.
#include "rules/SolverSearch.h"

#include <algorithm>

namespace vexa {

using namespace solving;

void Solver::Search::FindInterchangeableFoundations()
{
    if (!usable_ || RulesReadOtherPiles(true, true)) return;
    const GameSettings& settings = s_.Settings;
    if (settings.Postpick != 0 || settings.Postdrop == 13 || settings.Postdrop == 14) return;
    for (const Pile* pile : piles_) {
        if (pile->PickRule == 94 || pile->EmptyDropRule == 204) return;
        if (s_.Menu.Autoplay && (pile->Kind == 1 || pile->Kind == 2 || pile->Kind == 4) &&
            (pile->PickRule < 1 || pile->PickRule > 9 || pile->PickRule == 8))
            return;
    }
    auto same = [](const Pile& a, const Pile& b) {
        return a.PickRule == b.PickRule && a.DropRule == b.DropRule && a.EmptyDropRule == b.EmptyDropRule &&
               a.LayoutStyle == b.LayoutStyle && a.Direction == b.Direction && a.ClickAction == b.ClickAction &&
               a.CardLimit == b.CardLimit && a.Bounds.width == b.Bounds.width &&
               a.Bounds.height == b.Bounds.height && a.Visible && b.Visible;
    };
    int groups = 0;
    for (const int g : group_) groups = std::max(groups, g + 1);
    for (std::size_t i = 0; i < piles_.size(); ++i) {
        const Pile& pile = *piles_[i];
        if (group_[i] >= 0 || pile.Kind != 3 || orderFree_[i]) continue;
        bool any = false;
        for (std::size_t j = i + 1; j < piles_.size(); ++j)
            if (group_[j] < 0 && piles_[j]->Kind == 3 && !orderFree_[j] && same(pile, *piles_[j])) {
                group_[j] = groups;
                any = true;
            }
        if (any) group_[i] = groups++;
    }
    symmetric_ = groups > 0;
}

}  // namespace vexa
