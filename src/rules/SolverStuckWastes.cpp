// Stuck wastes: a bound that proves a position lost. Where every
// foundation is built up by one from the ace regardless of suit (DropRule
// 101 or 115 over EmptyDropRule 203, keeping its cards), a foundation holds
// the ace to its height, so the number of foundations that have reached a
// rank is the number of cards of that rank on them. A card of rank r goes
// up only onto a foundation standing at r - 1, that is while more
// foundations have reached r - 1 than have reached r: the card of rank r
// that goes up next needs more cards of rank r - 1 up than there are
// cards of rank r up now.
//
// The wastes the stock feeds (they take only what the stock deals: DropRule
// 113, EmptyDropRule 213) give their top card alone, and only to the
// foundations. A card lying on such a waste goes up after every card above
// it, and the cards of rank r - 1 that went up before it are on the
// foundations now or went up from elsewhere: never from under it. Every
// other card (the stock's) is taken as free to go whenever its rank may,
// which only lets more cards go.
//
// The cards that may ever go up are then found as the least set that
// holds: a card joins when every card above it on its waste has joined and
// the cards of the rank below that are up or have joined outnumber the
// cards of its own rank up now. Every card of a winning line joins in the
// order the line plays them, so where the victory needs every card on the
// foundations (Scoring 0) and some card never joins, the position is lost
// and is not searched.
#include "rules/SolverSearch.h"

namespace vexa {

using namespace solving;

void Solver::Search::FindStuckWastes()
{
    stuckWastes_ = false;
    const GameSettings& settings = s_.Settings;
    if (!usable_ || settings.Scoring != 0 || !buttons_.empty()) return;
    if (settings.Prepick != 0 || settings.Postpick != 0 || settings.Postdrop != 0) return;
    stuckWaste_.assign(piles_.size(), 0);
    const Table& board = s_.Board;
    bool anyWaste = false;
    int foundations = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.ClickAction != 0) return;
        if (pile.Kind == 3) {
            if (pile.PickRule != 0 || (pile.DropRule != 101 && pile.DropRule != 115) || pile.EmptyDropRule != 203)
                return;
            ++foundations;
            continue;
        }
        // A pile that takes nothing gives its cards freely to the bound.
        if (pile.DropRule == 0 && pile.EmptyDropRule == 0) continue;
        // A waste the stock alone feeds, which gives its top card alone.
        if (pile.Kind == 0 || pile.PickRule != 1 || (pile.DropRule != 113 && pile.DropRule != 0) ||
            (pile.EmptyDropRule != 213 && pile.EmptyDropRule != 0))
            return;
        stuckWaste_[p] = 1;
        anyWaste = true;
    }
    if (!anyWaste || foundations == 0) return;
    // EmptyDropRule 213 also takes a card from the control just before the
    // pile: that must be no pile that gives cards other than a stock's.
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        if (!stuckWaste_[p] || piles_[p]->EmptyDropRule != 213 || pilePositions_[p] == 0) continue;
        const Pile* before = board.PileAt(pilePositions_[p] - 1);
        if (before && before->Kind != 0 && before->PickRule != 0) return;
    }
    stuckWastes_ = true;
}

bool Solver::Search::WastesStuck()
{
    // Cards up per rank (1 to 13; 0 stands for the empty foundations, each
    // counted as standing at 0), and the cards that have joined.
    std::array<int, 14> up{};
    std::array<int, 14> joined{};
    int off = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind != 3) continue;
        ++up[0];
        // Anything but the ace to its height: the bound does not apply.
        for (int i = 0; i < pile.Count(); ++i) {
            if (pile.CardAt(i)->Face.Value() != i + 1) return false;
            ++up[static_cast<std::size_t>(i + 1)];
        }
    }
    const auto mayGo = [&](int rank) {
        const auto r = static_cast<std::size_t>(rank);
        return up[r - 1] + joined[r - 1] > up[r];
    };
    // Per waste: how many of its cards from the top have joined; the free
    // cards not yet joined, by rank.
    std::array<int, 14> freeLeft{};
    std::array<int, 128> depth{};
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.Kind == 3) continue;
        off += pile.Count();
        if (!stuckWaste_[p])
            for (const Card* card : pile.Cards()) ++freeLeft[static_cast<std::size_t>(card->Face.Value())];
    }
    int joinedCount = 0;
    for (bool grew = true; grew && joinedCount < off;) {
        grew = false;
        for (int rank = 1; rank <= 13; ++rank) {
            const auto r = static_cast<std::size_t>(rank);
            while (freeLeft[r] > 0 && mayGo(rank)) {
                --freeLeft[r];
                ++joined[r];
                ++joinedCount;
                grew = true;
            }
        }
        for (std::size_t p = 0; p < piles_.size(); ++p) {
            if (!stuckWaste_[p]) continue;
            const Pile& pile = *piles_[p];
            int& done = depth[p];
            while (done < pile.Count()) {
                const int rank = pile.CardAt(pile.Count() - 1 - done)->Face.Value();
                if (!mayGo(rank)) break;
                ++joined[static_cast<std::size_t>(rank)];
                ++joinedCount;
                ++done;
                grew = true;
            }
        }
    }
    return joinedCount < off;
}

}  // namespace vexa
