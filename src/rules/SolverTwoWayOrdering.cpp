// Foundations built either way. Where every foundation builds in suit from
// its base card, up from an ace or down from a king (DropRule 123), a suit
// has two ends to play to, and a card's face value says little about how
// soon the foundations want it: the ten of a suit whose king foundation
// stands at the jack goes next, its three long after. The ordering then
// counts ranks as steps: how many cards of the suit must go before this
// one, to the nearer of the two ends (the next card up from the suit's
// ace-based foundation, or from the ace where it has none; down likewise
// from the king). A card blocks a card of its suit under it that is fewer
// steps away, a card lies in order on one a step further, and the card of
// each suit that is wanted first is the one fewest steps away. An
// ordering only: it chooses which position is searched next, never which
// moves are made, so every answer stays sound.
#include "rules/SolverSearch.h"

#include <algorithm>

namespace vexa {

using namespace solving;

void Solver::Search::FindTwoWayOrdering()
{
    twoWay_ = false;
    if (!usable_) return;
    bool any = false;
    for (const Pile* pile : piles_) {
        if (pile->Kind != 3) continue;
        if (pile->DropRule != 123) return;
        any = true;
    }
    twoWay_ = any;
}

Solver::Search::TwoWayEnds Solver::Search::TwoWayNext() const
{
    TwoWayEnds ends;
    ends.Up.fill(1);
    ends.Down.fill(13);
    for (const Pile* pile : piles_) {
        if (pile->Kind != 3 || pile->Count() == 0) continue;
        const CardFace& bottom = pile->CardAt(0)->Face;
        const CardFace& top = pile->Top()->Face;
        const auto suit = static_cast<std::size_t>(bottom.Suit());
        if (bottom.Value() == 1) ends.Up[suit] = std::max(ends.Up[suit], top.Value() + 1);
        if (bottom.Value() == 13) ends.Down[suit] = std::min(ends.Down[suit], top.Value() - 1);
    }
    return ends;
}

int Solver::Search::TwoWaySteps(const TwoWayEnds& ends, const CardFace& face)
{
    const auto suit = static_cast<std::size_t>(face.Suit());
    const int rank = face.Value();
    int steps = 14;
    if (rank >= ends.Up[suit]) steps = rank - ends.Up[suit];
    if (rank <= ends.Down[suit]) steps = std::min(steps, ends.Down[suit] - rank);
    return steps + 1;
}

}  // namespace vexa
