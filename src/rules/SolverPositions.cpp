// The position store: a position taken from the scratch table as bytes, put
// back onto it, and keyed for the table of positions seen.
//
// Foundation order. A foundation that never gives a card back (PickRule 0,
// no ClickAction) is read by the rules only through its top card (every
// DropRule), its bottom card (EmptyDropRules 204, 212, 215, 216 to 218 and
// DropRule 123), its count (the score, the claim button, the 13-card
// limits) and the ranks it holds (DropRule 121); scoring scheme 5 reads
// the peaks and the stock. The cards between its bottom and top card are
// then only a set: two positions that differ only in their order allow the
// same moves, with the same results, for ever. They are keyed alike. Not
// where scoring scheme 4 reads the foundations' places, nor where Postdrop
// 13 or 14 would take the two top cards of a foundation that takes a drop
// (one that takes none only gets cards put on top).
#include "rules/SolverSearch.h"

#include <algorithm>
#include <cstring>

#include "table/PileLayout.h"

namespace vexa {

using namespace solving;

std::pair<std::size_t, std::size_t> Solver::Search::PileBytes(const State& state, std::size_t pile)
{
    std::size_t at = 0;
    for (std::size_t p = 0; p < pile; ++p) at += 1 + (state[at] & ~ShownFlag);
    return {at, 1 + static_cast<std::size_t>(state[at] & ~ShownFlag)};
}

void Solver::Search::Synced()
{
    syncedChanges_.resize(piles_.size());
    for (std::size_t p = 0; p < piles_.size(); ++p) syncedChanges_[p] = piles_[p]->Changes;
    syncedTurns_ = CardFace::Turns();
}

void Solver::Search::Capture(State& out) const
{
    // A move changes a pile or two: where no card was turned since current_
    // was taken, the piles no card left or joined since are copied from it,
    // and only the others are read card by card (reading every card of the
    // table was a third of the search's time in Spider).
    const bool copy = &out != &current_ && syncedTurns_ == CardFace::Turns();
    std::size_t size = piles_.size() + CounterBytes + (keepsGenerator_ ? 4 : 0);
    for (const Pile* pile : piles_) size += static_cast<std::size_t>(pile->Count());
    out.resize(size);
    std::uint8_t* at = out.data();
    // Unchanged piles next to each other are copied in one piece.
    std::size_t from = 0, run = 0;
    const auto flush = [&] {
        std::memcpy(at, &current_[from - run], run);
        at += run;
        run = 0;
    };
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile* pile = piles_[p];
        const auto head = static_cast<std::uint8_t>(pile->Count() | (pile->Visible ? ShownFlag : 0));
        if (copy && current_[from] == head && pile->Changes == syncedChanges_[p]) {
            const std::size_t length = 1 + static_cast<std::size_t>(pile->Count());
            from += length;
            run += length;
            continue;
        }
        if (run > 0) flush();
        *at++ = head;
        for (const Card* card : pile->Cards()) *at++ = CardByte(*card);
        if (copy) from += 1 + (current_[from] & ~ShownFlag);
    }
    if (run > 0) flush();
    auto put = [&at](std::int32_t value) {
        std::memcpy(at, &value, 4);
        at += 4;
    };
    if (keepsGenerator_) put(static_cast<std::int32_t>(s_.Rng.State()));
    put(s_.OneTimeMove);
    put(s_.RedealsLeft);
}

void Solver::Search::Restore(const std::uint8_t* state, std::size_t length)
{
    Table& board = s_.Board;
    Pile& drag = board.DragPile();
    // Carried cards stay in the DragPile until their pile takes them back.
    s_.Carrying = false;
    s_.OriginPile = nullptr;
    // A lift or a refused move may have changed the table since the last
    // capture: compare with what it holds now.
    if (touched_) Capture(current_);

    // Piles whose bytes differ: cut down to the cards they keep first, then
    // filled, so that a card that changed piles is free when its new pile
    // takes it.
    auto& changed = changed_;  // pile, offset in state, cards kept
    changed.clear();
    std::size_t a = 0, b = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const std::size_t na = 1 + (current_[a] & ~ShownFlag);
        const std::size_t nb = 1 + (state[b] & ~ShownFlag);
        if (na != nb || std::memcmp(&current_[a], state + b, na) != 0) {
            std::size_t kept = 0;
            while (kept + 1 < na && kept + 1 < nb && current_[a + 1 + kept] == state[b + 1 + kept]) ++kept;
            changed.push_back({p, b, kept});
        }
        a += na;
        b += nb;
    }
    // The DragPile holds the cards meanwhile: it is short, so taking a card
    // out of it again is quick.
    for (const auto& [p, offset, kept] : changed) {
        Pile& pile = *piles_[p];
        while (pile.Count() > static_cast<int>(kept)) board.MoveCard(*pile.Top(), drag);
    }
    for (const auto& [p, offset, kept] : changed) {
        Pile& pile = *piles_[p];
        const int count = state[offset] & ~ShownFlag;
        pile.Visible = (state[offset] & ShownFlag) != 0;
        for (int i = static_cast<int>(kept); i < count; ++i) {
            const std::uint8_t byte = state[offset + 1 + static_cast<std::size_t>(i)];
            Card& card = board.CardAt(byte >> 1);
            card.Face.SetState(byte & 1 ? ctBack : ctFront);
            board.MoveCard(card, pile);
        }
        LayOutPile(pile);
    }
    while (drag.Count() > 0) board.MoveCard(*drag.Top(), board.Store());
    if (keepsGenerator_) s_.Rng.Seed(static_cast<std::uint32_t>(GetInt(state + b)));
    s_.OneTimeMove = GetInt(state + length - CounterBytes);
    s_.RedealsLeft = GetInt(state + length - 4);
    s_.Journal.UndoSteps.clear();
    current_.assign(state, state + length);
    touched_ = false;
    Synced();
}

void Solver::Search::FindOrderFreeFoundations()
{
    orderFree_.assign(piles_.size(), 0);
    anyOrderFree_ = false;
    const GameSettings& settings = s_.Settings;
    if (!usable_ || settings.Scoring == 4) return;
    // Postdrop 13 and 14 read the two top cards of a pile that took a drop.
    const bool pairsOnTarget = settings.Postdrop == 13 || settings.Postdrop == 14;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const Pile& pile = *piles_[p];
        orderFree_[p] = pile.Kind == 3 && pile.PickRule == 0 && pile.ClickAction == 0 &&
                        (!pairsOnTarget || (pile.DropRule == 0 && pile.EmptyDropRule == 0));
        anyOrderFree_ = anyOrderFree_ || orderFree_[p];
    }
}

std::uint64_t Solver::Search::KeyHash(const State& position)
{
    // With dominating redeals the count of redeals left is no part of the key.
    const std::size_t length = position.size() - (redealsDominate_ ? 4 : 0);
    // A position on a stock cycle: its talon piles give way to the cycle's
    // fixed member.
    Cycle cycle;
    if (cycles_) cycle = CycleOf(position);
    // Where no rule reads suits, the cards are keyed by rank and face; the
    // copies of a face in two decks, by its deck value and face.
    const State& state = rankOnly_ || copyKeys_ ? RankOnly(position) : position;
    const bool merged = cycle.Length > 1;
    if (!symmetric_ && !merged && !anyOrderFree_) return HashBytes(state.data(), length);
    if (!symmetric_ && !merged) return OrderFreeHash(state, length);
    segments_.clear();
    std::size_t at = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const std::size_t n = 1 + (state[at] & ~ShownFlag);
        segments_.emplace_back(at, n);
        at += n;
    }
    // Within each group the piles' contents are put in one fixed order.
    auto less = [&state](const std::pair<std::size_t, std::size_t>& x, const std::pair<std::size_t, std::size_t>& y) {
        return std::lexicographical_compare(state.begin() + static_cast<std::ptrdiff_t>(x.first),
                                            state.begin() + static_cast<std::ptrdiff_t>(x.first + x.second),
                                            state.begin() + static_cast<std::ptrdiff_t>(y.first),
                                            state.begin() + static_cast<std::ptrdiff_t>(y.first + y.second));
    };
    // The canonical bytes are fed to the hash as they are found, pile by
    // pile (the hash reads bytes in turn, so this is the hash of them put
    // together).
    std::uint64_t h = HashStart;
    // Per group, the members' segments in order and the next one to write;
    // kept from call to call so that no call allocates.
    auto& next = groupNext_;
    auto& sorted = groupSorted_;
    next.assign(next.size(), 0);
    for (auto& members : sorted) members.clear();
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        const int g = group_[p];
        if (merged && talon_[p]) continue;
        if (g < 0) {
            h = FeedPile(h, state, p, segments_[p].first);
            continue;
        }
        const auto gi = static_cast<std::size_t>(g);
        if (sorted.size() <= gi) {
            sorted.resize(gi + 1);
            next.resize(gi + 1, 0);
        }
        if (sorted[gi].empty()) {
            for (std::size_t q = p; q < piles_.size(); ++q)
                if (group_[q] == g) sorted[gi].push_back(segments_[q]);
            std::sort(sorted[gi].begin(), sorted[gi].end(), less);
        }
        const auto& segment = sorted[gi][next[gi]++];
        h = HashFeed(h, state.data() + segment.first, segment.second);
    }
    h = HashFeed(h, state.data() + at, length - at);
    if (merged) {
        std::uint8_t bytes[8];
        std::memcpy(bytes, &cycle.Canonical, 8);
        h = HashFeed(h, bytes, 8);
    }
    return HashFinish(h);
}

std::uint64_t Solver::Search::OrderFreeHash(const State& state, std::size_t length)
{
    // The bytes as they stand, but for the cards between the bottom and top
    // card of an order-free foundation, fed sorted: the same hash as the
    // canonical bytes KeyHash builds, without building them.
    std::uint64_t h = HashStart;
    std::size_t at = 0;
    for (std::size_t p = 0; p < piles_.size(); ++p) {
        h = FeedPile(h, state, p, at);
        at += 1 + (state[at] & ~ShownFlag);
    }
    return HashFinish(HashFeed(h, state.data() + at, length - at));
}

std::uint64_t Solver::Search::FeedPile(std::uint64_t h, const State& state, std::size_t pile, std::size_t at)
{
    const std::size_t n = 1 + (state[at] & ~ShownFlag);
    if (!orderFree_[pile] || n <= 4) return HashFeed(h, state.data() + at, n);
    // The count, the bottom card, the cards between (sorted), the top card.
    h = HashFeed(h, state.data() + at, 2);
    std::uint8_t* between = sortBuffer_.data();
    std::copy(state.begin() + static_cast<std::ptrdiff_t>(at + 2), state.begin() + static_cast<std::ptrdiff_t>(at + n - 1),
              between);
    std::sort(between, between + (n - 3));
    h = HashFeed(h, between, n - 3);
    return HashFeed(h, state.data() + at + n - 1, 1);
}

}  // namespace vexa
