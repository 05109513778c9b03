// The beam over the cards of a stock turned once onto one waste: on a
// small terrace-like hand it wins within its own share of the budget, its
// line replays to the victory and is the same each time, and a hand it
// cannot win is still proved lost by the plain search after it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/Solver.h"
#include "support/FullSearch.h"

namespace vexa {
namespace {

using test::CardOf;
using test::Endgame;
using test::PlaceCards;

enum Suit { Spades, Hearts, Clubs, Diamonds };

// One deck: clubs and diamonds home, spades and hearts up to the Five on
// foundations built in suit from the ace; a terrace, two columns built down
// in alternating colours that take only a talon card when empty, and a
// stock turned once onto a waste, dealt in the order given.
struct TerraceHand {
    Endgame t;
    TerraceHand(const std::vector<int>& terrace, const std::vector<int>& dealt)
    {
        t.session.RedealsLeft = 0;
        Pile& stock = t.Place("ST", test::TerraceStock);
        t.Place("W", test::TerraceWaste);
        PlaceCards(t, t.Place("TR", test::Terrace), terrace);
        const int heights[] = {5, 5, 13, 13};
        for (int suit = 0; suit < 4; ++suit) {
            std::vector<int> built;
            for (int rank = 1; rank <= heights[suit]; ++rank) built.push_back(CardOf(suit, rank));
            PlaceCards(t, t.Place("F" + std::to_string(suit + 1), test::Foundation), built);
        }
        t.Place("T1", test::TalonColumn);
        t.Place("T2", test::TalonColumn);
        // The stock's top card is dealt first.
        PlaceCards(t, stock, std::vector<int>(dealt.rbegin(), dealt.rend()), true);
    }
};

// The terrace holds the Sixes, the Sevens come late, and the Queens and
// Kings come first: turned onto the waste without thought they bury what
// the foundations need, so the Kings must go to the columns and the Queens
// on them in the right colours.
TerraceHand Winnable()
{
    return TerraceHand(
        {CardOf(Hearts, 6), CardOf(Spades, 6)},
        {CardOf(Spades, 13), CardOf(Hearts, 13), CardOf(Hearts, 12), CardOf(Spades, 12), CardOf(Spades, 8),
         CardOf(Hearts, 8), CardOf(Spades, 11), CardOf(Hearts, 11), CardOf(Spades, 7), CardOf(Hearts, 9),
         CardOf(Spades, 10), CardOf(Spades, 9), CardOf(Hearts, 10), CardOf(Hearts, 7)});
}

SolverBudget Budget(std::int64_t states)
{
    SolverBudget budget;
    budget.MaxStates = states;
    return budget;
}

TEST(SolverStockBeam, WinsWithinItsShareAndTheLineReplays)
{
    TerraceHand hand = Winnable();
    const SolveAnswer first = SolvePosition(hand.t.session, Budget(200000));
    ASSERT_EQ(first.Outcome, SolveOutcome::Won);
    test::ExpectSameAnswerTwice(hand.t.session, Budget(200000), "terrace hand");
    // The first of the three beams runs first, with fifteen shares of
    // fifty-nine (three beams and the other searches' fourteen): within a
    // budget that leaves it just the positions it needs it wins alone.
    const SolveAnswer tight = SolvePosition(hand.t.session, Budget(((first.States + 1) * 59 + 14) / 15));
    ASSERT_EQ(tight.Outcome, SolveOutcome::Won);
    EXPECT_EQ(tight.States, first.States);
    hand.t.Play(first.Moves);
    EXPECT_EQ(hand.t.ui.victories.size(), 1u);
    EXPECT_EQ(hand.t.session.Board.FindPile("ST")->Count(), 0);
    for (const char* pile : {"F1", "F2", "F3", "F4"}) EXPECT_EQ(hand.t.session.Board.FindPile(pile)->Count(), 13);
}

TEST(SolverStockBeam, LeavesTheProofOfALossToThePlainSearch)
{
    // The terrace gives its top card first, and only to the foundations:
    // the Seven of spades on it covers the Six it waits for.
    TerraceHand hand({CardOf(Spades, 6), CardOf(Spades, 7), CardOf(Hearts, 6)},
                     {CardOf(Spades, 13), CardOf(Hearts, 13), CardOf(Hearts, 12), CardOf(Spades, 12), CardOf(Spades, 8),
                      CardOf(Hearts, 8), CardOf(Spades, 11), CardOf(Hearts, 11), CardOf(Hearts, 9), CardOf(Spades, 10),
                      CardOf(Spades, 9), CardOf(Hearts, 10), CardOf(Hearts, 7)});
    EXPECT_EQ(SolvePosition(hand.t.session, Budget(200000)).Outcome, SolveOutcome::Lost);
}

}  // namespace
}  // namespace vexa
