// Two decks whose suits are built up from the ace on one foundation and down
// from the king on another, with foundation tops that move between them and
// into empty tableau places: the solver keys the two copies of a face alike
// and takes foundations of the same rules as interchangeable. These tests
// compare it with the plain search of every click on small endgames of
// that shape (a stock dealt once onto a waste, two reserves, tableau places
// refilled from the stock: two here, where the game has four), with suits
// nearly done and with a suit half done, whose foundations meet and may
// pass cards back and forth or stand empty; and on endgames of reserves
// alone where the copies of a card may go to either foundation.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "rules/Solver.h"
#include "support/FullSearch.h"

namespace vexa {
namespace {

using test::AceFoundation;
using test::Endgame;
using test::KingFoundation;
using test::PileSpec;
using test::Place;

const PileSpec OnceStock{0, 90, 0, 0, 402, 2, {0, 0, 71, 96}};
const PileSpec Waste{1, 1, 0, 0, 402, 2};
const PileSpec Reserve{1, 1, 0, 0, 402, 2};

void Put(Endgame& t, Pile& pile, const std::vector<int>& cards, bool topOnlyUp)
{
    Table& board = t.session.Board;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        Card& card = board.CardAt(cards[i]);
        board.MoveCard(card, pile);
        card.Face.SetState(topOnlyUp && i + 1 < cards.size() ? ctBack : ctFront);
        card.Visible = true;
    }
    LayOutPile(pile);
}

struct Shape {
    const char* what;
    bool halfSuit;  // one suit's foundations meet halfway, the others are done
    bool autoplay;
    int minWon, minLost;  // of 30 endgames
};

// Each suit's ace foundation holds one deck's cards from the ace up, its
// king foundation the other deck's from the king down; the suits stand on
// the foundations in a random order. Nearly done: each suit lacks a few
// cards at both ends (or none). Half a suit: one suit's foundations meet
// at a random rank (either may be empty), the others are complete. The
// cards left go to the tableau places first (the stock holds cards only
// while every place is filled), then the stock, the waste and the reserves.
void Deal(Endgame& t, const Shape& shape, std::mt19937& random)
{
    Session& s = t.session;
    s.Settings.Decks = 2;
    s.Settings.Postdrop = 20;
    s.Settings.Autoplay = shape.autoplay;
    s.Menu.Autoplay = shape.autoplay;
    s.RedealsLeft = 0;
    std::vector<std::vector<int>> aces(4), kings(4);
    std::vector<int> rest;
    const int half = static_cast<int>(random() % 4);
    int halfUp = 0, halfDeck = 0;
    for (int suit = 0; suit < 4; ++suit) {
        const int deck = static_cast<int>(random() % 2);
        int up = 13, down = 1;  // the ace foundation's top rank, the king foundation's
        if (shape.halfSuit && suit == half) {
            up = static_cast<int>(random() % 14);
            down = up + 1;
            halfUp = up;
            halfDeck = deck;
        } else if (!shape.halfSuit && random() % 4 != 0) {
            up = 9 + static_cast<int>(random() % 5);
            down = 1 + static_cast<int>(random() % 5);
        }
        for (int rank = 1; rank <= 13; ++rank) {
            (rank <= up ? aces[static_cast<std::size_t>(suit)] : rest).push_back(test::CardOf(suit, rank, deck));
            (rank >= down ? kings[static_cast<std::size_t>(suit)] : rest).push_back(test::CardOf(suit, rank, 1 - deck));
        }
        std::reverse(kings[static_cast<std::size_t>(suit)].begin(), kings[static_cast<std::size_t>(suit)].end());
    }
    std::shuffle(rest.begin(), rest.end(), random);
    // Half a suit: its cards lie in the order its foundations want them,
    // those wanted first on top, but for a few swapped with a neighbour.
    if (shape.halfSuit) {
        // The ace foundation's deck goes on up from the meeting rank, the
        // other deck's cards down from it.
        const auto wait = [&](int card) {
            const int rank = (card - 1) % 13 + 1;
            return (card > 52 ? 1 : 0) == halfDeck ? rank - halfUp : halfUp + 1 - rank;
        };
        std::sort(rest.begin(), rest.end(), [&](int x, int y) { return wait(x) > wait(y); });
        for (int swaps = static_cast<int>(random() % 5); swaps > 0; --swaps) {
            const std::size_t at = random() % (rest.size() - 1);
            std::swap(rest[at], rest[at + 1]);
        }
    }
    std::shuffle(aces.begin(), aces.end(), random);
    std::shuffle(kings.begin(), kings.end(), random);
    std::size_t next = 0;
    auto take = [&](std::size_t n) {
        std::vector<int> cards;
        for (; n > 0 && next < rest.size(); --n) cards.push_back(rest[next++]);
        return cards;
    };
    std::vector<int> places = take(2);
    const std::vector<int> stock = places.size() == 2 ? take(random() % 4) : std::vector<int>{};
    const std::vector<int> waste = take(random() % 3);
    std::vector<std::vector<int>> reserves(2);
    while (next < rest.size()) reserves[random() % 2].push_back(rest[next++]);
    Put(t, t.Place("ST", OnceStock), stock, false);
    for (const int card : stock) s.Board.CardAt(card).Face.SetState(ctBack);
    Put(t, t.Place("W", Waste), waste, false);
    Put(t, t.Place("R1", Reserve), reserves[0], true);
    Put(t, t.Place("R2", Reserve), reserves[1], true);
    for (std::size_t p = 0; p < 2; ++p)
        Put(t, t.Place("T" + std::to_string(p + 1), Place),
            p < places.size() ? std::vector<int>{places[p]} : std::vector<int>{}, false);
    for (std::size_t f = 0; f < 4; ++f) Put(t, t.Place("A" + std::to_string(f + 1), AceFoundation), aces[f], false);
    for (std::size_t f = 0; f < 4; ++f) Put(t, t.Place("K" + std::to_string(f + 1), KingFoundation), kings[f], false);
}

// Two suits with a gap between their foundations: both copies of the ranks
// between are off them, and either copy may go to either foundation, so
// which copy goes where and first, and what it uncovers, decide the hand.
// The cards lie in three reserves and nowhere else (no stock, no free
// place), mostly in the order the foundations want them: the plain search
// is short, and many hands are won by one order of play and lost by
// another, where a key that took one card for another would lose a won
// hand.
void DealGaps(Endgame& t, std::mt19937& random)
{
    Session& s = t.session;
    s.Settings.Decks = 2;
    s.Settings.Postdrop = 20;
    s.RedealsLeft = 0;
    std::vector<std::vector<int>> aces(4), kings(4);
    std::vector<std::pair<int, int>> rest;  // card, how soon it could go
    const int first = static_cast<int>(random() % 4);
    for (int suit = 0; suit < 4; ++suit) {
        const int deck = static_cast<int>(random() % 2);
        const bool gap = suit == first || suit == (first + 1) % 4;
        const int up = gap ? 2 + static_cast<int>(random() % 8) : 13;
        const int down = gap ? up + 2 + static_cast<int>(random() % 2) : 1;
        for (int rank = 1; rank <= 13; ++rank) {
            const int wait = std::min(rank > up ? rank - up : 99, rank < down ? down - rank : 99);
            if (rank <= up)
                aces[static_cast<std::size_t>(suit)].push_back(test::CardOf(suit, rank, deck));
            else
                rest.emplace_back(test::CardOf(suit, rank, deck), wait);
            if (rank >= down)
                kings[static_cast<std::size_t>(suit)].push_back(test::CardOf(suit, rank, 1 - deck));
            else
                rest.emplace_back(test::CardOf(suit, rank, 1 - deck), wait);
        }
        std::reverse(kings[static_cast<std::size_t>(suit)].begin(), kings[static_cast<std::size_t>(suit)].end());
    }
    std::shuffle(rest.begin(), rest.end(), random);
    std::stable_sort(rest.begin(), rest.end(), [](const auto& x, const auto& y) { return x.second > y.second; });
    for (int swaps = 4 + static_cast<int>(random() % 8); swaps > 0; --swaps) {
        const std::size_t at = random() % (rest.size() - 1);
        std::swap(rest[at], rest[at + 1]);
    }
    std::vector<std::vector<int>> reserves(3);
    for (const auto& [card, wait] : rest) reserves[random() % 3].push_back(card);
    for (std::size_t r = 0; r < reserves.size(); ++r)
        Put(t, t.Place("R" + std::to_string(r + 1), Reserve), reserves[r], true);
    for (std::size_t f = 0; f < 4; ++f) Put(t, t.Place("A" + std::to_string(f + 1), AceFoundation), aces[f], false);
    for (std::size_t f = 0; f < 4; ++f) Put(t, t.Place("K" + std::to_string(f + 1), KingFoundation), kings[f], false);
}

TEST(SolverTwoWayFoundations, AgreesWithThePlainSearchOnTwoDeckEndgames)
{
    VEXA_SKIP_TWO_DECK_SAMPLE_UNDER_SANITIZERS();
    const std::vector<Shape> shapes{
        {"suits nearly done", false, false, 4, 4},
        {"suits nearly done, autoplay", false, true, 4, 4},
        {"a suit half done", true, false, 4, 2},
    };
    for (const Shape& shape : shapes) {
        test::Agreement sample(20);
        for (const unsigned seed : sample.Seeds()) {
            std::mt19937 random(seed + 7000);
            Endgame t;
            Deal(t, shape, random);
            sample.CompareReplaying(t, seed, shape.what);
        }
        sample.ExpectMix(15, shape.minWon, shape.minLost, shape.what);
    }
}

}  // namespace
}  // namespace vexa

namespace vexa {
namespace {

TEST(SolverTwoWayFoundations, AgreesWithThePlainSearchWhereCopiesChoose)
{
    VEXA_SKIP_TWO_DECK_SAMPLE_UNDER_SANITIZERS();
    test::Agreement sample(40);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 9000);
        Endgame t;
        DealGaps(t, random);
        sample.CompareReplaying(t, seed, "gaps");
    }
    sample.ExpectMix(37, 20, 5, "gaps");
}

}  // namespace
}  // namespace vexa
