// Gap lifts. Where no pile takes a card on a card (every DropRule 0), every
// pile gives only its top card (PickRule 0 or 1), and an empty pile takes
// an ace alone (EmptyDropRule 203) or a higher card of the suit of the
// preceding pile's bottom card (212), the cards worth lifting in a position
// are those some empty pile takes now, and a lifted card can go only to an
// empty pile. Both are read from the position as the rules read it, so a
// lift left out has no move and a target left out refuses every card:
// skipping them changes no answer, only the time spent finding none. The
// rows of gaps clicked over every pile for each card are what makes such
// games slow to search.
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindGapLifts()
{
    gapLifts_ = false;
    if (!usable_ || !buttons_.empty()) return;
    const GameSettings& settings = s_.Settings;
    if (settings.Prepick != 0 || settings.Postpick != 0 || settings.Postdrop != 0) return;
    bool anyGap = false;
    for (const Pile* pile : piles_) {
        if (pile->ClickAction != 0 || pile->DropRule != 0 || (pile->PickRule != 0 && pile->PickRule != 1)) return;
        const int rule = pile->EmptyDropRule;
        if (rule != 0 && rule != 203 && rule != 212) return;
        anyGap = anyGap || rule == 212;
    }
    if (!anyGap) return;
    // Per suit and rank: the cards of that suit above it; and the aces.
    aceCards_.reset();
    higherOfSuit_.assign(4 * 14, CardSet{});
    for (const int c : CardsOnTable()) {
        const CardFace& face = s_.Board.CardAt(c).Face;
        const auto card = static_cast<std::size_t>(c);
        if (face.Suit() > 3) return;
        if (face.Value() == 1) aceCards_.set(card);
        for (int below = 0; below < face.Value(); ++below)
            higherOfSuit_[static_cast<std::size_t>(face.Suit() * 14 + below)].set(card);
    }
    gapLifts_ = true;
}

void Solver::Search::FindGapFilter()
{
    gapFilter_.reset();
    const Table& board = s_.Board;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Count() > 0) continue;
        if (pile.EmptyDropRule == 203) {
            gapFilter_ |= aceCards_;
        } else if (pile.EmptyDropRule == 212) {
            const Pile* before = board.PileAt(pilePositions_[p] - 1);
            if (!before || before->Count() == 0) continue;
            const CardFace& bottom = before->CardAt(0)->Face;
            gapFilter_ |= higherOfSuit_[static_cast<std::size_t>(bottom.Suit() * 14 + bottom.Value())];
        }
    }
}

}  // namespace vexa
