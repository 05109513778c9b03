// The staged search between rows of a stock that deals onto every column
// (a one-suit-run game on a small table): the wins it finds replay to the
// victory, a second search gives the same answer, and since it never proves
// a loss, a hand it cannot win is still proved lost by the search after it.
#include <gtest/gtest.h>

#include "support/SolverTable.h"

namespace vexa {
namespace {

using test::PileSpec;
using test::SolverTable;
using test::Suit;
using test::Foundation;

// A stock whose top card deals one card onto every column, and columns that
// build down regardless of suit and lift runs of one suit.
const PileSpec RowStock{0, 92, 0, 0, 402, 2};
const PileSpec RunColumn{2, 4, 114, 205, 401, 0, {0, 120, 71, 400}};

SolverBudget Small()
{
    SolverBudget budget;
    budget.MaxStates = 20000;
    return budget;
}

// Clubs, diamonds and spades home, hearts up to the given rank.
void HeartsTo(SolverTable& t, int hearts)
{
    t.session.Settings.Autoplay = false;
    t.session.Menu.Autoplay = false;
    t.Place("F1", Foundation, Suit('C', 1, 13));
    t.Place("F2", Foundation, Suit('D', 1, 13));
    t.Place("F3", Foundation, Suit('S', 1, 13));
    t.Place("F4", Foundation, Suit('H', 1, hearts));
}

TEST(SolverStaged, WinsAcrossRowsAndTheLineReplays)
{
    // Three rows to deal, cards to move before, between and after them.
    SolverTable t;
    HeartsTo(t, 3);
    t.Place("ST", RowStock, "KH* QH* JH* 10H* 9H* 8H* 7H* 6H*");
    t.Place("T1", RunColumn, "5H");
    t.Place("T2", RunColumn, "4H");
    t.Place("T3", RunColumn);
    Solver solver(t.session);
    const SolveAnswer first = solver.Solve(Small());
    ASSERT_EQ(first.Outcome, SolveOutcome::Won);
    const SolveAnswer again = solver.Solve(Small());
    ASSERT_EQ(again.Outcome, SolveOutcome::Won);
    EXPECT_EQ(again.States, first.States);
    ASSERT_EQ(again.Moves.size(), first.Moves.size());
    for (std::size_t i = 0; i < first.Moves.size(); ++i) EXPECT_EQ(again.Moves[i].Commands, first.Moves[i].Commands);
    t.Play(first.Moves);
    EXPECT_EQ(t.ui.victories.size(), 1u);
    EXPECT_EQ(t.session.Board.FindPile("ST")->Count(), 0);
}

TEST(SolverStaged, LeavesTheProofOfALossToThePlainSearch)
{
    // The stock deals a run from the king down onto the king that buries
    // the three of hearts: with an empty column the run moves off and the
    // hand is won, without one it is lost.
    struct Case {
        bool emptyColumn;
        SolveOutcome outcome;
    };
    for (const Case c : {Case{true, SolveOutcome::Won}, Case{false, SolveOutcome::Lost}}) {
        SCOPED_TRACE(c.emptyColumn);
        SolverTable t;
        HeartsTo(t, 2);
        t.Place("ST", RowStock, "4H* 5H* 6H* 7H* 8H* 9H* 10H* JH* QH*");
        t.Place("T1", RunColumn, "3H KH");
        if (c.emptyColumn) t.Place("T2", RunColumn);
        const SolveAnswer answer = SolvePosition(t.session, Small());
        ASSERT_EQ(answer.Outcome, c.outcome);
        if (c.outcome != SolveOutcome::Won) continue;
        t.Play(answer.Moves);
        EXPECT_EQ(t.ui.victories.size(), 1u);
    }
}

}  // namespace
}  // namespace vexa
