// Locked cards: a bound that proves a position lost. Where the cards of some
// piles can leave them only one at a time from the top and only for a
// foundation (no other pile ever takes a card from them), and the
// foundations take each card of a one-deck game only on the card of its
// suit one rank lower (aces on empty foundations), a card in such a pile
// reaches a foundation only after the card on top of it, and every card only
// after the next lower card of its suit. A cycle of these needs is never
// broken: none of its cards ever reaches a foundation. Where the victory
// needs every card on the foundations, such a position is lost, whatever
// the stock still holds (a card dealt later only adds needs), and it is not
// searched: a win is never lost this way, and a loss is still claimed only
// when no other position is left.
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

namespace {

// Whether a pile with this drop rule can ever take a card whose origin pile
// has the given Kind: 0 takes nothing, 113 only from the stock that
// governs it, 214 only from a stock or a waste pile.
bool NeverTakesFrom(int rule, int originKind)
{
    switch (rule) {
    case 0: return true;
    case 113: return originKind != 0;
    case 214: return originKind != 0 && originKind != 1;
    default: return false;
    }
}

}  // namespace

void Solver::Search::FindLockedPiles()
{
    lockedCards_ = false;
    locked_.assign(piles_.size(), 0);
    lower_.fill(-1);
    // The victory must need every card on a foundation, and nothing may move
    // cards but the clicks of play: no button, no step before or after a
    // move, no redeal or reshuffle of a pile.
    const GameSettings& settings = s_.Settings;
    if (!usable_ || settings.Scoring != 0 || settings.Decks != 1 || !buttons_.empty() || settings.Postdrop != 0 ||
        settings.Postpick != 0 || settings.Prepick != 0 || keepsGenerator_)
        return;
    int foundations = 0;
    for (const Pile* pile : piles_) {
        if (pile->ClickAction != 0) return;
        if (pile->Kind != 3) continue;
        // Same suit, one rank up, from an ace on an empty foundation; the
        // foundation keeps its cards.
        if (pile->PickRule != 0 || (pile->DropRule != 106 && pile->DropRule != 110) || pile->EmptyDropRule != 203)
            return;
        ++foundations;
    }
    if (foundations == 0) return;
    bool any = false;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        // The top card alone, and no pile but a foundation ever takes it.
        if (pile.Kind == 3 || pile.PickRule != 1) continue;
        bool closed = true;
        for (std::size_t q = 0; q < piles_.size() && closed; ++q) {
            const Pile& other = *piles_[q];
            if (q == p || other.Kind == 3) continue;
            closed = NeverTakesFrom(other.DropRule, pile.Kind) && NeverTakesFrom(other.EmptyDropRule, pile.Kind);
        }
        locked_[p] = closed;
        any = any || closed;
    }
    if (!any) return;
    // Each card's next lower card of its suit; a deck with a card twice
    // has no such single card.
    std::array<std::int16_t, 4 * 14> byFace;
    byFace.fill(-1);
    for (const Pile* pile : piles_)
        for (const Card* card : pile->Cards()) {
            const std::size_t face = static_cast<std::size_t>(card->Face.Suit() * 14 + card->Face.Value());
            if (byFace[face] >= 0) return;
            byFace[face] = static_cast<std::int16_t>(card->Index());
        }
    for (const Pile* pile : piles_)
        for (const Card* card : pile->Cards())
            if (card->Face.Value() > 1)
                lower_[static_cast<std::size_t>(card->Index())] =
                    byFace[static_cast<std::size_t>(card->Face.Suit() * 14 + card->Face.Value() - 1)];
    lockedCards_ = true;
}

bool Solver::Search::Deadlocked()
{
    // The needs of every card off the foundations: the card on top of it in
    // a locked pile, and its next lower card unless that lies on a
    // foundation. Each card has at most these two, so a walk along them
    // from every card finds any cycle.
    above_.fill(-1);
    home_.reset();
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        const int n = pile.Count();
        if (pile.Kind == 3) {
            for (const Card* card : pile.Cards()) home_.set(static_cast<std::size_t>(card->Index()));
        } else if (locked_[p]) {
            for (int i = 0; i + 1 < n; ++i)
                above_[static_cast<std::size_t>(pile.CardAt(i)->Index())] =
                    static_cast<std::int16_t>(pile.CardAt(i + 1)->Index());
        }
    }
    // 0: not yet walked, 1: on the walk in progress, 2: leads to no cycle.
    mark_.fill(0);
    auto needs = [this](std::size_t card, int which) -> int {
        if (which == 0) return above_[card];
        const int lower = lower_[card];
        return lower >= 0 && !home_.test(static_cast<std::size_t>(lower)) ? lower : -1;
    };
    for (std::size_t start = 0; start < above_.size(); ++start) {
        if (above_[start] < 0 || mark_[start] != 0) continue;
        // A walk with an explicit stack: the card and the next need to try.
        walk_.clear();
        walk_.push_back({static_cast<std::int16_t>(start), 0});
        mark_[start] = 1;
        while (!walk_.empty()) {
            auto& [card, which] = walk_.back();
            const auto at = static_cast<std::size_t>(card);
            if (which == 2) {
                mark_[at] = 2;
                walk_.pop_back();
                continue;
            }
            const int next = needs(at, which++);
            if (next < 0) continue;
            const auto to = static_cast<std::size_t>(next);
            if (mark_[to] == 1) return true;
            if (mark_[to] == 0) {
                mark_[to] = 1;
                walk_.push_back({static_cast<std::int16_t>(next), 0});
            }
        }
    }
    return false;
}

}  // namespace vexa
