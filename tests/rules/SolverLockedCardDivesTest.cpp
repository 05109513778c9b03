// Two-deck endgames of a terrace-like shape, where the foundations take the
// base rank the first foundation card set (so the safe moves stay off) and
// the locked-card bound applies: the searches before the plain one include
// the noisy dives. They are compared with the plain search of every click:
// foundations built in suit from a chosen base rank (the two foundations
// of a suit at nearly the same height, so that both copies of many faces
// are left), two columns built down in alternating colours that take only
// a talon card when empty, a terrace that gives its top card to the
// foundations only, and a stock dealt once onto a waste.
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

using test::BaseFoundation;
using test::SameBaseFoundation;
using test::TalonColumn;
using test::Terrace;
using test::CardOf;
using test::PlaceCards;

// Each deck's suits lie on foundations of their own from the base rank up
// (wrapping from the King to the Ace) to 11 or 12 cards, the two of a suit
// at the same height more often than not; the cards left go at random to
// the stock, the terrace (twice as likely) and two columns.
void Deal(Endgame& t, std::mt19937& random)
{
    t.session.Settings.Decks = 2;
    t.session.RedealsLeft = 0;
    const int base = 1 + static_cast<int>(random() % 13);
    Pile& stock = t.Place("ST", test::TerraceStock);
    t.Place("W", test::TerraceWaste);
    Pile& terrace = t.Place("TR", Terrace);
    std::vector<int> rest;
    for (int suit = 0; suit < 4; ++suit) {
        const int height = 11 + static_cast<int>(random() % 2);
        for (int deck = 0; deck < 2; ++deck) {
            const int own = deck == 1 && random() % 3 == 0 ? 23 - height : height;
            std::vector<int> built;
            for (int i = 0; i < 13; ++i) {
                const int index = CardOf(suit, (base - 1 + i) % 13 + 1, deck);
                if (i < own)
                    built.push_back(index);
                else
                    rest.push_back(index);
            }
            const bool first = suit == 0 && deck == 0;
            PlaceCards(t, t.Place("F" + std::to_string(2 * suit + deck + 1), first ? BaseFoundation : SameBaseFoundation),
                built);
        }
    }
    std::shuffle(rest.begin(), rest.end(), random);
    std::vector<std::vector<int>> piles(4);  // stock, terrace, two columns
    for (const int index : rest) {
        const auto at = static_cast<std::size_t>(random() % 5);
        piles[at < 2 ? at : at - 1].push_back(index);
    }
    PlaceCards(t, stock, piles[0], true);
    PlaceCards(t, terrace, piles[1]);
    for (std::size_t c = 2; c < piles.size(); ++c) PlaceCards(t, t.Place("T" + std::to_string(c - 1), TalonColumn), piles[c]);
}

// Wins replay to the victory; losses agree with the plain search.
TEST(SolverLockedCardDives, AgreesWithThePlainSearchOnTwoDeckTerraceLikeEndgames)
{
    VEXA_SKIP_TWO_DECK_SAMPLE_UNDER_SANITIZERS();
    test::Agreement sample(60);
    for (const unsigned seed : sample.Seeds()) {
        std::mt19937 random(seed + 7000);
        Endgame t;
        Deal(t, random);
        sample.CompareReplaying(t, seed, "terrace-like, two decks");
    }
    sample.ExpectMix(38, 8, 8, "terrace-like, two decks");
}

// The dives add points drawn from each position's key: two solvers made
// afresh give the same answer, the same count of positions and the same
// line, also when the budget cuts the search short.
TEST(SolverLockedCardDives, GiveTheSameAnswerEveryTime)
{
    for (const std::int64_t states : {400, 300000}) {
        for (unsigned seed = 1; seed <= 8; ++seed) {
            std::mt19937 random(seed + 7000);
            Endgame t;
            Deal(t, random);
            SolverBudget budget;
            budget.MaxStates = states;
            test::ExpectSameAnswerTwice(t.session, budget, "seed " + std::to_string(seed));
        }
    }
}

}  // namespace
}  // namespace vexa
