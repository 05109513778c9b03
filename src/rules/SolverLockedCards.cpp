// Locked cards: a bound that proves a position lost. Where the cards of some
// piles can leave them only one at a time from the top and only for a
// foundation (no other pile ever takes a card from them), and every
// foundation builds one suit up by one rank from a base rank, a card in
// such a pile reaches a foundation only after the card on top of it, and
// every card but one of the base rank only after a card of its suit one
// rank lower (either copy, with two decks). A card that cannot reach a
// foundation even by these needs alone never does; where the victory needs
// every card on the foundations, such a position is lost, whatever the stock
// still holds (a card dealt later only adds needs), and it is not searched:
// a win is never lost this way, and a loss is still claimed only when no
// other position is left.
//
// With every card dealt in full decks and four foundations a deck, each
// suit fills as many foundations as it has copies of a card, each taking
// one copy of every rank in rising order from the base. The cards of one
// suit in a locked pile leave in order from the top, so they must split
// into that many rising runs that carry on the foundations' tops: three of
// them that leave in an order that never rises (7, 5, 3 of spades), with
// two decks, never all go. This holds before the base is chosen too, when
// it fails under every base rank.
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

namespace {

// Whether a pile with this drop rule can ever take a card whose origin pile
// has the given Kind: 0 takes nothing, 113 only from the stock that
// governs it, 214 only from a stock or a waste pile, 119 never from a pile
// of Kind 5.
bool NeverTakesFrom(int rule, int originKind)
{
    switch (rule) {
    case 0: return true;
    case 113: return originKind != 0;
    case 119: return originKind == 5;
    case 214: return originKind != 0 && originKind != 1;
    default: return false;
    }
}

std::size_t FaceOf(const CardFace& face) { return static_cast<std::size_t>(face.Suit() * 14 + face.Value()); }

}  // namespace

void Solver::Search::FindLockedPiles()
{
    lockedCards_ = false;
    suitFoundations_ = 0;
    locked_.assign(piles_.size(), 0);
    // The victory must need every card on a foundation, and nothing may move
    // cards but the clicks of play: no button, no step before or after a
    // move, no redeal or reshuffle of a pile.
    const GameSettings& settings = s_.Settings;
    if (!usable_ || settings.Scoring != 0 || !buttons_.empty() || settings.Postdrop != 0 || settings.Postpick != 0 ||
        settings.Prepick != 0 || keepsGenerator_)
        return;
    // Foundations that keep their cards and build one suit up by one (106
    // wraps from the King to the Ace), from an ace (203) or from the rank
    // the first of them starts with (201 on the first, 204 on the others).
    bool first = true, aces = true, chosen = true;
    int foundations = 0;
    for (const Pile* pile : piles_) {
        if (pile->ClickAction != 0) return;
        if (pile->Kind != 3) continue;
        if (pile->PickRule != 0 || (pile->DropRule != 106 && pile->DropRule != 110)) return;
        aces = aces && pile->EmptyDropRule == 203;
        chosen = chosen && pile->EmptyDropRule == (first ? 201 : 204);
        first = false;
        ++foundations;
    }
    if (foundations == 0 || !(aces || chosen)) return;
    baseFromFirst_ = !aces;
    firstFoundation_ = 0;
    while (piles_[firstFoundation_]->Kind != 3) ++firstFoundation_;
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
    // The cards of each face (one, or two with two decks).
    for (auto& cards : byFace_) cards = {-1, -1};
    for (const Pile* pile : piles_)
        for (const Card* card : pile->Cards()) {
            auto& cards = byFace_[FaceOf(card->Face)];
            if (cards[1] >= 0) return;
            cards[cards[0] < 0 ? 0 : 1] = static_cast<std::int16_t>(card->Index());
        }
    // Whether each suit fills as many foundations as it has copies of each
    // card: full decks, four foundations to a deck.
    const int copies = byFace_[1][1] >= 0 ? 2 : 1;  // of the ace of clubs
    suitFoundations_ = foundations == 4 * copies ? copies : 0;
    for (int suit = 0; suit < 4 && suitFoundations_ > 0; ++suit)
        for (int value = 1; value <= 13; ++value) {
            const auto& cards = byFace_[static_cast<std::size_t>(suit * 14 + value)];
            if (cards[0] < 0 || (cards[1] >= 0) != (copies == 2)) suitFoundations_ = 0;
        }
    lockedCards_ = true;
}

int Solver::Search::BaseRank() const
{
    if (!baseFromFirst_) return 1;
    const Pile& foundation = *piles_[firstFoundation_];
    return foundation.Count() == 0 ? 0 : foundation.CardAt(0)->Face.Value();
}

bool Solver::Search::LockedRunsFit(int base) const
{
    // Per suit, the tops of its foundations as ranks counted from the base
    // (-1 for one not started yet, 99 for none at all).
    std::array<std::array<int, 2>, 4> tops{};
    for (auto& suit : tops) suit = {-1, suitFoundations_ == 2 ? -1 : 99};
    const auto rank = [base](const CardFace& face) { return (face.Value() - base + 13) % 13; };
    std::array<int, 4> started{};
    for (const Pile* pile : piles_) {
        if (pile->Kind != 3 || pile->Count() == 0) continue;
        const CardFace& face = pile->CardAt(pile->Count() - 1)->Face;
        int& begun = started[face.Suit()];
        if (begun < suitFoundations_) tops[face.Suit()][static_cast<std::size_t>(begun++)] = rank(face);
    }
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        if (!locked_[p]) continue;
        const Pile& pile = *piles_[p];
        std::array<std::array<int, 2>, 4> runs = tops;
        for (int i = pile.Count() - 1; i >= 0; --i) {
            const CardFace& face = pile.CardAt(i)->Face;
            const int r = rank(face);
            // It carries on the highest top below it: a lower one is kept
            // for the cards still to come (the split works if any does).
            auto& suit = runs[face.Suit()];
            int* best = nullptr;
            for (int& top : suit)
                if (top < r && (!best || top > *best)) best = &top;
            if (!best) return false;
            *best = r;
        }
    }
    return true;
}

bool Solver::Search::Deadlocked()
{
    // Before the first foundation card there is no base rank: the terrace
    // must fit under some base, and the other bound waits.
    const int base = BaseRank();
    if (base == 0) {
        if (suitFoundations_ == 0) return false;
        for (int rank = 1; rank <= 13; ++rank)
            if (LockedRunsFit(rank)) return false;
        return true;
    }
    if (suitFoundations_ > 0 && !LockedRunsFit(base)) return true;
    // Each card off the foundations waits for the card on top of it in a
    // locked pile, and (unless of the base rank) for a card one rank lower
    // of its suit; cards that can go are found from the foundations up.
    above_.fill(-1);
    below_.fill(-1);
    free_.reset();
    waitsLower_.reset();
    ready_.clear();
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        const int n = pile.Count();
        for (int i = 0; i < n; ++i) {
            const Card& card = *pile.CardAt(i);
            const auto c = static_cast<std::size_t>(card.Index());
            if (pile.Kind == 3) {
                free_.set(c);
                ready_.push_back(static_cast<std::int16_t>(c));
                continue;
            }
            if (locked_[p] && i + 1 < n) {
                above_[c] = static_cast<std::int16_t>(pile.CardAt(i + 1)->Index());
                below_[static_cast<std::size_t>(above_[c])] = static_cast<std::int16_t>(c);
            }
            if (card.Face.Value() != base) waitsLower_.set(c);
        }
    }
    auto tryFree = [this](std::int16_t card) {
        const auto c = static_cast<std::size_t>(card);
        if (free_.test(c) || waitsLower_.test(c) || (above_[c] >= 0 && !free_.test(static_cast<std::size_t>(above_[c]))))
            return;
        free_.set(c);
        ready_.push_back(card);
    };
    for (const Pile* pile : piles_)
        if (pile->Kind != 3)
            for (const Card* card : pile->Cards()) tryFree(static_cast<std::int16_t>(card->Index()));
    for (std::size_t next = 0; next < ready_.size(); ++next) {
        const auto c = static_cast<std::size_t>(ready_[next]);
        // The card under it no longer waits for it; nor do the cards one
        // rank higher of its suit wait for a lower card.
        if (below_[c] >= 0) tryFree(below_[c]);
        const CardFace& face = s_.Board.CardAt(static_cast<int>(c)).Face;
        const int higher = face.Value() == 13 ? 1 : face.Value() + 1;
        if (higher == base) continue;
        for (const std::int16_t card : byFace_[static_cast<std::size_t>(face.Suit() * 14 + higher)]) {
            if (card < 0) continue;
            waitsLower_.reset(static_cast<std::size_t>(card));
            tryFree(card);
        }
    }
    for (const Pile* pile : piles_)
        for (const Card* card : pile->Cards())
            if (!free_.test(static_cast<std::size_t>(card->Index()))) return true;
    return false;
}

}  // namespace vexa
