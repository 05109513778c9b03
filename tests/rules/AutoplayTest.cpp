#include <gtest/gtest.h>

#include "records/UndoJournal.h"
#include "rules/Autoplay.h"
#include "rules/ClickDispatch.h"
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

// The double-click: the first click lifts, the second falls where the card
// lay and sends it to the first foundation that takes it, as one undo step.
TEST_F(Autoplay, ADoubleClickSendsTheLiftedCardToTheFirstFoundationThatTakesIt)
{
    Pile& column = Add("PILE1", Column, "5S* 2H");
    Pile& spades = Add("PILE2", Foundation, "AS");
    Pile& hearts = Add("PILE3", Foundation, "AH");
    session.Menu.Autoplay = true;
    const std::size_t stepsBefore = session.Journal.UndoSteps.size();

    DispatchClick(session, &CardNamed("2H"));
    ASSERT_TRUE(session.Carrying);
    // The second click on a card of the origin pile stands for the pile.
    EXPECT_TRUE(SendCarriedToFoundation(session, &CardNamed("5S")));
    EXPECT_FALSE(session.Carrying);
    EXPECT_EQ(test::Describe(hearts), "AH 2H");
    EXPECT_EQ(test::Describe(spades), "AS");
    EXPECT_EQ(test::Describe(column), "5S");  // turned up as by any drop
    ASSERT_EQ(session.Journal.UndoSteps.size(), stepsBefore + 1);
    UndoLastStep(session);
    EXPECT_EQ(test::Describe(column), "5S* 2H");
    EXPECT_EQ(test::Describe(hearts), "AH");
}

// Every case in which the second click is left to act as a click does:
// nothing moves and nothing is recorded.
TEST_F(Autoplay, ADoubleClickMovesNothingWhereAutoplayWouldNot)
{
    struct Case {
        const char* name;
        PileSpec origin;
        const char* cards;   // the origin pile, its top card is clicked first
        const char* lifted;  // the card clicked first
        bool autoplay;
        bool onOrigin;  // whether the second click falls on the origin pile
    };
    const PileSpec reserve{.kind = 5, .pick = 1};
    const PileSpec runs{.kind = 2, .pick = 3, .drop = 109, .emptyDrop = 209};
    const Case cases[] = {
        {"no foundation takes it", Column, "9C 3H", "3H", true, true},
        {"autoplay is off", Column, "9C 2H", "2H", false, true},
        {"second click elsewhere", Column, "9C 2H", "2H", true, false},
        {"a reserve is no source", reserve, "9C 2H", "2H", true, true},
        {"more than one card lifted", runs, "3S 2H", "3S", true, true},
        {"a card lifted from below the top", PileSpec{.kind = 2, .pick = 7}, "2H 9C", "2H", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::PlayTable table;
        Pile& origin = table.Add("PILE1", c.origin, c.cards);
        Pile& other = table.Add("PILE2", Column, "KD");
        Pile& hearts = table.Add("PILE3", Foundation, "AH");
        table.session.Menu.Autoplay = c.autoplay;
        DispatchClick(table.session, &table.CardNamed(c.lifted));
        ASSERT_TRUE(table.session.Carrying);
        const std::size_t steps = table.session.Journal.UndoSteps.size();
        EXPECT_FALSE(SendCarriedToFoundation(table.session, c.onOrigin ? &origin : &other));
        EXPECT_TRUE(table.session.Carrying);
        EXPECT_EQ(test::Describe(hearts), "AH");
        EXPECT_EQ(table.session.Journal.UndoSteps.size(), steps);
    }
    // Nothing carried: a double-click's first click that lifted nothing.
    Pile& column = Add("PILE1", Column, "9C 2H");
    Add("PILE2", Foundation, "AH");
    session.Menu.Autoplay = true;
    EXPECT_FALSE(SendCarriedToFoundation(session, &column));
    EXPECT_EQ(test::Describe(column), "9C 2H");
}

}  // namespace
}  // namespace vexa
