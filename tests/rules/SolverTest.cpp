// The solver on hand-made end positions: it wins what can be won with a line
// that replays on the live table, proves dead positions lost (also with a
// stock that can be turned over without end), never touches the live table,
// and gives the same answer for the same budget.
#include <gtest/gtest.h>

#include "support/SolverTable.h"

namespace vexa {
namespace {

using test::PileSpec;
using test::SolverTable;
using test::Suit;
using test::Foundation;
using test::Column;
using test::Cell;
using test::DrawOneStock;
using test::DrawThreeStock;
using test::Waste;
using test::ClosedColumn;

SolverBudget Small()
{
    SolverBudget budget;
    budget.MaxStates = 20000;
    return budget;
}

TEST(Solver, WinsOneMoveFromTheEnd)
{
    SolverTable t;
    t.Foundations(13, 12);
    t.Place("T1", Column, "KH");
    const SolveAnswer answer = SolvePosition(t.session, Small());
    ASSERT_EQ(answer.Outcome, SolveOutcome::Won);
    ASSERT_EQ(answer.Moves.size(), 1u);
    // Autoplay comes first among the moves; either it or the drop wins.
    const SolverMove& move = answer.Moves[0];
    if (move.Kind == SolverMove::Type::Card) {
        EXPECT_EQ(move.CardIndex, test::CardIndex("KH"));
        EXPECT_EQ(move.LiftedIndex, test::CardIndex("KH"));
        EXPECT_EQ(move.Target, "F4");
    } else {
        EXPECT_EQ(move.Commands, std::vector<std::string>{"autoplay"});
    }
    t.Play(answer.Moves);
    EXPECT_EQ(t.ui.victories.size(), 1u);
}

TEST(Solver, WinsALineThatNeedsAFreeCellAndReplaysIt)
{
    SolverTable t;
    t.session.Settings.Autoplay = false;
    t.session.Menu.Autoplay = false;
    t.Foundations(11, 11);
    // The queen of hearts lies under the queen of spades and both kings.
    t.Place("T1", Column, "QH QS KH");
    t.Place("T2", Column, "KS");
    t.Place("C1", Cell);
    const SolveAnswer answer = SolvePosition(t.session, Small());
    ASSERT_EQ(answer.Outcome, SolveOutcome::Won);
    EXPECT_GE(answer.Moves.size(), 5u);
    EXPECT_EQ(t.ui.victories.size(), 0u);
    t.Play(answer.Moves);
    EXPECT_EQ(t.ui.victories.size(), 1u);
    EXPECT_EQ(test::Describe(*t.session.Board.FindPile("F4")), Suit('H', 1, 13));
}

TEST(Solver, ProvesADeadPositionLost)
{
    SolverTable t;
    t.Foundations(13, 11);
    t.Place("T1", Column, "QH KH");
    const SolveAnswer answer = SolvePosition(t.session, Small());
    EXPECT_EQ(answer.Outcome, SolveOutcome::Lost);
    EXPECT_EQ(answer.States, 1);
    EXPECT_TRUE(answer.Moves.empty());
}

TEST(Solver, ProvesLostThroughAStockThatCanBeTurnedOverWithoutEnd)
{
    // Unlimited redeals: turning the waste over again reaches the same cards
    // with fewer redeals left, which is no new position worth a search.
    SolverTable t;
    t.Foundations(12, 11);
    t.session.RedealsLeft = 9999;
    t.Place("ST", {0, 90, 0, 0, 402, 2, {}, 301}, "JD* KS* 7D*");
    t.Place("W", {1, 1, 0, 0, 402, 2});
    t.Place("T1", Column, "QH KH");
    // The stock needs the cards it deals: take them off the complete diamonds.
    Pile& diamonds = *t.session.Board.FindPile("F2");
    t.session.Board.MoveCard(*diamonds.Top(), t.session.Board.Store());
    t.Put(diamonds, "");
    const SolveAnswer lost = SolvePosition(t.session, Small());
    EXPECT_EQ(lost.Outcome, SolveOutcome::Lost);
    EXPECT_GT(lost.States, 3);
    EXPECT_LT(lost.States, 200);
}

TEST(Solver, WinsByDealingFromTheStockAndTurningTheWasteOver)
{
    SolverTable t;
    t.Foundations(12, 12);
    t.session.RedealsLeft = 1;
    // The king of hearts must wait for the king of spades, which lies
    // below it in the stock: a second pass through the stock is needed.
    t.Place("ST", {0, 90, 0, 0, 402, 2, {}, 301}, "KH* KS*");
    t.Place("W", {1, 1, 0, 0, 402, 2});
    Pile& spades = *t.session.Board.FindPile("F3");
    (void)spades;
    const SolveAnswer answer = SolvePosition(t.session, Small());
    ASSERT_EQ(answer.Outcome, SolveOutcome::Won);
    t.Play(answer.Moves);
    EXPECT_EQ(t.ui.victories.size(), 1u);
}

// Spades and hearts on the foundations up to 7, and the eights to kings of
// both suits face down in the stock.
void StockOfHighCards(SolverTable& t, const PileSpec& stock, int redeals)
{
    t.session.RedealsLeft = redeals;
    t.Place("F1", Foundation, Suit('C', 1, 13));
    t.Place("F2", Foundation, Suit('D', 1, 13));
    t.Place("F3", Foundation, Suit('S', 1, 5));
    t.Place("F4", Foundation, Suit('H', 1, 5));
    t.Place("ST", stock, "8S* 9H* 10S* JH* QS* KH* 8H* 9S* 10H* JS* QH* KS*");
    t.Place("W", Waste);
}

int StockTurns(const std::vector<SolverMove>& moves)
{
    int turns = 0;
    for (const SolverMove& move : moves)
        for (const std::string& command : move.Commands)
            turns += command == "click pile ST" || (command.rfind("click card ", 0) == 0 && move.Target.empty());
    return turns;
}

TEST(Solver, StockCyclesWinWithCardsDeepInTheStockAndTheLineReplays)
{
    for (const PileSpec& stock : {DrawOneStock, DrawThreeStock}) {
        SolverTable t;
        t.session.Settings.Autoplay = false;
        t.session.Menu.Autoplay = false;
        StockOfHighCards(t, stock, 9999);
        // The sixes lie crossed under the sevens; the free column takes a
        // seven, and then the stock must be dealt round to the end.
        t.Place("T1", Column, "6S 7H");
        t.Place("T2", Column, "6H 7S");
        t.Place("T3", Column);
        const SolveAnswer answer = SolvePosition(t.session, Small());
        ASSERT_EQ(answer.Outcome, SolveOutcome::Won) << stock.pick;
        // The line turns the stock, one click at a time, around again: more
        // clicks than one pass through its twelve cards takes.
        const int onePass = stock.pick == DrawThreeStock.pick ? 4 : 12;
        EXPECT_GT(StockTurns(answer.Moves), onePass) << stock.pick;
        t.Play(answer.Moves);
        EXPECT_EQ(t.ui.victories.size(), 1u) << stock.pick;
    }
}

TEST(Solver, StockCyclesProveALossInAFewPositions)
{
    // The sixes are crossed under the sevens with no free column: nothing
    // in the stock helps. Every split of the talon is one position.
    for (const PileSpec& stock : {DrawOneStock, DrawThreeStock}) {
        SolverTable t;
        StockOfHighCards(t, stock, 9999);
        t.Place("T1", Column, "6S 7H");
        t.Place("T2", Column, "6H 7S");
        const SolveAnswer lost = SolvePosition(t.session, Small());
        EXPECT_EQ(lost.Outcome, SolveOutcome::Lost) << stock.pick;
        EXPECT_LE(lost.States, 2) << stock.pick;
    }
}

TEST(Solver, SafeCardsAnywhereInTheStockAreTakenWithoutASearchOfTheirOrder)
{
    // Sixes to jacks of spades and hearts in the stock all go up in turn,
    // each safe when its turn comes; the kings lie crossed on the queens
    // and end the hand.
    SolverTable t;
    t.session.Settings.Autoplay = false;
    t.session.Menu.Autoplay = false;
    t.session.RedealsLeft = 9999;
    t.Foundations(5, 5);
    t.Place("ST", DrawOneStock, "9H* JS* 6H* 8S* 10H* 7S* JH* 6S* 9S* 7H* 10S* 8H*");
    t.Place("W", Waste);
    t.Place("T1", ClosedColumn, "QS KH");
    t.Place("T2", ClosedColumn, "QH KS");
    const SolveAnswer answer = SolvePosition(t.session, Small());
    EXPECT_EQ(answer.Outcome, SolveOutcome::Lost);
    EXPECT_LT(answer.States, 20);
}

TEST(Solver, LimitedRedealsKeepEveryTalonPositionApart)
{
    // With two redeals the count matters: the same dead position is proven
    // lost position by position, as each split of the talon is its own.
    SolverTable t;
    StockOfHighCards(t, DrawOneStock, 2);
    t.Place("T1", Column, "6S 7H");
    t.Place("T2", Column, "6H 7S");
    const SolveAnswer lost = SolvePosition(t.session, Small());
    EXPECT_EQ(lost.Outcome, SolveOutcome::Lost);
    EXPECT_GT(lost.States, 12);

    // A win that needs the stock dealt through twice fails without a
    // redeal and is found with one.
    for (int redeals : {0, 1}) {
        SolverTable w;
        w.session.Settings.Autoplay = false;
        w.session.Menu.Autoplay = false;
        w.session.RedealsLeft = redeals;
        w.Foundations(9, 13);
        // Dealt queen, jack, king, ten: only the ten goes up on the first
        // pass, and the king then buries the jack and queen.
        w.Place("ST", DrawOneStock, "10S* KS* JS* QS*");
        w.Place("W", Waste);
        const SolveAnswer answer = SolvePosition(w.session, Small());
        ASSERT_EQ(answer.Outcome, redeals == 0 ? SolveOutcome::Lost : SolveOutcome::Won) << redeals;
        w.Play(answer.Moves);
        EXPECT_EQ(w.ui.victories.size(), redeals == 0 ? 0u : 1u);
    }
}

TEST(Solver, KeepsOnTheColumnsACardThatAnotherCardMustBeBuiltOn)
{
    // The five of hearts could go up at once, but the four of spades must
    // first be put on it so that the three of spades below can go up.
    SolverTable t;
    t.session.Settings.Autoplay = false;
    t.session.Menu.Autoplay = false;
    t.Foundations(2, 4);
    t.Place("T1", ClosedColumn, "5H");
    t.Place("T2", ClosedColumn, "3S 4S");
    t.Place("T3", ClosedColumn, "KH QH JH 10H 9H 8H 7H 6H");
    t.Place("T4", ClosedColumn, "KS QS JS 10S 9S 8S 7S 6S 5S");
    const SolveAnswer answer = SolvePosition(t.session, Small());
    ASSERT_EQ(answer.Outcome, SolveOutcome::Won);
    t.Play(answer.Moves);
    EXPECT_EQ(t.ui.victories.size(), 1u);
}

TEST(Solver, CardsNothingCanBeBuiltOnGoUpWithoutASearchOfTheirOrder)
{
    // Three suits run up from the columns in any order; the last two spades
    // lie upside down and end the hand. A card is safe to play once the
    // cards that could go on it are up, so the orders need no search.
    SolverTable t;
    t.session.Settings.Autoplay = false;
    t.session.Menu.Autoplay = false;
    t.Place("F1", Foundation, Suit('C', 1, 6));
    t.Place("F2", Foundation, Suit('D', 1, 6));
    t.Place("F3", Foundation, Suit('S', 1, 11));
    t.Place("F4", Foundation, Suit('H', 1, 6));
    t.Place("T1", ClosedColumn, "KH QH JH 10H 9H 8H 7H");
    t.Place("T2", ClosedColumn, "KD QD JD 10D 9D 8D 7D");
    t.Place("T3", ClosedColumn, "KC QC JC 10C 9C 8C 7C");
    t.Place("T4", ClosedColumn, "QS KS");
    const SolveAnswer answer = SolvePosition(t.session, Small());
    EXPECT_EQ(answer.Outcome, SolveOutcome::Lost);
    EXPECT_LT(answer.States, 60);
}

TEST(Solver, AcesGoToTheFirstEmptyFoundationWithoutASearchOfWhich)
{
    // Every suit lies in order on a pile that takes no cards, the ace on
    // top, but the two of diamonds lies above its ace. Which foundation
    // each ace starts makes no difference and is not searched.
    SolverTable t;
    t.session.Settings.Autoplay = false;
    t.session.Menu.Autoplay = false;
    const PileSpec Stack{2, 1, 0, 0, 401, 0, {0, 120, 71, 400}};
    for (const char* name : {"F1", "F2", "F3", "F4"}) t.Place(name, Foundation);
    t.Place("T1", Stack, "KS QS JS 10S 9S 8S 7S 6S 5S 4S 3S 2S AS");
    t.Place("T2", Stack, "KH QH JH 10H 9H 8H 7H 6H 5H 4H 3H 2H AH");
    t.Place("T3", Stack, "KC QC JC 10C 9C 8C 7C 6C 5C 4C 3C 2C AC");
    t.Place("T4", Stack, "KD QD JD 10D 9D 8D 7D 6D 5D 4D 3D AD 2D");
    const SolveAnswer answer = SolvePosition(t.session, Small());
    EXPECT_EQ(answer.Outcome, SolveOutcome::Lost);
    EXPECT_LT(answer.States, 60);
}

TEST(Solver, LeavesTheLiveTableAndJournalAsTheyWere)
{
    SolverTable t;
    t.Foundations(11, 11);
    t.Place("T1", Column, "QH QS KH");
    t.Place("T2", Column, "KS");
    t.Place("C1", Cell);
    t.session.RedealsLeft = 3;
    TakeSnapshot(t.session, SnapshotSide::Before);
    t.session.Journal.UndoSteps.push_back("earlier step");
    const std::string before = t.Picture();
    Solver solver(t.session);
    EXPECT_EQ(solver.Solve(Small()).Outcome, SolveOutcome::Won);
    EXPECT_EQ(t.Picture(), before);
    EXPECT_TRUE(t.ui.victories.empty());
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(Solver, SameBudgetGivesTheSameAnswerAndASecondSolveToo)
{
    SolverTable t;
    t.session.Settings.Autoplay = false;
    t.session.Menu.Autoplay = false;
    t.Foundations(9, 9);
    t.Place("T1", Column, "KH 10S QS 10H");
    t.Place("T2", Column, "JH KS JS QH");
    t.Place("C1", Cell);
    Solver solver(t.session);
    const SolveAnswer first = solver.Solve(Small());
    const SolveAnswer again = solver.Solve(Small());
    const SolveAnswer fresh = SolvePosition(t.session, Small());
    ASSERT_EQ(first.Outcome, SolveOutcome::Won) << first.States;
    for (const SolveAnswer* other : {&again, &fresh}) {
        EXPECT_EQ(other->Outcome, first.Outcome);
        EXPECT_EQ(other->States, first.States);
        ASSERT_EQ(other->Moves.size(), first.Moves.size());
        for (std::size_t i = 0; i < first.Moves.size(); ++i)
            EXPECT_EQ(other->Moves[i].Commands, first.Moves[i].Commands);
    }
    // A budget too small to decide answers unknown, and says how far it got.
    SolverBudget tiny;
    tiny.MaxStates = 2;
    const SolveAnswer cut = solver.Solve(tiny);
    EXPECT_EQ(cut.Outcome, SolveOutcome::Unknown);
    EXPECT_GE(cut.States, 2);
    EXPECT_LT(cut.States, first.States);
    t.Play(first.Moves);
    EXPECT_EQ(t.ui.victories.size(), 1u);
}

TEST(Solver, StockCyclesGiveTheSameAnswerTwice)
{
    // The second search finds the cycles already known: same positions,
    // same line.
    SolverTable t;
    t.session.Settings.Autoplay = false;
    t.session.Menu.Autoplay = false;
    StockOfHighCards(t, DrawOneStock, 9999);
    t.Place("T1", Column, "6S 7H");
    t.Place("T2", Column, "6H 7S");
    t.Place("T3", Column);
    Solver solver(t.session);
    const SolveAnswer first = solver.Solve(Small());
    const SolveAnswer again = solver.Solve(Small());
    ASSERT_EQ(first.Outcome, SolveOutcome::Won);
    EXPECT_EQ(again.Outcome, first.Outcome);
    EXPECT_EQ(again.States, first.States);
    ASSERT_EQ(again.Moves.size(), first.Moves.size());
    for (std::size_t i = 0; i < first.Moves.size(); ++i) EXPECT_EQ(again.Moves[i].Commands, first.Moves[i].Commands);
}

TEST(Solver, AStockDealtOnceIsSearchedInTurnsThatKeepToTheBudget)
{
    // With no redeal the stock is gone through once, and the solver
    // searches under several orderings in turn, each with a share of the
    // budget: the answer is the same twice, the line replays, and a budget
    // too small for any of them answers unknown.
    SolverTable t;
    t.session.Settings.Autoplay = false;
    t.session.Menu.Autoplay = false;
    StockOfHighCards(t, DrawOneStock, 0);
    t.Place("T1", Column, "6S 7H");
    t.Place("T2", Column, "6H 7S");
    t.Place("T3", Column);
    Solver solver(t.session);
    const SolveAnswer first = solver.Solve(Small());
    const SolveAnswer again = solver.Solve(Small());
    ASSERT_EQ(first.Outcome, SolveOutcome::Won);
    EXPECT_EQ(again.States, first.States);
    ASSERT_EQ(again.Moves.size(), first.Moves.size());
    for (std::size_t i = 0; i < first.Moves.size(); ++i) EXPECT_EQ(again.Moves[i].Commands, first.Moves[i].Commands);
    SolverBudget tiny;
    tiny.MaxStates = 4;
    const SolveAnswer cut = solver.Solve(tiny);
    EXPECT_EQ(cut.Outcome, SolveOutcome::Unknown);
    EXPECT_LT(cut.States, first.States);
    t.Play(first.Moves);
    EXPECT_EQ(t.ui.victories.size(), 1u);
}

TEST(Solver, NothingToSolveWhileCardsAreCarried)
{
    SolverTable t;
    t.Foundations(13, 12);
    t.Place("T1", Column, "KH");
    DispatchClick(t.session, &t.CardNamed("KH"));
    ASSERT_TRUE(t.session.Carrying);
    const SolveAnswer answer = SolvePosition(t.session, Small());
    EXPECT_EQ(answer.Outcome, SolveOutcome::Unknown);
    EXPECT_EQ(answer.States, 0);
}

}  // namespace
}  // namespace vexa
