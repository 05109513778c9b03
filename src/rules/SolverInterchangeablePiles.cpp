// Interchangeable piles. Where no rule reads where a pile stands, two piles
// with the same rules can swap contents without changing what can be done:
// positions that differ only so are keyed as one.
#include "rules/SolverSearch.h"

#include "rules/MoveRules.h"

namespace vexa {

using namespace solving;

bool Solver::Search::OneStockGovernsAll() const
{
    const Pile* governing = nullptr;
    for (const Pile* pile : piles_) {
        if (pile->DropRule != 113) continue;
        const Pile* stock = GoverningStock(s_.Board, *pile);
        if (!stock || (governing && stock != governing)) return false;
        governing = stock;
    }
    return true;
}

void Solver::Search::FindInterchangeablePiles()
{
    // Piles may be exchanged only when no rule of the game reads where a
    // pile stands: the preceding pile, the walks over the foundation range,
    // the cover test, the deals and gathers in TableOrder, the first and
    // last waste pile, the rows of scheme 4 and the buttons all do. The
    // governing stock does too, unless one stock governs every pile whose
    // rule asks for it (a card from that stock then goes to any of them),
    // and the walks over the foundations do not where they read no other
    // pile (see SolverFoundationWalks.cpp).
    group_.assign(piles_.size(), -1);
    if (RulesReadOtherPiles(true, true)) return;
    bool wastesOrdered = false, tableauOrdered = false;
    for (const Pile* pile : piles_) {
        switch (pile->PickRule) {
        case 90:
        case 91:
        case 93:
        case 95: wastesOrdered = true; break;
        case 92: tableauOrdered = true; break;
        default: break;
        }
        if (pile->ClickAction == 301 || pile->ClickAction == 303) wastesOrdered = true;
        if (pile->ClickAction == 302) tableauOrdered = true;
    }
    auto same = [](const Pile& a, const Pile& b) {
        return a.Kind == b.Kind && a.PickRule == b.PickRule && a.DropRule == b.DropRule &&
               a.EmptyDropRule == b.EmptyDropRule && a.LayoutStyle == b.LayoutStyle && a.Direction == b.Direction &&
               a.ClickAction == b.ClickAction && a.CardLimit == b.CardLimit && a.Bounds.width == b.Bounds.width &&
               a.Bounds.height == b.Bounds.height && a.Visible && b.Visible;
    };
    int groups = 0;
    for (std::size_t i = 0; i < piles_.size(); ++i) {
        const Pile& pile = *piles_[i];
        // Stocks and foundations are found by their first position.
        if (group_[i] >= 0 || pile.Kind == 0 || pile.Kind == 3 || pile.Kind == 4 || pile.Kind >= KindCount) continue;
        if ((pile.Kind == 1 && wastesOrdered) || (pile.Kind == 2 && tableauOrdered)) continue;
        bool any = false;
        for (std::size_t j = i + 1; j < piles_.size(); ++j)
            if (group_[j] < 0 && same(pile, *piles_[j])) {
                group_[j] = groups;
                any = true;
            }
        if (any) group_[i] = groups++;
    }
    symmetric_ = groups > 0;
}

}  // namespace vexa
