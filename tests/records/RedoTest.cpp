#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "core/Session.h"
#include "records/UndoJournal.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

// Moves made by hand between a Before snapshot and RecordStep, as every
// interaction does.
class Redo : public ::testing::Test {
protected:
    void SetUp() override
    {
        while (session.Board.Window().Count() > 0)
            session.Board.MoveCard(*session.Board.Window().Top(), session.Board.Store());
        for (int i = 0; i < 3; ++i) {
            auto pile = std::make_unique<Pile>("PILE" + std::to_string(i + 1));
            pile->Kind = i == 2 ? 3 : 2;
            piles[i] = session.Board.AddPile(std::move(pile));
        }
        session.Board.RebuildKindRange();
        test::PutCards(session.Board, *piles[0], "KS* 9H 8C 7D");
        test::PutCards(session.Board, *piles[1], "10S");
        test::PutCards(session.Board, *piles[2], "AC");
    }
    // Moves the top n cards of one pile onto another, turning up what they
    // leave uncovered, as one journaled step.
    void Move(int from, int to, int n)
    {
        TakeSnapshot(session, SnapshotSide::Before);
        Pile& source = *piles[from];
        std::vector<Card*> run(source.Cards().end() - n, source.Cards().end());
        for (Card* card : run) session.Board.MoveCard(*card, *piles[to]);
        if (source.Count() > 0) source.Top()->Face.SetState(ctFront);
        RecordStep(session);
    }
    std::string Table() const
    {
        return test::Describe(*piles[0]) + " | " + test::Describe(*piles[1]) + " | " + test::Describe(*piles[2]) +
               " | otf " + std::to_string(session.OneTimeMove);
    }

    NullPictureSource pictures;
    test::RecordingUi ui;
    test::ManualClock clock;
    Session session{pictures, ui, clock, 1024, 768};
    Pile* piles[3] = {};
};

TEST_F(Redo, RedoRestoresEachUndoneStepExactlyAndUndoTakesItBackAgain)
{
    const std::string dealt = Table();
    Move(0, 1, 3);  // 9H 8C 7D onto the ten, the king turns up
    const std::string afterFirst = Table();
    TakeSnapshot(session, SnapshotSide::Before);
    session.OneTimeMove = 0;
    RecordStep(session);
    const std::string afterSecond = Table();
    EXPECT_FALSE(session.Menu.Redo);

    UndoLastStep(session);
    EXPECT_EQ(Table(), afterFirst);
    EXPECT_TRUE(session.Menu.Redo);
    UndoLastStep(session);
    EXPECT_EQ(Table(), dealt);
    EXPECT_FALSE(session.Menu.Undo);

    RedoLastStep(session);
    EXPECT_EQ(Table(), afterFirst);
    EXPECT_TRUE(session.Menu.Undo);
    RedoLastStep(session);
    EXPECT_EQ(Table(), afterSecond);
    EXPECT_FALSE(session.Menu.Redo);
    RedoLastStep(session);  // nothing left to redo
    EXPECT_EQ(Table(), afterSecond);

    UndoLastStep(session);
    UndoLastStep(session);
    EXPECT_EQ(Table(), dealt);
}

TEST_F(Redo, ANewMoveOrANewHandEmptiesTheRedoList)
{
    Move(0, 1, 1);
    UndoLastStep(session);
    ASSERT_TRUE(session.Menu.Redo);
    Move(0, 2, 1);
    EXPECT_FALSE(session.Menu.Redo);
    RedoLastStep(session);
    EXPECT_EQ(test::Describe(*piles[2]), "AC 7D");

    UndoLastStep(session);
    ASSERT_TRUE(session.Menu.Redo);
    ResetUndo(session);
    EXPECT_FALSE(session.Menu.Redo);
    EXPECT_TRUE(session.Journal.RedoSteps.empty());
}

TEST_F(Redo, NothingIsRedoneWhileCarryingOrUnderTheSchemeWithoutUndo)
{
    Move(0, 1, 1);
    UndoLastStep(session);
    const std::string undone = Table();
    session.Carrying = true;
    RedoLastStep(session);
    EXPECT_EQ(Table(), undone);
    session.Carrying = false;

    session.Settings.Scoring = 5;
    Move(0, 1, 1);
    UndoLastStep(session);  // called directly: the menu never offers it under this scheme
    EXPECT_FALSE(session.Menu.Undo);
    EXPECT_FALSE(session.Menu.Redo);
    const std::string before = Table();
    RedoLastStep(session);
    EXPECT_EQ(Table(), before);
}

}  // namespace
}  // namespace vexa

namespace vexa {
namespace {

// A move that empties a pyramid pile hides it; its undo shows the pile
// again with its card, and its redo must hide it once more.
TEST_F(Redo, RedoHidesAgainThePyramidPileItsStepEmptied)
{
    piles[1]->Kind = 4;
    session.Board.RebuildKindRange();
    Move(1, 0, 1);
    piles[1]->Visible = false;  // as the drop hides an emptied Kind-4 pile
    const std::string moved = Table();
    UndoLastStep(session);
    EXPECT_TRUE(piles[1]->Visible);
    EXPECT_EQ(piles[1]->Count(), 1);
    RedoLastStep(session);
    EXPECT_EQ(Table(), moved);
    EXPECT_FALSE(piles[1]->Visible);
    // A pile a redo fills stays shown.
    UndoLastStep(session);
    EXPECT_TRUE(piles[1]->Visible);
}

// Every value a counter can hold comes back exactly through undo and redo
// (a spent one-time move is -1, a hand-written Redeals may be negative),
// while the values the records always carried keep their ten characters.
TEST_F(Redo, CountersComeBackExactlyThroughUndoAndRedo)
{
    EXPECT_EQ(RecordText(OneTimeMoveSlot, {0, 0, 0, 1}), "OTF0000001");
    EXPECT_EQ(RecordText(RedealsLeftSlot, {0, 0, 0, 9999}), "DLS0009999");
    const int values[] = {-1, 0, 1, 9999, 10000000, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
    for (const int value : values) {
        const int other = value == 0 ? 1 : 0;
        for (const bool undoneValue : {true, false}) {
            // A step from `from` to `to`; undo gives back from, redo to.
            const int from = undoneValue ? value : other;
            const int to = undoneValue ? other : value;
            ResetUndo(session);
            session.OneTimeMove = session.RedealsLeft = from;
            TakeSnapshot(session, SnapshotSide::Before);
            session.OneTimeMove = session.RedealsLeft = to;
            RecordStep(session);
            UndoLastStep(session);
            EXPECT_EQ(session.OneTimeMove, from) << value;
            EXPECT_EQ(session.RedealsLeft, from) << value;
            RedoLastStep(session);
            EXPECT_EQ(session.OneTimeMove, to) << value;
            EXPECT_EQ(session.RedealsLeft, to) << value;
        }
    }
}

}  // namespace
}  // namespace vexa
