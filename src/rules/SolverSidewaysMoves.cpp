// Sideways moves in the row beams. Where the claim button counts runs by
// rank alone and only runs of one suit lift (SolverRowBeam.cpp), a run
// that lies on a face-up card one rank higher is in order as the claim
// counts it. Moved onto another pile where it joins no run of its suit, it
// is in order there too and lifts as before: nothing is gained unless the
// card it leaves can then join a run, by going onto a card of its suit one
// rank higher or taking a run from one of its suit one rank lower. Every
// order of such moves is a position of its own, and in a stage of a few
// thousand positions they crowd out the moves that turn cards and build
// runs of one suit.
//
// The row beams leave these moves out, except onto an empty pile: beams
// that left those out as well won one of Spider deals 1 to 50 within
// 650,000 positions. Within the same budget, the three beams without
// sideways moves won 7 of those deals (2, 11, 12, 20, 25, 28, 49) where
// they won 4 with them (2, 3, 5, 11).
//
// An ordering only: the row beams can find a win but never prove a loss,
// and the plain search after them still makes every move.
#include "rules/SolverSearch.h"

namespace vexa::solving {

void FindRunCards(const std::vector<Pile*>& piles, std::vector<RunCard>& out)
{
    out.clear();
    for (const Pile* pile : piles) {
        if (pile->Kind != 2) continue;
        for (int i = pile->Count() - 1; i >= 0; --i) {
            const CardFace& face = pile->CardAt(i)->Face;
            if (face.State() != ctFront) break;
            out.push_back({pile, &face, i == pile->Count() - 1});
            if (i > 0 && !LiftsTogether(pile->PickRule, pile->CardAt(i - 1)->Face, face)) break;
        }
    }
}

bool LeavesCardStuck(const Pile& origin, const CardFace& bottom, const std::vector<RunCard>& runs)
{
    // A card turned or a pile emptied is progress, and so is a run taken
    // off a card it was not in order on.
    if (origin.Kind != 2 || origin.Count() == 0) return false;
    const CardFace& left = origin.Top()->Face;
    if (left.State() != ctFront || bottom.Value() + 1 != left.Value()) return false;
    for (const RunCard& card : runs) {
        if (card.From == &origin) continue;
        // The card left goes onto a card of its suit one rank higher, or
        // takes a run from a card of its suit one rank lower.
        if (card.Top && LiftsTogether(card.From->PickRule, *card.Face, left)) return false;
        if (LiftsTogether(origin.PickRule, left, *card.Face)) return false;
    }
    return true;
}

}  // namespace vexa::solving
