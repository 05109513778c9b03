// Card placement in every layout style, and the scroll bars it leaves.
#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "table/PileLayout.h"

namespace vexa {
namespace {

class Layout : public ::testing::Test {
protected:
    Pile& MakePile(int style, int direction, int width = 71, int height = 96)
    {
        auto pile = std::make_unique<Pile>("P");
        pile->LayoutStyle = style;
        pile->Direction = static_cast<std::uint8_t>(direction);
        pile->Bounds = {0, 0, width, height};
        return *table.AddPile(std::move(pile));
    }
    void Fill(Pile& pile, int n)
    {
        for (int i = 1; i <= n; ++i) {
            table.MoveCard(table.CardAt(i), pile);
            table.CardAt(i).Visible = true;
        }
    }
    std::vector<int> Lefts(const Pile& pile)
    {
        std::vector<int> x;
        for (const Card* c : pile.Cards()) x.push_back(c->Bounds.left);
        return x;
    }
    std::vector<int> Tops(const Pile& pile)
    {
        std::vector<int> y;
        for (const Card* c : pile.Cards()) y.push_back(c->Bounds.top);
        return y;
    }
    std::vector<bool> Shown(const Pile& pile)
    {
        std::vector<bool> v;
        for (const Card* c : pile.Cards()) v.push_back(c->Visible);
        return v;
    }
    NullPictureSource pictures;
    Table table{pictures};
};

TEST_F(Layout, FanDownRightAndSquare)
{
    Pile& down = MakePile(401, 0, 71, 400);
    Fill(down, 5);
    LayOutPile(down);
    EXPECT_EQ(Tops(down), (std::vector<int>{0, 17, 34, 51, 68}));
    EXPECT_EQ(Lefts(down), (std::vector<int>{0, 0, 0, 0, 0}));

    table.RemoveGameControls();
    Pile& right = MakePile(401, 1, 300, 96);
    Fill(right, 3);
    LayOutPile(right);
    EXPECT_EQ(Lefts(right), (std::vector<int>{0, 15, 30}));

    table.RemoveGameControls();
    Pile& square = MakePile(401, 2);
    Fill(square, 3);
    for (Card* c : square.Cards()) c->Visible = false;
    LayOutPile(square);
    EXPECT_EQ(Lefts(square), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Shown(square), (std::vector<bool>{true, true, true}));
}

TEST_F(Layout, FanLeftFromTheRightEdgeShiftsWhenItNoLongerFits)
{
    Pile& pile = MakePile(401, 3, 200, 112);
    Fill(pile, 3);
    LayOutPile(pile);
    EXPECT_EQ(Lefts(pile), (std::vector<int>{129, 114, 99}));
    EXPECT_FALSE(pile.Horz.Visible);

    for (int i = 4; i <= 10; ++i) table.MoveCard(table.CardAt(i), pile);
    LayOutPile(pile);
    EXPECT_EQ(Lefts(pile), (std::vector<int>{135, 120, 105, 90, 75, 60, 45, 30, 15, 0}));
    // The fan now reaches 6 pixels past the right edge.
    EXPECT_TRUE(pile.Horz.Visible);
    EXPECT_EQ(pile.Horz.Range, 6);
}

TEST_F(Layout, UnknownDirectionLeavesCardsAlone)
{
    Pile& pile = MakePile(401, 7);
    Fill(pile, 2);
    table.CardAt(2).Bounds.left = 33;
    LayOutPile(pile);
    EXPECT_EQ(Lefts(pile), (std::vector<int>{0, 33}));
}

TEST_F(Layout, StackShowsOnlyTheTopCardAndRepaintsWhenEmpty)
{
    Pile& pile = MakePile(402, 2);
    Fill(pile, 3);
    LayOutPile(pile);
    EXPECT_EQ(Shown(pile), (std::vector<bool>{false, false, true}));
    table.RemoveGameControls();
    Pile& empty = MakePile(402, 2);
    const int repaints = empty.RepaintCount;
    LayOutPile(empty);
    EXPECT_EQ(empty.RepaintCount, repaints + 1);

    Pile& fan = MakePile(401, 0);
    LayOutPile(fan);
    EXPECT_EQ(fan.RepaintCount, 0);  // a fan does not repaint an empty pile
}

TEST_F(Layout, TopThreeFansOnlyTheTopThree)
{
    Pile& pile = MakePile(403, 0, 71, 200);
    Fill(pile, 3);
    LayOutPile(pile);
    EXPECT_EQ(Tops(pile), (std::vector<int>{0, 17, 34}));
    EXPECT_EQ(Shown(pile), (std::vector<bool>{true, true, true}));
    table.MoveCard(table.CardAt(4), pile);
    LayOutPile(pile);
    EXPECT_EQ(Tops(pile), (std::vector<int>{0, 0, 17, 34}));
    EXPECT_EQ(Shown(pile), (std::vector<bool>{false, true, true, true}));

    table.RemoveGameControls();
    Pile& across = MakePile(403, 1, 200, 96);
    Fill(across, 5);
    LayOutPile(across);
    EXPECT_EQ(Lefts(across), (std::vector<int>{0, 0, 0, 15, 30}));
}

TEST_F(Layout, ClosingStackTurnsTheThirteenthCardDown)
{
    Pile& pile = MakePile(404, 2);
    Fill(pile, 12);
    LayOutPile(pile);
    for (const Card* c : pile.Cards()) EXPECT_EQ(c->Face.State(), ctFront);
    table.MoveCard(table.CardAt(13), pile);
    LayOutPile(pile);
    EXPECT_EQ(pile.Top()->Face.State(), ctBack);
    EXPECT_TRUE(pile.Top()->Visible);
    table.MoveCard(table.CardAt(14), pile);
    LayOutPile(pile);
    EXPECT_EQ(pile.CardAt(12)->Face.State(), ctBack);
    EXPECT_FALSE(pile.CardAt(12)->Visible);
    EXPECT_EQ(pile.Top()->Face.State(), ctFront);
}

TEST_F(Layout, DragPileIsNeverRearranged)
{
    Pile& drag = table.DragPile();
    Fill(drag, 2);
    table.CardAt(2).Bounds.left = 40;
    LayOutPile(drag);
    EXPECT_EQ(table.CardAt(2).Bounds.left, 40);
}

TEST_F(Layout, FanResetsScrollPositionsAndBarsFollowDirection)
{
    Pile& pile = MakePile(401, 0, 71, 200);
    Fill(pile, 10);  // 96 + 9 * 17 = 249 > 200
    LayOutPile(pile);
    EXPECT_TRUE(pile.Vert.Visible);
    EXPECT_FALSE(pile.Horz.Visible);
    EXPECT_EQ(pile.Vert.Range, 49);
    pile.Vert.Position = 30;
    LayOutPile(pile);
    EXPECT_EQ(pile.Vert.Position, 0);

    // Direction 2 never shows a bar, whatever the cards' extent.
    table.RemoveGameControls();
    Pile& square = MakePile(401, 2, 40, 40);
    Fill(square, 2);
    LayOutPile(square);
    EXPECT_FALSE(square.Horz.Visible || square.Vert.Visible);
}

// The layouts that place every card compute the scroll bars from where they
// put the cards; reading the cards again must give the same bars, for every
// style, direction and count, in piles too small for the cards and large.
TEST_F(Layout, BarsLaidOutMatchTheCardsRead)
{
    for (const int style : {401, 402, 403, 404})
        for (int direction = 0; direction <= 4; ++direction)
            for (const auto& [width, height] : {std::pair{71, 96}, std::pair{40, 300}, std::pair{300, 40}})
                for (const int n : {0, 1, 2, 3, 4, 14}) {
                    table.RemoveGameControls();
                    Pile& pile = MakePile(style, direction, width, height);
                    Fill(pile, n);
                    LayOutPile(pile);
                    const ScrollBar horz = pile.Horz, vert = pile.Vert;
                    UpdateScrollBars(pile);
                    const auto same = [](const ScrollBar& x, const ScrollBar& y) {
                        return x.Visible == y.Visible && x.Range == y.Range && x.Position == y.Position;
                    };
                    EXPECT_TRUE(same(horz, pile.Horz) && same(vert, pile.Vert))
                        << "style " << style << " direction " << direction << " size " << width << "x" << height
                        << " cards " << n;
                }
}

}  // namespace
}  // namespace vexa
