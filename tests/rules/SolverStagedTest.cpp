// The staged search between rows of a stock that deals onto every column
// (a one-suit-run game on a small table): the wins it finds replay to the
// victory, a second search gives the same answer, and since it never proves
// a loss, a hand it cannot win is still proved lost by the search after it.
#include <gtest/gtest.h>

#include <string>

#include "support/SolverTable.h"
#include "table/PileLayout.h"

namespace vexa {
namespace {

using test::Foundation;
using test::PileSpec;
using test::SolverTable;
using test::Suit;

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

TEST(SolverStaged, ClaimsTheWinWithMixedRunsOnceTheLastRowIsDealt)
{
    // Two decks in eight columns, each a run from the King down to the Two
    // of mixed suits; the stock holds the eight Aces. Only the claim button
    // wins: the runs cannot move, being of no one suit.
    SolverTable t;
    t.session.Settings.Decks = 2;
    t.session.Settings.Autoplay = false;
    t.session.Menu.Autoplay = false;
    Table& table = t.session.Board;
    Pile& foundation = t.Place("F1", {3, 0, 111, 211, 402, 2});
    Pile& stock = t.Place("ST", RowStock);
    for (int column = 0; column < 8; ++column) {
        Pile& pile = t.Place("T" + std::to_string(column + 1), RunColumn);
        const int deck = column / 4 * 52;
        for (int value = 13; value >= 2; --value)
            table.MoveCard(table.CardAt(deck + (column + value) % 4 * 13 + value), pile);
        LayOutPile(pile);
    }
    for (int suit = 0; suit < 8; ++suit) {
        Card& ace = table.CardAt(suit * 13 + 1);
        table.MoveCard(ace, stock);
        ace.Face.SetState(ctBack);
    }
    LayOutPile(stock);
    GameButton& claim = t.AddButton("B1", {300, 40, 150, 28});
    claim.Tag = 3;
    const SolveAnswer answer = SolvePosition(t.session, Small());
    ASSERT_EQ(answer.Outcome, SolveOutcome::Won);
    ASSERT_FALSE(answer.Moves.empty());
    EXPECT_EQ(answer.Moves.back().Commands, std::vector<std::string>{"button B1"});
    t.Play(answer.Moves);
    EXPECT_EQ(t.ui.victories.size(), 1u);
    EXPECT_EQ(foundation.Count(), 104);
}

TEST(SolverStaged, ColumnsLiftingRunsOfAnySuitDecideAsOneSuitColumns)
{
    // Columns that lift any descending run and take any card when empty
    // get three staged searches of different stage sizes before the plain
    // one: a hand is still won by a line that replays, the same line each
    // time, and a hand that cannot be won is still proved lost.
    const PileSpec MixedRunColumn{2, 5, 114, 210, 401, 0, {0, 120, 71, 400}};
    for (const PileSpec& column : {RunColumn, MixedRunColumn}) {
        SCOPED_TRACE(column.pick);
        SolverTable t;
        HeartsTo(t, 3);
        t.Place("ST", RowStock, "KH* QH* JH* 10H* 9H* 8H* 7H* 6H*");
        t.Place("T1", column, "5H");
        t.Place("T2", column, "4H");
        t.Place("T3", column);
        const SolveAnswer first = SolvePosition(t.session, Small());
        ASSERT_EQ(first.Outcome, SolveOutcome::Won);
        const SolveAnswer again = SolvePosition(t.session, Small());
        EXPECT_EQ(again.States, first.States);
        ASSERT_EQ(again.Moves.size(), first.Moves.size());
        for (std::size_t i = 0; i < first.Moves.size(); ++i)
            EXPECT_EQ(again.Moves[i].Commands, first.Moves[i].Commands);
        t.Play(first.Moves);
        EXPECT_EQ(t.ui.victories.size(), 1u);

        SolverTable lost;
        HeartsTo(lost, 2);
        lost.Place("ST", RowStock, "4H* 5H* 6H* 7H* 8H* 9H* 10H* JH* QH*");
        lost.Place("T1", column, "3H KH");
        EXPECT_EQ(SolvePosition(lost.session, Small()).Outcome, SolveOutcome::Lost);
    }
}

}  // namespace
}  // namespace vexa
