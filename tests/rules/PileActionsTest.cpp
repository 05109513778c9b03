// Pile actions: turning the waste over onto the stock, the two-waste form,
// and gathering, shuffling and dealing the tableau in threes.
#include <gtest/gtest.h>

#include "rules/ClickDispatch.h"
#include "rules/PileActions.h"
#include "support/PlayTable.h"

namespace vexa {
namespace {

using test::Describe;
using test::PileSpec;

class Redeal : public ::testing::Test {
protected:
    test::PlayTable t;
    Session& s = t.session;
    void Click(Pile& pile) { DispatchClick(s, &pile); }
};

TEST_F(Redeal, TheWasteIsTurnedOverOntoTheEmptyStock)
{
    Pile& stock = t.Add("S", {.kind = 0, .layout = 402, .clickAction = 301, .pattern = "DDDu"});
    Pile& waste = t.Add("W", {.kind = 1, .layout = 402}, "AC 2D 3H");
    s.RedealsLeft = 2;
    stock.ShowHint = true;
    Click(stock);
    EXPECT_EQ(Describe(stock), "3H* 2D* AC");  // the old bottom card on top, turned up by the pattern
    EXPECT_EQ(Describe(waste), "");
    EXPECT_EQ(s.RedealsLeft, 1);
    EXPECT_FALSE(stock.ShowHint);
    EXPECT_EQ(s.Journal.UndoSteps.size(), 1u);

    Click(stock);  // the stock holds cards: its own area does nothing
    EXPECT_EQ(s.RedealsLeft, 1);
    while (stock.Count() > 0) s.Board.MoveCard(*stock.Top(), s.Board.Store());
    Click(stock);  // an empty waste: nothing moves, nothing is spent
    EXPECT_EQ(s.RedealsLeft, 1);
    t.Put(waste, "5C");
    s.RedealsLeft = 0;
    Click(stock);
    EXPECT_EQ(Describe(waste), "5C");
    EXPECT_EQ(s.Journal.UndoSteps.size(), 1u);
}

TEST_F(Redeal, TwoWastePilesAreJoinedFirst)
{
    Pile& stock = t.Add("S", {.kind = 0, .layout = 402, .clickAction = 303});
    Pile& x = t.Add("X", {.kind = 1}, "AC 2C");
    t.Add("F", {.kind = 3});
    Pile& y = t.Add("Y", {.kind = 1}, "3C 4C");
    s.RedealsLeft = 1;
    Click(stock);
    EXPECT_EQ(Describe(stock), "4C* 3C* 2C* AC*");
    EXPECT_EQ(Describe(x) + Describe(y), "");
    EXPECT_EQ(s.RedealsLeft, 0);
}

TEST_F(Redeal, WithoutTheWastePilesTheyNeedNothingHangsOrGetsLost)
{
    Pile& stock = t.Add("S", {.kind = 0, .layout = 402, .clickAction = 303});
    s.RedealsLeft = 3;
    Click(stock);  // no waste pile at all
    EXPECT_EQ(s.RedealsLeft, 3);
    Pile& only = t.Add("W", {.kind = 1}, "AC 2C");
    Click(stock);  // a single waste pile serves as first and last
    EXPECT_EQ(Describe(stock), "2C* AC*");
    EXPECT_EQ(Describe(only), "");
}

TEST_F(Redeal, TheTableauIsGatheredShuffledAndDealtInThrees)
{
    Pile& spot = t.Add("R", {.kind = 5, .layout = 402, .clickAction = 302});
    std::vector<Pile*> columns;
    for (int i = 0; i < 18; ++i) columns.push_back(&t.Add("C" + std::to_string(i), {.kind = 2}));
    // 35 cards spread over the columns, one face down.
    const char* ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    for (int i = 0; i < 35; ++i)
        t.Put(*columns[static_cast<std::size_t>(i % 18)],
              std::string(ranks[i % 13]) + "CDH"[i / 13] + (i == 4 ? "*" : ""));
    s.RedealsLeft = 2;
    Click(spot);
    int total = 0;
    for (int i = 0; i < 18; ++i) {
        const int expected = i < 11 ? 3 : i == 11 ? 2 : 0;
        EXPECT_EQ(columns[static_cast<std::size_t>(i)]->Count(), expected) << i;
        total += columns[static_cast<std::size_t>(i)]->Count();
    }
    EXPECT_EQ(total, 35);
    EXPECT_EQ(t.CardNamed("5C").Face.State(), ctBack);  // faces are kept
    EXPECT_EQ(s.RedealsLeft, 1);
    EXPECT_TRUE(spot.ShowHint);
    EXPECT_EQ(spot.Hint, "1 redeal left");
    EXPECT_EQ(spot.Count(), 0);
    EXPECT_EQ(t.Drag().Count(), 0);
}

TEST_F(Redeal, ATableauTooSmallForItsCardsLeavesTheRestOnTheLastPile)
{
    Pile& spot = t.Add("R", {.kind = 2, .layout = 402, .clickAction = 302});
    Pile& a = t.Add("A", {.kind = 2}, "AC 2C 3C 4C");
    t.Add("F", {.kind = 3});
    Pile& b = t.Add("B", {.kind = 2}, "5C 6C 7C 8C");
    s.RedealsLeft = 1;
    Click(spot);  // the clicked tableau pile itself is not dealt to
    EXPECT_EQ(a.Count(), 3);
    EXPECT_EQ(b.Count(), 5);
    EXPECT_EQ(spot.Count(), 0);

    test::PlayTable u;  // no other tableau pile: the cards stay on the clicked one
    Pile& lone = u.Add("R", {.kind = 2, .layout = 401, .clickAction = 302}, "");
    u.session.RedealsLeft = 1;
    Pile& other = u.Add("A", {.kind = 5}, "9D");
    DispatchClick(u.session, &lone);
    EXPECT_EQ(lone.Count(), 0);
    EXPECT_EQ(Describe(other), "9D");
    EXPECT_EQ(u.session.RedealsLeft, 0);  // spent even when no card was gathered
}

}  // namespace
}  // namespace vexa
