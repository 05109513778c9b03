// The searches of a hand where a claim button wins on runs from a King of
// mixed suits and only runs of one suit lift: the compact model's search
// (first) and the staged search breadth first over the rows play the moves
// a row must wait for before dealing it, the line replays to the victory
// and is the same each time, and a hand none of them can win is still
// proved lost by the plain search after them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/SolverTable.h"
#include "table/PileLayout.h"

namespace vexa {
namespace {

using test::PileSpec;
using test::SolverTable;

const PileSpec RowStock{0, 92, 0, 0, 402, 2};
const PileSpec RunColumn{2, 4, 114, 205, 401, 0, {0, 120, 71, 400}};

// Two decks: the card of a deck (0 or 1), suit (0 to 3) and value.
Card& CardOf(Table& table, int deck, int suit, int value) { return table.CardAt(deck * 52 + suit * 13 + value); }

// Eight columns of two decks, each from the King down to the Four in
// suits that change from card to card, the eight Aces in the stock and a
// claim button. The Threes and Twos are left to the caller; the first
// column has none.
struct ClaimTable {
    SolverTable t;
    Table& table = t.session.Board;
    std::vector<Pile*> columns;
    ClaimTable()
    {
        t.session.Settings.Decks = 2;
        t.session.Settings.Autoplay = false;
        t.session.Menu.Autoplay = false;
        t.Place("F1", {3, 0, 111, 211, 402, 2});
        Pile& stock = t.Place("ST", RowStock);
        for (int column = 0; column < 8; ++column) {
            columns.push_back(&t.Place("T" + std::to_string(column + 1), RunColumn));
            for (int value = 13; value >= 4; --value)
                table.MoveCard(CardOf(table, column / 4, (column + value) % 4, value), *columns.back());
        }
        for (int suit = 0; suit < 8; ++suit) {
            Card& ace = CardOf(table, suit / 4, suit % 4, 1);
            table.MoveCard(ace, stock);
            ace.Face.SetState(ctBack);
        }
        t.AddButton("B1", {300, 40, 150, 28}).Tag = 3;
    }
    // The Three and Two each column from the third on would have.
    void EndTheOtherColumns()
    {
        for (int column = 2; column < 8; ++column)
            for (int value = 3; value >= 2; --value)
                table.MoveCard(CardOf(table, column / 4, (column + value) % 4, value), *columns[column]);
    }
    void LayOut()
    {
        for (int p = 0; p < table.ControlCount(); ++p)
            if (Pile* pile = table.PileAt(p)) LayOutPile(*pile);
    }
};

SolverBudget Small()
{
    SolverBudget budget;
    budget.MaxStates = 20000;
    return budget;
}

TEST(SolverRowBeam, MovesARunOffBeforeTheRowBuriesIt)
{
    // The second column ends in a Three and a Two of spades that belong on
    // the first column's Four: lifted together they go there, and the row
    // of Aces then ends every run. Dealt first, the row covers the Four
    // with an Ace, and with an Ace on every column nothing moves again.
    ClaimTable c;
    c.EndTheOtherColumns();
    c.table.MoveCard(CardOf(c.table, 0, 0, 3), *c.columns[1]);
    c.table.MoveCard(CardOf(c.table, 0, 2, 2), *c.columns[1]);
    c.table.MoveCard(CardOf(c.table, 0, 3, 3), *c.columns[1]);
    c.table.MoveCard(CardOf(c.table, 0, 3, 2), *c.columns[1]);
    c.LayOut();
    const SolveAnswer first = SolvePosition(c.t.session, Small());
    ASSERT_EQ(first.Outcome, SolveOutcome::Won);
    const SolveAnswer again = SolvePosition(c.t.session, Small());
    EXPECT_EQ(again.States, first.States);
    ASSERT_EQ(again.Moves.size(), first.Moves.size());
    for (std::size_t i = 0; i < first.Moves.size(); ++i) EXPECT_EQ(again.Moves[i].Commands, first.Moves[i].Commands);
    EXPECT_EQ(first.Moves.back().Commands, std::vector<std::string>{"button B1"});
    // The compact model's search, first, wins it within a position's share
    // of its budget, with the line the code of play replays.
    SolverBudget tight;
    tight.MaxStates = 2;
    const SolveAnswer model = SolvePosition(c.t.session, tight);
    ASSERT_EQ(model.Outcome, SolveOutcome::Won);
    ASSERT_EQ(model.Moves.size(), first.Moves.size());
    c.t.Play(first.Moves);
    EXPECT_EQ(c.t.ui.victories.size(), 1u);
    EXPECT_EQ(c.t.session.Board.FindPile("ST")->Count(), 0);
    EXPECT_EQ(c.t.session.Board.FindPile("F1")->Count(), 104);
}

TEST(SolverRowBeam, LeavesTheProofOfALossToThePlainSearch)
{
    // The same Three and Two in different suits cannot be lifted together,
    // and the Two goes nowhere: the first column never gets its Three.
    ClaimTable c;
    c.EndTheOtherColumns();
    c.table.MoveCard(CardOf(c.table, 0, 0, 3), *c.columns[1]);
    c.table.MoveCard(CardOf(c.table, 0, 3, 2), *c.columns[1]);
    c.table.MoveCard(CardOf(c.table, 0, 3, 3), *c.columns[1]);
    c.table.MoveCard(CardOf(c.table, 0, 2, 2), *c.columns[1]);
    c.LayOut();
    EXPECT_EQ(SolvePosition(c.t.session, Small()).Outcome, SolveOutcome::Lost);
}

}  // namespace
}  // namespace vexa
