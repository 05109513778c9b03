// Twin foundations: a safe foundation move where several foundations take
// the card. With two decks the two foundations of a suit often stand at the
// same rank, and both take the next card of the suit; the safe moves, which
// want exactly one foundation to take the card and no other card, then
// never apply, nor where one foundation takes the card and its copy too.
//
// Why playing the card X to the first of them is sound. Let every foundation
// that takes X now hold the same faces in the same order under the same
// rules, let no card off the foundations be one on which any foundation
// would take X (so no foundation can come to take X later: foundations keep
// their cards and only grow, and the rules decide by the two cards), and let
// no card off the foundations build on X elsewhere (the safe-move test).
// The victory needs every card on the foundations, so a winning line L puts
// X on some foundation G, and G is one that takes X now, untouched until
// then. Play X to the first foundation F at once and then L, with X's own
// moves left out and F and G exchanged in every move: until X reaches G in L,
// F in the new line stands as G did (nothing goes onto G before X), G stands
// as F did, and cards on foundations never move, so their identities do not
// matter, only their faces. The rest of the argument is the safe moves' own:
// nothing is ever put on X, so leaving it out changes no other move. Where
// autoplay picks the first foundation that takes a card, it must be a
// shortcut through single moves (firstFoundationWlog_), as for the aces.
#include "rules/SolverSearch.h"

#include <algorithm>

#include "rules/MoveRules.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindTwinFoundations()
{
    // Called once the safe moves are on; only with more than one deck,
    // where copies of a card make foundations alike. The victory must need
    // every card on a foundation (scoring scheme 0), and foundation rules
    // must read nothing but the two cards: not the count against a limit
    // (124).
    twinFoundations_ = false;
    if (!safeMoves_ || !firstFoundationWlog_ || s_.Settings.Scoring != 0 || s_.Settings.Decks < 2) return;
    for (const Pile* pile : piles_)
        if (pile->Kind == 3 && pile->DropRule == 124) return;
    twinFoundations_ = true;
}

bool Solver::Search::TwinsTake(std::size_t card, const CardSet& off, const std::vector<Pile*>& foundations)
{
    // The scratch table carries X: the foundations that take it now.
    Pile& drag = s_.Board.DragPile();
    const Pile* first = nullptr;
    for (Pile* foundation : foundations) {
        if (!CanDrop(s_, *foundation, drag, 0)) continue;
        if (!first) {
            first = foundation;
            continue;
        }
        if (foundation->DropRule != first->DropRule || foundation->EmptyDropRule != first->EmptyDropRule ||
            foundation->CardLimit != first->CardLimit || foundation->Count() != first->Count())
            return false;
        for (int i = 0; i < first->Count(); ++i) {
            const CardFace& a = foundation->CardAt(i)->Face;
            const CardFace& b = first->CardAt(i)->Face;
            if (a.Suit() != b.Suit() || a.Value() != b.Value() || a.Deckvalue() != b.Deckvalue() ||
                a.State() != b.State())
                return false;
        }
    }
    if (!first) return false;
    // No card off the foundations is one a foundation would take X on.
    for (const auto& [rule, taken] : foundationTakes_)
        for (std::size_t t = 0; t < taken.size(); ++t)
            if (t != card && off.test(t) && taken[t].test(card)) return false;
    return true;
}

}  // namespace vexa
