#include <gtest/gtest.h>

#include "records/UndoJournal.h"
#include "rules/Autoplay.h"
#include "support/PlayTable.h"

namespace vexa {
namespace {

using test::PileSpec;

// Foundations that build up in suit from an Ace, tableau piles that lift
// their top card.
const PileSpec Foundation{.kind = 3, .pick = 0, .drop = 106, .emptyDrop = 203};
const PileSpec Column{.kind = 2, .pick = 1, .drop = 109, .emptyDrop = 209};

class Autoplay : public ::testing::Test, protected test::PlayTable {};

TEST_F(Autoplay, TheScanStartsAgainAfterEveryMoveSoTheAceGoesBeforeTheTwo)
{
    Pile& early = Add("PILE1", Column, "9C 2H");
    Pile& late = Add("PILE2", Column, "5S* AH");
    Pile& first = Add("PILE3", Foundation);
    Pile& second = Add("PILE4", Foundation);
    session.Menu.Autoplay = true;

    AutoplayCommand(session);
    EXPECT_EQ(test::Describe(first), "AH 2H");  // the earlier foundation takes both
    EXPECT_EQ(test::Describe(second), "");
    EXPECT_EQ(test::Describe(early), "9C");
    EXPECT_EQ(test::Describe(late), "5S");  // the exposed card is turned up
    EXPECT_TRUE(session.HandPlayed);
    EXPECT_EQ(session.OriginPile, nullptr);
    EXPECT_EQ(session.Score, 2);

    // The whole run is one undo step.
    ASSERT_EQ(session.Journal.UndoSteps.size(), 1u);
    UndoLastStep(session);
    EXPECT_EQ(test::Describe(early), "9C 2H");
    EXPECT_EQ(test::Describe(late), "5S* AH");
    EXPECT_EQ(test::Describe(first), "");
}

TEST_F(Autoplay, NothingMovesWhileCarryingOrWhenNoFoundationAcceptsAndNoStepIsRecorded)
{
    Pile& column = Add("PILE1", Column, "9C 2H");
    Add("PILE2", Foundation);
    Add("PILE3", PileSpec{.kind = 0, .pick = 0}, "AH*");  // stocks are never sources
    Add("PILE4", PileSpec{.kind = 5, .pick = 1}, "AS");   // nor reserves
    AutoplayCommand(session);
    EXPECT_EQ(test::Describe(column), "9C 2H");
    EXPECT_TRUE(session.Journal.UndoSteps.empty());
    EXPECT_FALSE(session.HandPlayed);

    Pile& waste = Add("PILE5", PileSpec{.kind = 1, .pick = 1}, "AD");
    session.Board.MoveCard(*waste.Top(), session.Board.DragPile());
    session.Carrying = true;
    session.OriginPile = &waste;
    AutoplayCommand(session);
    EXPECT_EQ(session.Board.DragPile().Count(), 1);
    EXPECT_TRUE(session.Journal.UndoSteps.empty());
}

TEST_F(Autoplay, AWinReachedByAutoplayShowsTheVictoryOnce)
{
    Pile* foundations[4];
    for (int suit = 0; suit < 4; ++suit) {
        foundations[suit] = &Add("PILE" + std::to_string(suit + 1), Foundation);
        for (int rank = 1; rank <= 13; ++rank)
            if (suit != 3 || rank < 13)
                session.Board.MoveCard(session.Board.CardAt(suit * 13 + rank), *foundations[suit]);
    }
    Pile& column = Add("PILE5", Column);
    Put(column, "KS");
    AutoplayCommand(session);
    // The last card lands on the queen of spades.
    EXPECT_EQ(foundations[3]->Count(), 13);
    EXPECT_EQ(session.Score, 52);
    EXPECT_EQ(ui.victories.size(), 1u);
}

}  // namespace
}  // namespace vexa
