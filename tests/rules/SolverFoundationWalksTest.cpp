// Columns of the same rules keyed as one where the only rules that read
// where piles stand walk over the foundations (the empty foundations take
// the rank the first one started with, as in Terrace). Random endgames of
// one deck are compared with the plain search of every click: foundations
// built in suit from a chosen base rank, columns built down in alternating
// colours that take only a talon card when empty, a terrace that gives its
// top card to the foundations only, and a stock dealt once onto a waste.
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
using test::Placement;
using test::PutBack;
using test::Take;

using test::BaseFoundation;
using test::SameBaseFoundation;
using test::TalonColumn;
using test::Terrace;
using test::CardOf;
using test::PlaceCards;

// Each suit lies on its foundation from the base rank up to a random
// height (wrapping from the King to the Ace); the nine or so cards left go
// at random to the stock, the terrace and three columns.
void Deal(Endgame& t, std::mt19937& random)
{
    t.session.RedealsLeft = 0;
    const int base = 1 + static_cast<int>(random() % 13);
    Pile& stock = t.Place("ST", test::TerraceStock);
    t.Place("W", test::TerraceWaste);
    Pile& terrace = t.Place("TR", Terrace);
    std::vector<int> rest;
    for (int suit = 0; suit < 4; ++suit) {
        const int height = 10 + static_cast<int>(random() % 3);
        std::vector<int> built;
        for (int i = 0; i < 13; ++i) {
            const int index = CardOf(suit, (base - 1 + i) % 13 + 1);
            if (i < height)
                built.push_back(index);
            else
                rest.push_back(index);
        }
        PlaceCards(t, t.Place("F" + std::to_string(suit + 1), suit == 0 ? BaseFoundation : SameBaseFoundation), built);
    }
    std::shuffle(rest.begin(), rest.end(), random);
    std::vector<std::vector<int>> piles(5);  // stock, terrace, three columns
    for (const int index : rest) piles[random() % piles.size()].push_back(index);
    PlaceCards(t, stock, piles[0], true);
    PlaceCards(t, terrace, piles[1]);
    for (std::size_t c = 2; c < piles.size(); ++c) PlaceCards(t, t.Place("T" + std::to_string(c - 1), TalonColumn), piles[c]);
}

// Wins replay to the victory; losses agree with the plain search.
TEST(SolverFoundationWalks, AgreesWithThePlainSearchOnTerraceLikeEndgames)
{
    test::Agreement sample(80);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 5000);
        Endgame t;
        Deal(t, random);
        sample.CompareReplaying(t, seed);
    }
    sample.ExpectMix(60, 10, 10);
}

// Foundations that build a suit up from its Ace or down from its King and
// start, while empty, only with an Ace or King of a suit no foundation's
// bottom card has (Streets and Alleys): each suit lies on its foundation in
// a random direction to a random height, and the cards left go at random
// to three columns that build down in any suit.
void DealEitherWay(Endgame& t, std::mt19937& random)
{
    const PileSpec EitherWayFoundation{3, 0, 123, 218, 402, 2};
    const PileSpec DownColumn{2, 1, 114, 201, 401, 0, {0, 120, 71, 400}};
    std::vector<int> rest;
    for (int suit = 0; suit < 4; ++suit) {
        const bool up = random() % 2 == 0;
        const int height = 9 + static_cast<int>(random() % 3);
        std::vector<int> built;
        for (int i = 0; i < 13; ++i) {
            const int index = CardOf(suit, up ? i + 1 : 13 - i);
            if (i < height)
                built.push_back(index);
            else
                rest.push_back(index);
        }
        PlaceCards(t, t.Place("F" + std::to_string(suit + 1), EitherWayFoundation), built);
    }
    std::shuffle(rest.begin(), rest.end(), random);
    std::vector<std::vector<int>> columns(3);
    for (const int index : rest) columns[random() % columns.size()].push_back(index);
    for (std::size_t c = 0; c < columns.size(); ++c) PlaceCards(t, t.Place("T" + std::to_string(c + 1), DownColumn), columns[c]);
}

TEST(SolverFoundationWalks, AgreesWithThePlainSearchWhereFoundationsStartEitherWay)
{
    test::Agreement sample(80);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 6000);
        Endgame t;
        DealEitherWay(t, random);
        sample.Compare(t, seed);
    }
    sample.ExpectMix(60, 10, 10);
}

}  // namespace
}  // namespace vexa
