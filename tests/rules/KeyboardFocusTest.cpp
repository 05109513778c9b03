// Keyboard focus: the nearest pile in each direction on a small table, and
// what the Page keys walk on a pile.
#include <gtest/gtest.h>

#include "rules/KeyboardFocus.h"
#include "support/PlayTable.h"

namespace vexa {
namespace {

using test::PileSpec;

// A stock and a waste on top, three columns below; the middle column is
// shifted a little to the right, a hidden pile lies far right.
struct Grid : test::PlayTable {
    Grid()
    {
        stock = &Add("STOCK", {.kind = 0, .layout = 402, .bounds = {10, 10, 71, 96}});
        waste = &Add("WASTE", {.kind = 1, .layout = 402, .bounds = {110, 10, 71, 96}});
        left = &Add("LEFT", {.kind = 2, .pick = 2, .bounds = {10, 130, 71, 300}}, "KS QH JC");
        middle = &Add("MIDDLE", {.kind = 2, .pick = 2, .bounds = {120, 130, 71, 300}});
        right = &Add("RIGHT", {.kind = 2, .pick = 2, .bounds = {210, 130, 71, 300}}, "5D");
        hidden = &Add("HIDDEN", {.kind = 2, .bounds = {400, 130, 71, 300}});
        hidden->Visible = false;
    }
    Pile *stock, *waste, *left, *middle, *right, *hidden;
};

TEST(KeyboardFocusTest, ArrowsGoToTheNearestVisiblePileThatWay)
{
    Grid g;
    const Session& s = g.session;
    EXPECT_EQ(FirstFocusPile(s), g.stock);
    EXPECT_EQ(NearestPile(s, *g.stock, FocusDirection::Right), g.waste);
    EXPECT_EQ(NearestPile(s, *g.stock, FocusDirection::Left), nullptr);
    EXPECT_EQ(NearestPile(s, *g.stock, FocusDirection::Up), nullptr);
    // Straight down beats the nearer column off to the side.
    EXPECT_EQ(NearestPile(s, *g.stock, FocusDirection::Down), g.left);
    EXPECT_EQ(NearestPile(s, *g.waste, FocusDirection::Down), g.middle);
    EXPECT_EQ(NearestPile(s, *g.left, FocusDirection::Right), g.middle);
    EXPECT_EQ(NearestPile(s, *g.middle, FocusDirection::Right), g.right);
    EXPECT_EQ(NearestPile(s, *g.middle, FocusDirection::Up), g.waste);
    // The hidden pile and the DragPile are never reached.
    EXPECT_EQ(NearestPile(s, *g.right, FocusDirection::Right), nullptr);
}

TEST(KeyboardFocusTest, PageKeysWalkTheClickableCardsAndThenTheFreeArea)
{
    Grid g;
    const Session& s = g.session;
    // A fanned column: every card shows part of itself, and its area below
    // the cards is free.
    const std::vector<Control*> column = ClickTargets(s, *g.left);
    ASSERT_EQ(column.size(), 4u);
    EXPECT_EQ(column[0], &g.CardNamed("KS"));
    EXPECT_EQ(column[2], &g.CardNamed("JC"));
    EXPECT_EQ(column[3], g.left);
    // An empty pile offers only its area; a hidden pile nothing.
    EXPECT_EQ(ClickTargets(s, *g.middle), std::vector<Control*>{g.middle});
    EXPECT_TRUE(ClickTargets(s, *g.hidden).empty());
    // A card-sized pile that holds cards has no free area left.
    g.Put(*g.stock, "2C 3C");
    const std::vector<Control*> stock = ClickTargets(s, *g.stock);
    ASSERT_FALSE(stock.empty());
    EXPECT_EQ(stock.back(), &g.CardNamed("3C"));
}

}  // namespace
}  // namespace vexa
