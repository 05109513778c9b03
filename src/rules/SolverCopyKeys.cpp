// Copies keyed alike. With two decks every face lies twice on the table,
// and the two cards of one face differ only in their index: no rule code,
// step, score or button reads which deck a card came from, only its face
// (rank, suit, colour, deck value, which way up). Exchange the two copies
// of a face throughout a position and a line of play: every rule answers
// alike, so both positions allow the same moves with the same results for
// ever. They are one position to the search: each card is keyed by its
// deck value and face, through the byte table of the rank-only keys
// (SolverRankOnlyKeys.cpp), which key coarser still where no rule reads
// suits. This matters where both copies of a card go to foundations that
// either could go to (the two foundations of a suit building towards each
// other): which copy went where leaves many equal positions.
//
// Not where a pile reshuffles: the generator then deals the cards by
// index, and the position keeps its state. Only where some foundation
// gives its top card back (a PickRule other than 0), so that copies keep
// changing places between the foundations and the piles: where
// foundations keep their cards, the twin-foundation moves already play a
// card to the first of the foundations alike, and keying copies alike there
// only changed which positions the best-first search met first (Gypsy deal
// 8 was no longer won within 300,000 positions).
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindCopyKeys()
{
    copyKeys_ = false;
    if (!usable_ || rankOnly_ || keepsGenerator_ || s_.Settings.Decks < 2) return;
    bool givesBack = false;
    for (const Pile* pile : piles_) givesBack = givesBack || (pile->Kind == 3 && pile->PickRule != 0);
    if (!givesBack) return;
    for (std::size_t byte = 0; byte < rankByte_.size(); ++byte) rankByte_[byte] = static_cast<std::uint8_t>(byte);
    // Card byte (index << 1 | face down) -> deck value << 1 | face down;
    // deck values run 1 to 52, so the key byte of a card is that of its
    // copy in the first deck.
    for (const Pile* pile : piles_)
        for (const Card* card : pile->Cards())
            for (int down = 0; down < 2; ++down)
                rankByte_[static_cast<std::size_t>(card->Index() << 1 | down)] =
                    static_cast<std::uint8_t>(card->Face.Deckvalue() << 1 | down);
    copyKeys_ = true;
}

}  // namespace vexa
