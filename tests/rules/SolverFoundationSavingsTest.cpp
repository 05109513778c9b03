// The savings that read the foundations, checked against the plain search
// of every click: cards that can never reach a foundation end the search of
// a position (Strategy-like reserves, one deck and two), and foundations
// that take cards in many orders keep one position for every order (one
// rank up or down as in Black Hole, pairs as in Fourteen Out). Whatever the
// plain search can win, the solver must win, and whatever it proves lost,
// the solver must not win.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "rules/Solver.h"
#include "support/FullSearch.h"

namespace vexa {
namespace {

using test::DealingStock;
using test::Endgame;
using test::FullSearch;
using test::PileSpec;
using test::Reserve;
using test::StockFirstFoundation;
using test::Suit;
using test::Suits;

// The solver's answer and the plain search's agree; a position lost to
// locked cards is known lost before any move is searched.
void ExpectOutcome(Endgame& t, SolveOutcome outcome, const char* what)
{
    SolverBudget budget;
    budget.MaxStates = 100000;
    const SolveAnswer answer = SolvePosition(t.session, budget);
    EXPECT_EQ(answer.Outcome, outcome) << what;
    if (outcome == SolveOutcome::Lost) {
        EXPECT_EQ(answer.States, 1) << what;
    }
    FullSearch full;
    EXPECT_EQ(full.Won(t), outcome == SolveOutcome::Won) << what;
    EXPECT_FALSE(full.gaveUp) << what;
}

// Reserves that give cards only to the foundations: a cycle of cards each
// needing the next to reach a foundation first proves the hand lost at
// once, while the same cards are won where an empty reserve takes a card
// from another one, and where no cycle exists.
TEST(SolverFoundationSavings, LockedReservesProveALossAtOnce)
{
    const PileSpec OpenReserve{2, 1, 113, 201, 401, 0, {0, 120, 71, 400}};
    struct Case {
        const char* what;
        PileSpec reserve;
        const char* stock;
        std::vector<std::string> reserves;
        SolveOutcome outcome;
    };
    const std::vector<Case> cases{
        {"a cycle across two reserves", Reserve, "KS* KH", {"JH QS", "JS QH", ""}, SolveOutcome::Lost},
        {"a higher card of a suit above a lower one", Reserve, "", {"JS QS", "JH QH", "KS KH"}, SolveOutcome::Lost},
        {"no cycle", Reserve, "KS* KH", {"QS JS", "QH JH", ""}, SolveOutcome::Won},
        {"a cycle an empty reserve breaks", OpenReserve, "", {"JH QS", "JS QH", "", "KS KH"}, SolveOutcome::Won},
    };
    for (const Case& c : cases) {
        Endgame t;
        t.session.RedealsLeft = 0;
        t.Place("ST", DealingStock, c.stock);
        t.Place("F1", StockFirstFoundation, Suit('C', 1, 13));
        t.Place("F2", StockFirstFoundation, Suit('D', 1, 13));
        t.Place("F3", StockFirstFoundation, Suit('S', 1, 10));
        t.Place("F4", StockFirstFoundation, Suit('H', 1, 10));
        for (std::size_t r = 0; r < c.reserves.size(); ++r)
            t.Place("R" + std::to_string(r + 1), c.reserve, c.reserves[r]);
        ExpectOutcome(t, c.outcome, c.what);
    }
}

// With two decks a card waits for either copy of the card one rank lower:
// two pairs of spades locked crosswise are lost, while one jack free breaks
// the wait for both queens. The other suits lie complete; each deck's
// spades lie on a foundation up to the ten, the kings on a reserve.
TEST(SolverFoundationSavings, LockedReservesWithTwoDecks)
{
    const int JS = 50, QS = 51, KS = 52, Second = 52;  // a card's index; the second deck's is Second more
    struct Case {
        const char* what;
        std::vector<std::vector<int>> reserves;  // bottom card first
        SolveOutcome outcome;
    };
    const std::vector<Case> cases{
        {"each jack under the other queen", {{JS, QS + Second}, {JS + Second, QS}, {KS, KS + Second}}, SolveOutcome::Lost},
        {"one jack free", {{JS, QS + Second}, {JS + Second}, {QS}, {KS, KS + Second}}, SolveOutcome::Won},
        // Each waits only for a card that is free, but the queen and the
        // jack come off after a king and a queen have filled both
        // foundations past them.
        {"king, queen, jack leaving in turn", {{JS, QS, KS}, {JS + Second}, {QS + Second}, {KS + Second}},
            SolveOutcome::Lost},
        {"jack, queen, king leaving in turn", {{KS, QS, JS}, {JS + Second}, {QS + Second}, {KS + Second}},
            SolveOutcome::Won},
    };
    for (const Case& c : cases) {
        Endgame t;
        t.session.RedealsLeft = 0;
        t.session.Settings.Decks = 2;
        Table& board = t.session.Board;
        auto put = [&board](Pile& pile, const std::vector<int>& cards) {
            for (const int index : cards) {
                Card& card = board.CardAt(index);
                board.MoveCard(card, pile);
                card.Face.SetState(ctFront);
                card.Visible = true;
            }
            LayOutPile(pile);
        };
        t.Place("ST", DealingStock);
        for (int deck = 0; deck < 2; ++deck)
            for (int suit = 0; suit < 4; ++suit) {
                std::vector<int> cards;
                for (int rank = 1; rank <= (suit == 3 ? 10 : 13); ++rank) cards.push_back(deck * Second + suit * 13 + rank);
                put(t.Place("F" + std::to_string(deck * 4 + suit + 1), StockFirstFoundation), cards);
            }
        for (std::size_t r = 0; r < c.reserves.size(); ++r) put(t.Place("R" + std::to_string(r + 1), Reserve), c.reserves[r]);
        ExpectOutcome(t, c.outcome, c.what);
    }
}

// A terrace whose spades and hearts each leave three in an order that never
// rises, whichever base rank the foundations take, is lost before any base
// is chosen; the same cards leaving in the other order are not.
TEST(SolverFoundationSavings, ATerraceLostUnderEveryBase)
{
    using test::CardOf;
    const int S = 0, H = 1;
    // Bottom card first: the top three spades leave as 5, 5, 3 (rising only
    // from a base of 4 or 5), the hearts as 9, 9, 7 (only from 8 or 9).
    const std::vector<int> falling{
        CardOf(H, 7), CardOf(H, 9), CardOf(H, 9, 1), CardOf(S, 3), CardOf(S, 5), CardOf(S, 5, 1)};
    for (const bool reversed : {false, true}) {
        std::vector<int> terrace = falling;
        if (reversed) std::reverse(terrace.begin(), terrace.end());
        Endgame t;
        t.session.Settings.Decks = 2;
        t.session.RedealsLeft = 0;
        Pile& stock = t.Place("ST", test::TerraceStock);
        t.Place("W", test::TerraceWaste);
        for (int f = 1; f <= 8; ++f) t.Place("F" + std::to_string(f), f == 1 ? test::BaseFoundation : test::SameBaseFoundation);
        test::PlaceCards(t, t.Place("TR", test::Terrace), terrace);
        std::vector<int> rest;
        for (int index = 1; index <= 104; ++index)
            if (std::find(terrace.begin(), terrace.end(), index) == terrace.end()) rest.push_back(index);
        test::PlaceCards(t, t.Place("T1", test::TalonColumn), {rest.back()});
        rest.pop_back();
        test::PlaceCards(t, stock, rest, true);
        SolverBudget budget;
        budget.MaxStates = 2000;
        const SolveAnswer answer = SolvePosition(t.session, budget);
        if (reversed) {
            EXPECT_NE(answer.Outcome, SolveOutcome::Lost);
        } else {
            // Every first move is cut; each search in turn counts only its
            // first position.
            EXPECT_EQ(answer.Outcome, SolveOutcome::Lost);
            EXPECT_LE(answer.States, 8);
        }
    }
}

using test::CardName;

// A foundation that takes a card one rank above or below its top card
// (Black Hole, Golf) holds its cards in whatever order they came: the
// solver keys positions that differ only in the order below the top card
// alike. Random endgames: a chain of cards each one rank from the last,
// laid on four piles so that it can be played off (sometimes two of its
// cards swapped, or a card from outside it laid under it, which may lose
// the hand), sometimes a stock whose cards go
// straight onto the foundation, and the rest on the foundation in a random
// order under the card the chain starts from.
TEST(SolverFoundationSavings, AgreesOnRandomEndgamesWithAFoundationInAnyOrder)
{
    const PileSpec UpOrDown{3, 0, 117, 0, 402, 2};
    const PileSpec Heap{2, 1, 0, 0, 401, 0, {0, 120, 71, 400}};
    const PileSpec ToFoundation{0, 94, 0, 0, 402, 2, {0, 0, 71, 96}};
    test::Agreement sample(80);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 3000);
        std::vector<int> unused(52);
        for (int card = 0; card < 52; ++card) unused[static_cast<std::size_t>(card)] = card;
        std::shuffle(unused.begin(), unused.end(), random);
        const int top = unused.back();
        unused.pop_back();
        // The chain, while a card of a neighbouring rank is left.
        std::vector<int> chain;
        for (int at = top; chain.size() < 11 + seed % 3;) {
            const int rank = (at % 13 + (random() % 2 ? 1 : 12)) % 13;
            const auto next = std::find_if(unused.begin(), unused.end(), [rank](int card) { return card % 13 == rank; });
            if (next == unused.end()) break;
            at = *next;
            chain.push_back(at);
            unused.erase(next);
        }
        if (seed % 3 == 0) std::swap(chain[random() % chain.size()], chain[random() % chain.size()]);
        const std::size_t inStock = seed % 2 == 0 ? 2 : 0;
        std::string stock;
        for (std::size_t i = 0; i < inStock; ++i) stock += (stock.empty() ? "" : " ") + CardName(chain[i]) + "*";
        std::vector<std::string> heaps(4);
        // Sometimes a card from outside the chain at the bottom of a heap.
        if (seed % 4 == 1) {
            heaps[random() % 4] = CardName(unused.back());
            unused.pop_back();
        }
        for (std::size_t i = chain.size(); i-- > inStock;) {
            std::string& heap = heaps[random() % 4];
            heap += (heap.empty() ? "" : " ") + CardName(chain[i]);
        }
        std::string foundation;
        for (const int card : unused) foundation += CardName(card) + " ";
        foundation += CardName(top);
        Endgame t;
        t.session.RedealsLeft = 0;
        if (!stock.empty()) t.Place("ST", ToFoundation, stock);
        t.Place("F", UpOrDown, foundation);
        for (std::size_t h = 0; h < heaps.size(); ++h) t.Place("H" + std::to_string(h + 1), Heap, heaps[h]);
        sample.Compare(t, seed);
    }
    sample.ExpectMix(60, 10, 10);
}

// Pairs that add up to 14 leave the heaps for a foundation that takes no
// drop (Fourteen Out): the pairs pile up on it in the order they were made,
// which the solver keys alike. Random endgames: five such pairs dealt at
// random onto five heaps, the other cards on the foundation.
TEST(SolverFoundationSavings, AgreesOnRandomEndgamesWithPairsRemoved)
{
    const PileSpec Discards{3, 0, 0, 0, 402, 2};
    const PileSpec PairHeap{2, 1, 118, 0, 401, 0, {0, 120, 71, 400}};
    test::Agreement sample(60);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 4000);
        std::vector<int> unused(52);
        for (int card = 0; card < 52; ++card) unused[static_cast<std::size_t>(card)] = card;
        std::shuffle(unused.begin(), unused.end(), random);
        std::vector<int> dealt;
        while (dealt.size() < 10) {
            const int rank = static_cast<int>(random() % 13);  // 0 for an ace
            const auto first = std::find_if(unused.begin(), unused.end(), [rank](int c) { return c % 13 == rank; });
            if (first == unused.end()) continue;
            const int card = *first;
            unused.erase(first);
            const auto second =
                std::find_if(unused.begin(), unused.end(), [rank](int c) { return c % 13 == 12 - rank; });
            if (second == unused.end()) {
                unused.push_back(card);
                continue;
            }
            dealt.push_back(card);
            dealt.push_back(*second);
            unused.erase(second);
        }
        std::shuffle(dealt.begin(), dealt.end(), random);
        std::vector<std::string> heaps(5);
        for (const int card : dealt) {
            std::string& heap = heaps[random() % 5];
            heap += (heap.empty() ? "" : " ") + CardName(card);
        }
        std::string discards;
        for (const int card : unused) discards += (discards.empty() ? "" : " ") + CardName(card);
        Endgame t;
        t.session.Settings.Postdrop = 14;
        t.Place("F", Discards, discards);
        for (std::size_t h = 0; h < heaps.size(); ++h) t.Place("H" + std::to_string(h + 1), PairHeap, heaps[h]);
        sample.Compare(t, seed);
    }
    sample.ExpectMix(50, 10, 10);
}

}  // namespace
}  // namespace vexa
