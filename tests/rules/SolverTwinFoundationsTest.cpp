// With two decks the two foundations of a suit often stand at the same rank
// and both take the next card; the solver then plays a card that nothing
// else could use to the first of them as its only move. These tests compare
// that with the plain search of every click on small two-deck endgames whose
// stock is dealt once: single cards built down in suit with a waste (as
// Forty Thieves), and runs in alternating colours with a stock that deals a
// row (as Gypsy).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "rules/Solver.h"
#include "support/FullSearch.h"

namespace vexa {
namespace {

using test::Endgame;
using test::Foundation;
using test::PileSpec;
using test::Placement;
using test::PutBack;
using test::Take;

const PileSpec SuitColumn{2, 1, 102, 201, 401, 0, {0, 120, 71, 400}, 0, "DDU"};
const PileSpec RunColumn{2, 3, 109, 207, 401, 0, {0, 120, 71, 400}, 0, "DDU"};
const PileSpec OnceStock{0, 90, 0, 0, 402, 2, {0, 0, 71, 96}};
const PileSpec RowStock{0, 92, 0, 0, 402, 2, {0, 0, 71, 96}};
const PileSpec Waste{1, 1, 0, 0, 402, 2};

// A card of either deck: the second deck's cards come 52 after the first's.
struct Copy {
    int index;
    bool down = false;
};

int IndexOf(const char* suits, int suit, int rank, int deck)
{
    static const char* const Ranks[] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    return test::CardIndex(std::string(Ranks[rank]) + suits[suit]) + 52 * deck;
}

void Put(Endgame& t, Pile& pile, const std::vector<Copy>& cards)
{
    Table& board = t.session.Board;
    for (const Copy& copy : cards) {
        Card& card = board.CardAt(copy.index);
        board.MoveCard(card, pile);
        card.Face.SetState(copy.down ? ctBack : ctFront);
        card.Visible = true;
    }
    LayOutPile(pile);
}

struct Shape {
    const char* what;
    PileSpec column;
    bool rows;  // the stock deals a row onto the columns, else one card to a waste
};

// Diamonds lie complete on their two foundations; each deck's clubs,
// spades and hearts lie on a foundation of their own up to a random rank,
// the two foundations of a suit at the same rank more often than not. The
// cards left go at random to the stock (face down) and three columns, where
// a card under another lies face down now and then.
void Deal(Endgame& t, const Shape& shape, std::mt19937& random)
{
    const char* suits = "DCSH";
    t.session.Settings.Decks = 2;
    t.session.RedealsLeft = 0;
    std::vector<int> heights(8, 13);  // per suit, each deck's foundation
    for (std::size_t suit = 1; suit < 4; ++suit) {
        const int height = 9 + static_cast<int>(random() % 4);
        heights[2 * suit] = height;
        heights[2 * suit + 1] = random() % 3 == 0 ? height - 1 : height;
    }
    std::vector<int> rest;
    Pile& stock = t.Place("ST", shape.rows ? RowStock : OnceStock);
    if (!shape.rows) t.Place("W", Waste);
    for (int suit = 0; suit < 4; ++suit)
        for (int deck = 0; deck < 2; ++deck) {
            const int height = heights[static_cast<std::size_t>(2 * suit + deck)];
            std::vector<Copy> built;
            for (int rank = 1; rank <= 13; ++rank) {
                const int index = IndexOf(suits, suit, rank, deck);
                if (rank <= height)
                    built.push_back({index});
                else
                    rest.push_back(index);
            }
            Put(t, t.Place("F" + std::to_string(2 * suit + deck + 1), Foundation), built);
        }
    std::shuffle(rest.begin(), rest.end(), random);
    // A row or two in a row-dealing stock, a few cards in the other.
    const std::size_t inStock = shape.rows ? 3 * (random() % 3) : random() % 5;
    std::vector<Copy> dealt;
    for (std::size_t i = 0; i < inStock && i < rest.size(); ++i) dealt.push_back({rest[i], true});
    Put(t, stock, dealt);
    std::vector<std::vector<Copy>> columns(3);
    for (std::size_t i = inStock; i < rest.size(); ++i) columns[random() % 3].push_back({rest[i], random() % 4 == 0});
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!columns[c].empty()) columns[c].back().down = false;
        Put(t, t.Place("T" + std::to_string(c + 1), shape.column), columns[c]);
    }
}

TEST(SolverTwinFoundations, AgreesWithThePlainSearchOnTwoDeckEndgames)
{
    const std::vector<Shape> shapes{
        {"single cards in suit, a waste", SuitColumn, false},
        {"runs in alternating colours, rows", RunColumn, true},
    };
    for (const Shape& shape : shapes) {
        test::Agreement sample(60);
        for (const unsigned seed : sample.Seeds()) {
            std::mt19937 random(seed + 3000);
            Endgame t;
            Deal(t, shape, random);
            sample.CompareReplaying(t, seed, shape.what);
        }
        sample.ExpectMix(45, 10, 10, shape.what);
    }
}

// The same tables searched by two solvers, each made afresh: the dives that
// add points drawn from each position's key give the same answer, the same
// count of positions and the same line every time (nothing depends on where
// a solver's memory lies), also when the budget cuts the search short.
// With a waste the dives also weigh the cards on it.
TEST(SolverTwinFoundations, NoisyDivesGiveTheSameAnswerEveryTime)
{
    for (const Shape& shape : {Shape{"runs in alternating colours, rows", RunColumn, true},
                               Shape{"single cards in suit, a waste", SuitColumn, false}}) {
        SCOPED_TRACE(shape.what);
        for (const std::int64_t states : {300, 300000}) {
            for (unsigned seed = 1; seed <= 6; ++seed) {
                std::mt19937 random(seed + 3000);
                Endgame t;
                Deal(t, shape, random);
                SolverBudget budget;
                budget.MaxStates = states;
                test::ExpectSameAnswerTwice(t.session, budget, "seed " + std::to_string(seed));
            }
        }
    }
}

}  // namespace
}  // namespace vexa
