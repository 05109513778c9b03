// Noisy dives. Where the stock is dealt once, the short deep searches made
// before the plain one (SolverOrdering.cpp) follow their score greedily: a
// line that goes wrong early is followed to its end, and the rest of the
// search's share is spent on the last moves of a hand that was lost many
// moves before. With two decks and safe foundation moves (cards built
// towards foundations that take one card at a time), more dives are made,
// each with a smaller share, and each adds to every position's score a few
// points of its own, drawn from the position's key with a salt that differs
// from dive to dive: where the score cannot tell two lines apart, each dive
// tries another. On deals 11 to 50 of the two such bundled games, within
// 100,000 positions, this won 16 and 12 deals where the short searches
// alone won 5 and 9 (the dives were chosen on deals 11 to 30: there 5 and 4
// against 2 and 2). They are made too where the safe moves do not apply
// but the locked-card bound does (SolverLockedCards.cpp): there every
// foundation builds one suit up by one, one card at a time, from the ace
// or from the base rank the first foundation card sets, and the victory
// needs every card on them. The base read by the other foundations
// (EmptyDropRule 204) keeps the safe moves off, yet a hand is the same long
// line of cards built towards the foundations. Orderings only choose which
// position comes next: a win is still a line of legal moves and a loss is
// still claimed only by a search that ran out of positions. The noise
// depends on the position alone, so the same position and budget give the
// same answer on every machine.
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindNoisyDives()
{
    // Only where the short deep searches are made at all, and where every
    // foundation takes one card at a time: cards built towards them by the
    // safe moves' rules, or foundations built one suit up by one under the
    // locked-card bound.
    if (orderings_.size() < 2 || !(safeMoves_ || lockedCards_) || s_.Settings.Decks < 2) return;
    for (const Pile* pile : piles_)
        if (pile->Kind == 3 && !IsOneOf(pile->DropRule, SingleCardDropRules)) return;
    constexpr int Dives = 16;
    constexpr int Noise = 150;
    std::vector<Ordering> orderings(orderings_.begin(), orderings_.end() - 1);
    for (int dive = 0; dive < Dives; ++dive) {
        Ordering noisy{true, 20, 0, 20, 1};
        noisy.Noise = Noise;
        noisy.Salt = 0x9e3779b97f4a7c15ull * static_cast<std::uint64_t>(dive + 1);
        orderings.push_back(noisy);
    }
    orderings.push_back(orderings_.back());
    orderings_ = std::move(orderings);
    ordering_ = orderings_.front();
}

}  // namespace vexa
