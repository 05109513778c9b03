// The undo journal: the records a step keeps, what undoing it restores, when
// Undo is enabled, and piles rebuilt exactly after a reshuffle.
#include <gtest/gtest.h>

#include "records/UndoJournal.h"
#include "rules/ClickDispatch.h"
#include "rules/PileActions.h"
#include "support/PlayTable.h"

namespace vexa {
namespace {

using test::Describe;
using test::PileSpec;

class Journal : public ::testing::Test {
protected:
    test::PlayTable t;
    Session& s = t.session;
    void Click(const std::string& card) { DispatchClick(s, &t.CardNamed(card)); }
    void Click(Pile& pile) { DispatchClick(s, &pile); }
    const std::string& NewestStep() { return s.Journal.UndoSteps.back(); }
};

TEST_F(Journal, AMoveRecordsTheMovedCardAndTheCardItTurnedOver)
{
    t.Add("P5", {});
    t.Add("P6", {});
    Pile& a = t.Add("A", {.pick = 1}, "2C 3C 4C 5C* 10D");  // position 7; 10D is card 23
    Pile& b = t.Add("B", {.drop = 120}, "2D");
    ASSERT_EQ(s.Board.PositionOf(&a), 7);
    Click("10D");
    Click("2D");
    ASSERT_EQ(s.Journal.UndoSteps.size(), 1u);
    EXPECT_EQ(NewestStep(), "0070031005\r\n0070040023\r\n");
    EXPECT_TRUE(s.Menu.Undo);
    UndoLastStep(s);
    EXPECT_EQ(Describe(a), "2C 3C 4C 5C* 10D");
    EXPECT_EQ(Describe(b), "2D");
    EXPECT_FALSE(s.Menu.Undo);  // the last step is gone
    Click("10D");
    Click("2D");
    EXPECT_TRUE(s.Menu.Undo);  // a new move enables it again
}

TEST_F(Journal, ARunComesBackInItsOldOrder)
{
    Pile& a = t.Add("A", {.pick = 2}, "KS 9H 8S 7H");
    Pile& b = t.Add("B", {.drop = 114}, "10C");
    Click("9H");
    Click("10C");
    EXPECT_EQ(NewestStep(), "0050010035\r\n0050020047\r\n0050030033\r\n");
    UndoLastStep(s);
    EXPECT_EQ(Describe(a), "KS 9H 8S 7H");
    EXPECT_EQ(Describe(b), "10C");
}

TEST_F(Journal, CounterRecords)
{
    t.Add("A", {}, "5C");
    s.OneTimeMove = 1;
    TakeSnapshot(s, SnapshotSide::Before);
    s.OneTimeMove = 0;  // what the one-time move button does
    RecordStep(s);
    EXPECT_EQ(NewestStep(), "OTF0000001\r\n");
    UndoLastStep(s);
    EXPECT_EQ(s.OneTimeMove, 1);

    // A redeal that lowers RedealsLeft from 2 to 1: DLS sorts after the cards.
    Pile& stock = t.Add("S", {.kind = 0, .layout = 402, .clickAction = 301});
    Pile& waste = t.Add("W", {.kind = 1, .layout = 402}, "7H 8H");
    s.RedealsLeft = 2;
    Click(stock);
    EXPECT_EQ(Describe(stock), "8H* 7H*");
    EXPECT_EQ(NewestStep(), "0070000033\r\n0070010034\r\nDLS0000002\r\n");
    UndoLastStep(s);
    EXPECT_EQ(s.RedealsLeft, 2);
    EXPECT_EQ(Describe(waste), "7H 8H");
    EXPECT_TRUE(stock.ShowHint);  // the emptied stock shows the restored count
    EXPECT_EQ(stock.Hint, "2 redeals left");
}

TEST_F(Journal, PutBackAddsNoStepAndUndoWaitsWhileCarrying)
{
    t.Add("A", {.pick = 1}, "5C 6D");
    t.Add("B", {.drop = 120}, "2D");
    Click("6D");
    Click("2D");
    ASSERT_EQ(s.Journal.UndoSteps.size(), 1u);
    Click("5C");
    Click("5C");  // back onto its own pile
    EXPECT_EQ(s.Journal.UndoSteps.size(), 1u);
    EXPECT_TRUE(s.Menu.Undo);
    Click("5C");
    UndoLastStep(s);  // ignored while carrying
    EXPECT_TRUE(s.Carrying);
    EXPECT_EQ(s.Journal.UndoSteps.size(), 1u);
    EXPECT_EQ(Describe(t.Drag()), "5C");
}

TEST_F(Journal, SchemeFiveNeverEnablesUndo)
{
    s.Settings.Scoring = 5;
    t.Add("A", {.pick = 1}, "5C 6D");
    t.Add("B", {.drop = 120}, "2D");
    Click("6D");
    Click("2D");
    EXPECT_EQ(s.Journal.UndoSteps.size(), 1u);
    EXPECT_FALSE(s.Menu.Undo);
    ResetUndo(s);
    EXPECT_TRUE(s.Journal.UndoSteps.empty());
}

TEST_F(Journal, APileRebuiltAfterAReshuffleKeepsItsOrder)
{
    // A card that lands back on its own place while the cards below it
    // change is recorded too, so that undo rebuilds the pile exactly.
    Pile& x = t.Add("X", {}, "AC 2C 3C");
    Pile& y = t.Add("Y", {}, "4C 5C");
    TakeSnapshot(s, SnapshotSide::Before);
    Table& table = s.Board;
    for (Pile* p : {&x, &y})
        while (p->Count() > 0) table.MoveCard(*p->Top(), table.Store());
    for (const char* c : {"4C", "2C", "5C"}) table.MoveCard(t.CardNamed(c), x);
    for (const char* c : {"AC", "3C"}) table.MoveCard(t.CardNamed(c), y);
    RecordStep(s);
    EXPECT_NE(NewestStep().find("0050010002"), std::string::npos);  // 2C kept its place and is recorded
    UndoLastStep(s);
    EXPECT_EQ(Describe(x), "AC 2C 3C");
    EXPECT_EQ(Describe(y), "4C 5C");
}

TEST_F(Journal, OrdinaryMovesRecordOnlyWhatChanged)
{
    // Cards below the lowest changed place of a pile are never recorded.
    t.Add("A", {.pick = 1}, "2C 3C 4C");
    t.Add("B", {.drop = 120}, "5C 6C 7C");
    Click("4C");
    Click("7C");
    EXPECT_EQ(NewestStep(), "0050020004\r\n");
}

TEST_F(Journal, ReshuffleOfTheTableauIsUndoneExactly)
{
    // Gather, shuffle and deal in threes over many seeds; each undo must give
    // back the table exactly as it was.
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        test::PlayTable u;
        Session& us = u.session;
        us.Rng.Seed(seed);
        us.RedealsLeft = 1;
        Pile& spot = u.Add("R", {.kind = 5, .layout = 402, .clickAction = 302});
        std::vector<Pile*> columns;
        const char* hands[] = {"AC 2C 3C", "4C 5C 6C", "7C 8C", "9C", "10C JC QC", "KC AD"};
        for (int i = 0; i < 6; ++i) columns.push_back(&u.Add("C" + std::to_string(i), {.kind = 2}, hands[i]));
        TakeSnapshot(us, SnapshotSide::Before);
        PileAction(us, spot);
        ASSERT_EQ(us.RedealsLeft, 0);
        UndoLastStep(us);
        for (int i = 0; i < 6; ++i) ASSERT_EQ(Describe(*columns[i]), hands[i]) << "seed " << seed;
        ASSERT_EQ(us.RedealsLeft, 1);
    }
}

}  // namespace
}  // namespace vexa
