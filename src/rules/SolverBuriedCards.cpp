// Buried cards: a bound that proves a position lost. A card of a tableau
// pile with nothing but face-down cards under it can leave that pile only
// as the lowest card it lifts: no lift starts at a face-down card, and a
// covered card is never turned. It leaves for a foundation whose top card
// takes it, for a pile whose top card takes it, or for an empty pile. When
// every card a foundation would take it on is such a card that cannot
// leave either or lies under one, every card a pile would take it on lies
// under one (or on a foundation, which keeps its cards), and no empty pile
// of either kind takes it, that card never leaves its pile: the first of
// them to leave would need a card that is still covered, or one of them
// on a foundation. Where the victory needs every card on the foundations
// the position is lost, whatever the stock still holds, and it is not
// searched.
//
// The set of such cards is found as the largest one that holds: every
// candidate pile starts with its whole face-down part and the card above
// it, and the top one of a pile that has a way out is dropped, until none
// has. The tables of what each rule takes are those of the safe moves:
// rules that decide by the two cards alone, foundations that keep their
// cards, nothing that deals onto piles but the clicks of play.
#include "rules/SolverSearch.h"

#include "rules/MoveRules.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindBuriedCards()
{
    buriedCards_ = false;
    const GameSettings& settings = s_.Settings;
    // The safe moves' conditions give the rule tables; a row dealt onto the
    // tableau only covers cards further. The victory needs every card on a
    // foundation.
    if (!safeMoves_ || settings.Scoring != 0) return;
    buriedSource_.assign(piles_.size(), 0);
    bool any = false;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        // Only the clicks of play move cards: the stock's turn and gather
        // (301, 303) touch the talon alone.
        if (pile.ClickAction != 0 && pile.ClickAction != 301 && pile.ClickAction != 303) return;
        if (pile.Kind == 3 && pile.PickRule != 0) return;
        // Tableau piles that lift nothing from a face-down card and nothing
        // from under the top card but a run starting at a face-up card.
        const int pick = pile.PickRule;
        buriedSource_[p] = pile.Kind == 2 && pile.Visible && ((pick >= 1 && pick <= 6) || pick == 9);
        any = any || buriedSource_[p];
    }
    if (!any) return;
    // Per card: the foundation cards it goes on, and the pile cards it goes
    // on; cards an empty foundation or an empty pile might take go anywhere.
    goesOnFoundation_.assign(128, CardSet{});
    goesOnPile_.assign(128, CardSet{});
    leavesFreely_.reset();
    for (const auto& [rule, taken] : foundationTakes_)
        for (std::size_t f = 0; f < taken.size(); ++f)
            for (std::size_t c = 0; c < taken[f].size(); ++c)
                if (taken[f].test(c)) goesOnFoundation_[c].set(f);
    for (std::size_t t = 0; t < buildsOn_.size(); ++t)
        for (std::size_t c = 0; c < buildsOn_[t].size(); ++c)
            if (buildsOn_[t].test(c)) goesOnPile_[c].set(t);
    for (const auto& [rule, starts] : foundationStarts_) leavesFreely_ |= starts;
    for (const Pile* pile : piles_) {
        if (pile->Kind != 3) continue;
        bool known = false;
        for (const auto& [rule, taken] : foundationTakes_) known = known || rule == pile->DropRule;
        if (!known) return;
    }
    // What an empty pile outside the foundations takes, offered each card
    // alone: the rules that decide by the lowest card lifted (and a run
    // above it) take it alone whenever they take it with a run. Any other
    // rule counts as taking every card.
    const State start = Captured();
    const std::vector<int> cards = CardsOnTable();
    Table& board = s_.Board;
    for (Pile* pile : piles_) {
        const int rule = pile->EmptyDropRule;
        if (pile->Kind == 3 || rule == 0) continue;
        const bool byLowest = rule == 201 || rule == 202 || rule == 203 || (rule >= 205 && rule <= 210);
        if (!byLowest) {
            for (const int c : cards) leavesFreely_.set(static_cast<std::size_t>(c));
            continue;
        }
        touched_ = true;
        s_.OriginPile = nullptr;
        while (pile->Count() > 0) board.MoveCard(*pile->Top(), board.Store());
        for (const int c : cards) {
            Card& moved = board.CardAt(c);
            board.MoveCard(moved, board.DragPile());
            if (CanDrop(s_, *pile, board.DragPile(), 0)) leavesFreely_.set(static_cast<std::size_t>(c));
            board.MoveCard(moved, board.Store());
        }
        Restore(start.data(), start.size());
    }
    buriedCards_ = true;
}

bool Solver::Search::CardsBuriedForGood()
{
    // Per candidate pile: how many of its bottom cards are still held to
    // stay (its face-down part and the card above it, at most).
    CardSet onFoundation;
    buriedTops_.assign(piles_.size(), 0);
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind == 3) {
            for (const Card* card : pile.Cards()) onFoundation.set(static_cast<std::size_t>(card->Index()));
            continue;
        }
        if (!buriedSource_[p]) continue;
        const int n = pile.Count();
        int held = 0;
        // With PickRule 1 only the top card ever lifts: every card is held.
        if (pile.PickRule == 1) {
            held = n;
        } else {
            while (held < n && !FaceUp(*pile.CardAt(held))) ++held;
            if (held < n) ++held;
        }
        buriedTops_[p] = held;
    }
    // Drop the top held card of a pile while it has a way out, until none
    // has: what is left never leaves.
    for (bool changed = true; changed;) {
        changed = false;
        // The cards held, and those of them under another held card. A
        // held card on top can still take a card; none ever reaches a
        // foundation to take one there.
        CardSet held, covered;
        for (std::size_t p = 0; p < piles_.size(); ++p)
            for (int i = 0; i < buriedTops_[p]; ++i) {
                const auto c = static_cast<std::size_t>(piles_[p]->CardAt(i)->Index());
                held.set(c);
                if (i + 1 < buriedTops_[p]) covered.set(c);
            }
        for (std::size_t p = 0; p < piles_.size(); ++p) {
            while (buriedTops_[p] > 0) {
                const auto c = static_cast<std::size_t>(piles_[p]->CardAt(buriedTops_[p] - 1)->Index());
                const bool stays = !leavesFreely_.test(c) && (goesOnFoundation_[c] & ~held).none() &&
                                   (goesOnPile_[c] & ~covered & ~onFoundation).none();
                if (stays) break;
                held.reset(c);
                --buriedTops_[p];
                if (buriedTops_[p] > 0)
                    covered.reset(static_cast<std::size_t>(piles_[p]->CardAt(buriedTops_[p] - 1)->Index()));
                changed = true;
            }
        }
    }
    for (const int held : buriedTops_)
        if (held > 0) return true;
    return false;
}

}  // namespace vexa
