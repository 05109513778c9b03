// Games whose cards go only into gaps: an ace into the empty left end of a
// row, another card after a lower card of its suit. The solver lifts only
// what a gap takes and offers it only to empty piles; checked against the
// plain search of every click on random endgames of four rows of fourteen.
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
using test::PileSpec;

const PileSpec RowStart{3, 0, 0, 203, 402, 2};
const PileSpec Gap{2, 1, 0, 212, 402, 2};

// Four rows, each a left end and thirteen places, scored as rows in order
// from an ace. Row r holds its suit in order from the ace (or from its
// two, where its ace is left to be moved) up to a random rank from 10 to
// 12; the cards of higher rank of every suit are shuffled over the places
// left, four of which stay empty.
void DealRows(Endgame& t, std::mt19937& random)
{
    t.session.Settings.Scoring = 4;
    const std::vector<char> suits{'S', 'H', 'C', 'D'};
    std::vector<int> heights(4);
    std::vector<std::string> rest;
    for (std::size_t r = 0; r < 4; ++r) {
        heights[r] = 10 + static_cast<int>(random() % 3);
        for (int rank = heights[r] + 1; rank <= 13; ++rank) rest.push_back(test::Suit(suits[r], rank, rank));
    }
    // Sometimes the first row's ace waits in the mix, its left end empty.
    const bool looseAce = random() % 3 == 0;
    if (looseAce) rest.push_back(test::Suit(suits[0], 1, 1));
    std::vector<std::string> places(rest);
    places.resize(rest.size() + 4 - (looseAce ? 1 : 0));
    std::shuffle(places.begin(), places.end(), random);
    std::size_t next = 0;
    for (std::size_t r = 0; r < 4; ++r)
        for (int column = 0; column < 14; ++column) {
            PileSpec shape = column == 0 ? RowStart : Gap;
            shape.bounds = {10 + 72 * column, 10 + 100 * static_cast<int>(r), 71, 96};
            std::string card;
            if (column == 0)
                card = r == 0 && looseAce ? "" : test::Suit(suits[r], 1, 1);
            else if (column + 1 <= heights[r])
                card = test::Suit(suits[r], column + 1, column + 1);
            else
                card = places[next++];
            t.Add("R" + std::to_string(r) + "C" + std::to_string(column), shape, card);
        }
}

TEST(SolverGapLifts, AgreesWithThePlainSearchOnRandomRows)
{
    test::Agreement sample(8);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 9300);
        Endgame t;
        DealRows(t, random);
        sample.CompareReplaying(t, seed, "rows");
    }
    sample.ExpectMix(7, 2, 3, "rows");
}

}  // namespace
}  // namespace vexa
