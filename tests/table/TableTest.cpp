// The table model: CardSet, containers, TableOrder and KindRange.
#include <gtest/gtest.h>

#include <set>

#include "support/TestSupport.h"
#include "table/Table.h"

namespace vexa {
namespace {

Pile* AddPile(Table& table, const char* name, int kind)
{
    auto pile = std::make_unique<Pile>(name);
    pile->Kind = static_cast<std::uint8_t>(kind);
    return table.AddPile(std::move(pile));
}

TEST(Table, CardSetStartsInTheStoreWithTwoDecksOfValuesAndPaddedHints)
{
    NullPictureSource pictures;
    Table table(pictures);
    EXPECT_EQ(table.Store().Count(), 104);
    EXPECT_EQ(table.CardAt(1).Face.Deckvalue(), 1);
    EXPECT_EQ(table.CardAt(52).Face.Deckvalue(), 52);
    EXPECT_EQ(table.CardAt(53).Face.Deckvalue(), 1);
    EXPECT_EQ(table.CardAt(104).Face.Deckvalue(), 52);
    EXPECT_EQ(table.CardAt(14).Face.Suit(), csDiamonds);
    EXPECT_EQ(table.CardAt(7).Hint, "  7");
    EXPECT_EQ(table.CardAt(104).Hint, "104");
    EXPECT_EQ(table.CardAt(9).Face.CardBackStyle(), 6);
    EXPECT_EQ(table.CardAt(9).Face.State(), ctFront);
}

TEST(Table, TableOrderKeepsNonWindowedChildrenFirst)
{
    NullPictureSource pictures;
    Table table(pictures);
    ASSERT_EQ(table.ControlCount(), 5);
    EXPECT_EQ(table.ControlAt(0)->Name, "Numbers");
    EXPECT_EQ(table.ControlAt(3)->Name, "Label1");
    EXPECT_EQ(table.ControlAt(4)->Name, "Fritz");
    EXPECT_EQ(table.DragPile().Kind, 6);
    EXPECT_EQ(table.DragPile().LayoutStyle, 400);
    EXPECT_FALSE(table.DragPile().Visible);

    AddPile(table, "PILE1", 2);
    // A card put on the window itself goes before every windowed control.
    table.MoveCard(table.CardAt(52), table.Window());
    EXPECT_EQ(table.ControlAt(4), &table.CardAt(52));
    EXPECT_EQ(table.ControlAt(5)->Name, "Fritz");
    EXPECT_EQ(table.ControlAt(6)->Name, "PILE1");
    table.MoveCard(table.CardAt(52), table.Store());
    EXPECT_EQ(table.ControlAt(4)->Name, "Fritz");
    EXPECT_EQ(table.ControlCount(), 6);
}

TEST(Table, MovingACardAppendsItOnTopAndMovingItIntoItsOwnPileChangesNothing)
{
    NullPictureSource pictures;
    Table table(pictures);
    Pile* a = AddPile(table, "A", 2);
    Pile* b = AddPile(table, "B", 2);
    test::PutCards(table, *a, "AS 2S 3S");
    table.MoveCard(table.CardAt(test::CardIndex("AS")), *a);
    EXPECT_EQ(test::Describe(*a), "AS 2S 3S");
    table.MoveCard(table.CardAt(test::CardIndex("2S")), *b);
    EXPECT_EQ(test::Describe(*a), "AS 3S");
    EXPECT_EQ(test::Describe(*b), "2S");
    EXPECT_EQ(table.Store().Count(), 101);
    EXPECT_EQ(table.CardAt(test::CardIndex("2S")).Parent(), b);
}

// The solver copies a pile from its last position while the pile's change
// count and the count of turned cards stand still.
TEST(Table, PilesCountEveryCardInOrOutAndFacesCountOnlyRealTurns)
{
    NullPictureSource pictures;
    Table table(pictures);
    Pile* a = AddPile(table, "A", 2);
    test::PutCards(table, *a, "AS 2S 3S");
    const std::uint32_t changes = a->Changes;
    table.MoveCard(table.CardAt(test::CardIndex("2S")), table.Store());  // from under the top
    table.MoveCard(table.CardAt(test::CardIndex("3S")), *a);             // already there
    CardFace& face = table.CardAt(test::CardIndex("AS")).Face;
    const std::uint64_t turns = CardFace::Turns();
    face.SetState(ctFront);  // no change
    face.SetState(ctBack);
    EXPECT_EQ(CardFace::Turns(), turns + 1);
    EXPECT_EQ(a->Changes, changes + 1);
}

TEST(Table, KindRangeSpansEachKindAndIgnoresKindsBeyondSix)
{
    NullPictureSource pictures;
    Table table(pictures);
    AddPile(table, "S1", 0);   // 5
    AddPile(table, "T1", 2);   // 6
    AddPile(table, "S2", 0);   // 7
    AddPile(table, "X", 200);  // 8: belongs to no range
    table.RebuildKindRange();
    EXPECT_EQ(table.KindRange(0).first, 5);
    EXPECT_EQ(table.KindRange(0).last, 7);
    EXPECT_EQ(table.KindRange(2).first, 6);
    EXPECT_EQ(table.KindRange(3).first, -1);
    EXPECT_EQ(table.KindRange(3).last, -1);
    EXPECT_EQ(table.KindRange(6).first, 4);  // the DragPile
    EXPECT_EQ(table.KindRange(200).first, -1);
}

TEST(Table, RemovingTheGameKeepsTheDragPileAndReturnsCards)
{
    NullPictureSource pictures;
    Table table(pictures);
    Pile* a = AddPile(table, "A", 2);
    AddPile(table, "B", 6);  // a table pile that claims the DragPile's kind
    table.AddButton(std::make_unique<GameButton>("BUTTON1"));
    test::PutCards(table, *a, "KH QS");
    table.RemoveGameControls();
    EXPECT_EQ(table.ControlCount(), 5);
    EXPECT_EQ(table.ControlAt(4), &table.DragPile());
    EXPECT_EQ(table.Store().Count(), 104);
    EXPECT_EQ(table.FindPile("A"), nullptr);
}

TEST(Table, ControlsOfARebuiltTableNeverShareASerialWithTheOldOnes)
{
    NullPictureSource pictures;
    Table table(pictures);
    std::set<std::uint64_t> seen;
    for (int position = 0; position < table.ControlCount(); ++position)
        EXPECT_TRUE(seen.insert(table.ControlAt(position)->Serial()).second);
    EXPECT_EQ(seen.count(0), 0u);
    for (int round = 0; round < 3; ++round) {
        // Rebuilt with the same shapes, so freed addresses are likely reused.
        const std::uint64_t pile = AddPile(table, "A", 2)->Serial();
        const std::uint64_t button = table.AddButton(std::make_unique<GameButton>("BUTTON1"))->Serial();
        EXPECT_TRUE(seen.insert(pile).second);
        EXPECT_TRUE(seen.insert(button).second);
        table.RemoveGameControls();
    }
    // A card keeps its serial when it leaves the window and comes back.
    Card& card = table.CardAt(11);
    table.MoveCard(card, table.Window());
    const std::uint64_t serial = card.Serial();
    table.MoveCard(card, table.Store());
    table.MoveCard(card, table.Window());
    EXPECT_EQ(card.Serial(), serial);
}

}  // namespace
}  // namespace vexa
