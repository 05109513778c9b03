// Parked cards: a bound that proves a position lost. Where every foundation
// builds in suit from its base card, up from an ace or down from a king
// (DropRule 123, EmptyDropRules 216 and 217), and no other pile takes a
// card on a card (DropRule 0), a card goes to an ace-based foundation only
// onto the whole run of its suit from the ace to the rank below it, and to
// a king-based one only onto the run from the king to the rank above it.
// Take a card X of rank r in a pile whose cards leave one at a time from the
// top (PickRule 1); u is the top rank of its suit's ace-based foundation (0
// without one), d that of its king-based one (14 without one). If every
// copy of some rank between u and r lies under X in that pile, no copy of
// it can reach the ace-based foundation before X leaves the pile, and X
// cannot go up; likewise down for a rank between r and d. Nor can X go up
// while that foundation holds its face (r <= u): it could only take the
// place of the copy there, which would then wait instead (no slide takes
// that copy down, which needs the king-based foundation at r + 1, past the
// rank X waits for there); likewise down for r >= d. So a card of X's face
// leaves the pile only for an empty pile that takes cards (a place), and
// some card of that face stays off the foundations until the pile is dug
// down to the shallowest copy of each rank it waits for in one direction:
// the later of the two depths. Cards put on top of the pile (the stock
// deals on top only) change none of this, nor do the foundations' own
// moves, which never pass a rank whose copies all lie in the pile.
//
// So when a card Y of that kind leaves, for every card X of that kind above
// it whose depth is at or below Y a card of X's face is still off the
// foundations in a place of its own, and so is a card alone in a place
// that waits so for the pile. So is a card still in the stock that waits so
// for the waste the stock deals onto (Postdrop 20 refills an emptied place
// at once while the stock holds a card, so a place opens only once it is
// gone): dealt onto that waste, it lies above Y, which it must leave
// first; dealt into a place, it keeps it. Where, in some pile, these and
// Y are more than the piles that take a card while empty (each holds one,
// as it takes nothing on a card), a card there never leaves it: where the
// victory needs every card on a foundation the position is lost, whatever
// the stock still holds, and it is not searched.
#include "rules/SolverSearch.h"

#include <algorithm>

namespace vexa {

using namespace solving;

namespace {

std::size_t FaceIndex(const CardFace& face) { return static_cast<std::size_t>(face.Suit() * 14 + face.Value()); }

}  // namespace

void Solver::Search::FindParkedCards()
{
    parkedCards_ = false;
    const GameSettings& settings = s_.Settings;
    // Only the clicks of play move cards, and a Postdrop that refills an
    // emptied tableau pile from the stock; the victory needs every card on
    // a foundation.
    if (!usable_ || settings.Scoring != 0 || !buttons_.empty() || settings.Prepick != 0 || settings.Postpick != 0 ||
        (settings.Postdrop != 0 && settings.Postdrop != 20) || keepsGenerator_)
        return;
    parkStack_.assign(piles_.size(), 0);
    parkPlaces_ = 0;
    parkStock_ = parkWaste_ = -1;
    bool foundations = false, stacks = false;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        if (pile.ClickAction != 0) return;
        if (pile.Kind == 3) {
            if (pile.DropRule != 123 || (pile.EmptyDropRule != 216 && pile.EmptyDropRule != 217)) return;
            foundations = true;
            continue;
        }
        if (pile.DropRule != 0) return;
        // A stock that deals its top card onto a waste; every other pile
        // gives its top card alone.
        if (pile.PickRule == 90 && pile.Kind == 0) {
            if (pile.EmptyDropRule != 0) return;
            parkStock_ = static_cast<int>(p);
            continue;
        }
        if (pile.PickRule != 1) return;
        parkStack_[p] = 1;
        stacks = true;
        if (pile.EmptyDropRule != 0) ++parkPlaces_;
    }
    if (!foundations || !stacks) return;
    // The waste such a stock deals onto: the first pile of Kind 1.
    for (std::size_t p = 0; p < piles_.size() && parkStock_ >= 0 && parkWaste_ < 0; ++p)
        if (piles_[p]->Kind == 1) parkWaste_ = static_cast<int>(p);
    faceCopies_.fill(0);
    for (const Pile* pile : piles_)
        for (const Card* card : pile->Cards()) ++faceCopies_[FaceIndex(card->Face)];
    parkedCards_ = true;
}

bool Solver::Search::TooManyParked()
{
    // The tops of each suit's foundations: the highest rank on one built up
    // from the ace, the lowest on one built down from the king.
    std::array<int, 4> up{0, 0, 0, 0}, down{14, 14, 14, 14};
    for (const Pile* pile : piles_) {
        if (pile->Kind != 3 || pile->Count() == 0) continue;
        const CardFace& base = pile->CardAt(0)->Face;
        const auto suit = static_cast<std::size_t>(base.Suit());
        if (base.Value() == 1) up[suit] = std::max(up[suit], pile->Top()->Face.Value());
        if (base.Value() == 13) down[suit] = std::min(down[suit], pile->Top()->Face.Value());
    }
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        const int n = pile.Count();
        if (!parkStack_[p] || n < 2) continue;
        // Per face: its copies in the pile and the highest place of one.
        std::array<std::int8_t, 56> copies{};
        std::array<std::int16_t, 56> highest{};
        for (int i = 0; i < n; ++i) {
            const std::size_t face = FaceIndex(pile.CardAt(i)->Face);
            ++copies[face];
            highest[face] = static_cast<std::int16_t>(i);
        }
        // Per card: the depth the pile must be dug to before it can go to a
        // foundation, where every copy of a rank it waits for lies under
        // it in both directions; -1 for the others.
        std::array<std::int16_t, 128> release{};
        bool any = false;
        const auto releaseOf = [&](const CardFace& face, int i) {
            const int suit = face.Suit();
            const int rank = face.Value();
            // The shallowest of the ranks between from and to (exclusive)
            // whose copies all lie under the card; -1 for none.
            const auto waitsFor = [&](int from, int to) {
                int depth = -1;
                for (int k = from + 1; k < to; ++k) {
                    const auto f = static_cast<std::size_t>(suit * 14 + k);
                    if (copies[f] == faceCopies_[f] && highest[f] < i) depth = depth < 0 ? highest[f] : std::min<int>(depth, highest[f]);
                }
                return depth;
            };
            // A face one foundation holds already never goes there (Never).
            constexpr int Never = -2;
            const int u = up[static_cast<std::size_t>(suit)], d = down[static_cast<std::size_t>(suit)];
            const int upDepth = rank <= u ? Never : waitsFor(u, rank);
            if (upDepth == -1) return -1;
            const int downDepth = rank >= d ? Never : waitsFor(rank, d);
            if (downDepth == -1 || (upDepth == Never && downDepth == Never)) return -1;
            return std::max(upDepth, downDepth);
        };
        for (int i = 0; i < n; ++i) {
            release[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(releaseOf(pile.CardAt(i)->Face, i));
            any = any || release[static_cast<std::size_t>(i)] >= 0;
        }
        if (!any) continue;
        // A card alone in a place that waits so for this pile keeps the
        // place until the pile is dug down as far.
        std::vector<int>& held = parkHeld_;
        held.clear();
        for (std::size_t q = 0; q < piles_.size(); ++q) {
            const Pile& place = *piles_[q];
            if (q == p || place.Kind == 3 || place.EmptyDropRule == 0 || place.Count() != 1) continue;
            const int depth = releaseOf(place.Top()->Face, n);
            if (depth >= 0) held.push_back(depth);
        }
        // A stock card that waits so for the waste the stock deals onto
        // stays off the foundations until the stock is gone (a place opens
        // only then), and lies then in a place or above the card leaving,
        // which it must leave for a place first.
        if (static_cast<int>(p) == parkWaste_)
            for (const Card* card : piles_[static_cast<std::size_t>(parkStock_)]->Cards()) {
                const int depth = releaseOf(card->Face, n);
                if (depth >= 0) held.push_back(depth);
            }
        for (int j = 0; j < n; ++j) {
            if (release[static_cast<std::size_t>(j)] < 0) continue;
            int parked = 1;
            for (const int depth : held)
                if (depth <= j) ++parked;
            for (int i = j + 1; i < n; ++i) {
                const int depth = release[static_cast<std::size_t>(i)];
                if (depth >= 0 && depth <= j) ++parked;
            }
            if (parked > parkPlaces_) return true;
        }
    }
    return false;
}

}  // namespace vexa
