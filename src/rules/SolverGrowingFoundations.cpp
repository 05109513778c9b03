// Safe plays onto foundations that only grow in what they allow. Where
// every foundation builds in the suit of its top card (DropRule 120, 121)
// and starts empty only by the rank of the preceding foundation's bottom
// card (EmptyDropRule 215) or not at all, and no other pile ever takes a
// card, a card put on a foundation only adds what the foundations allow:
// 120 asks the suit of the top card, which is the suit of every card of
// that foundation; 121 asks for a rank anywhere in the preceding pile;
// 215 asks for the bottom card of the preceding pile, which never changes
// once it lies there; the score counts the foundations' cards.
//
// The top card C of a pile that gives cards only from its top (PickRule
// 1), and that no move ever puts a card on, is then played at once where
// it can go only to one foundation F, now and ever: F takes it, no other
// foundation's bottom card has its suit, and every empty foundation waits
// for a rank other than C's (the bottom card it reads is already there).
// A winning line from the position leaves C where it is until it plays C
// to F (nothing can take C elsewhere, and nothing is put on it); the same
// line without that move is legal after C was played first, since every
// move it makes is allowed on foundations that hold as much or more, and
// it ends with the same cards on the same piles (F's cards in another
// order, which no rule reads but through the top card's suit). Autoplay
// in such a line is a run of single moves, which stay legal the same way.
#include "rules/SolverSearch.h"

#include "rules/ClickDispatch.h"
#include "rules/MoveRules.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindGrowingFoundations()
{
    growingSource_.assign(piles_.size(), 0);
    growing_ = false;
    const GameSettings& settings = s_.Settings;
    if (!usable_ || keepsGenerator_ || !buttons_.empty() || settings.Scoring != 0 || settings.Postdrop != 0 ||
        settings.Postpick != 0 || settings.Prepick != 0)
        return;
    bool anySource = false, anyFoundation = false;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind == 3) {
            if (pile.PickRule != 0 || pile.ClickAction != 0 || (pile.DropRule != 120 && pile.DropRule != 121) ||
                (pile.EmptyDropRule != 0 && pile.EmptyDropRule != 215))
                return;
            anyFoundation = true;
            continue;
        }
        if (pile.DropRule != 0 || pile.EmptyDropRule != 0) return;
        growingSource_[p] = pile.Kind != 0 && pile.Kind != 1 && pile.PickRule == 1 && pile.ClickAction == 0;
        anySource = anySource || growingSource_[p];
    }
    growing_ = anySource && anyFoundation;
}

bool Solver::Search::PlayGrowingFoundationMove()
{
    Table& board = s_.Board;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        if (!growingSource_[p] || piles_[p]->Count() == 0) continue;
        Card& card = *piles_[p]->Top();
        if (!FaceUp(card)) continue;
        // The one foundation that can ever take the card.
        Pile* only = nullptr;
        bool alone = true;
        for (int q = 0; q < static_cast<int>(piles_.size()) && alone; ++q) {
            Pile& foundation = *piles_[static_cast<std::size_t>(q)];
            if (foundation.Kind != 3) continue;
            if (foundation.Count() == 0) {
                if (foundation.EmptyDropRule == 0) continue;
                const int position = board.PositionOf(&foundation);
                const Pile* before = position > 0 ? board.PileAt(position - 1) : nullptr;
                alone = before && before->Count() > 0 && before->CardAt(0)->Face.Value() != card.Face.Value();
                continue;
            }
            if (foundation.CardAt(0)->Face.Suit() != card.Face.Suit()) continue;
            alone = only == nullptr;
            only = &foundation;
        }
        if (!alone || !only || !CanClickCard(s_, card)) continue;
        touched_ = true;
        DispatchClick(s_, &card);
        if (!s_.Carrying || board.DragPile().Count() != 1 || !CanDrop(s_, *only, board.DragPile(), 0)) {
            RestoreParent();
            continue;
        }
        if (DropAsOnlyMove(card.Index(), *only)) return true;
    }
    return false;
}

}  // namespace vexa
