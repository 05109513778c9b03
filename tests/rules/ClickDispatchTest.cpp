// The click dispatcher's states, what a player can click, and the peek.
#include <gtest/gtest.h>

#include "rules/ClickDispatch.h"
#include "rules/Peek.h"
#include "support/PlayTable.h"

namespace vexa {
namespace {

using test::Describe;
using test::PileSpec;

class Clicks : public ::testing::Test {
protected:
    test::PlayTable t;
    Session& s = t.session;
};

TEST_F(Clicks, EveryIdleClickTakesTheBeforeSnapshot)
{
    Pile& a = t.Add("A", {.pick = 3}, "KS* 9H");
    t.session.Board.MoveCard(t.CardNamed("9H"), t.session.Board.Store());
    t.Put(a, "9H");
    DispatchClick(s, &t.CardNamed("KS"));  // face down under PickRule 3: nothing lifted
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(s.Journal.SnapshotTable[static_cast<std::size_t>(test::CardIndex("9H") - 1)].Before.Place, 1);
    s.Board.MoveCard(t.CardNamed("KS"), s.Board.Store());  // the table changes behind the journal's back
    DispatchClick(s, nullptr);                             // the background click takes a fresh snapshot
    EXPECT_EQ(s.Journal.SnapshotTable[static_cast<std::size_t>(test::CardIndex("9H") - 1)].Before.Place, 0);
}

TEST_F(Clicks, AnEmptyPileRunsItsActionAndItsCardsTheirPickRule)
{
    Pile& stock = t.Add("S", {.kind = 0, .pick = 1, .layout = 402, .clickAction = 301}, "4C");
    t.Add("W", {.kind = 1}, "9D");
    s.RedealsLeft = 5;
    DispatchClick(s, &stock);  // holds a card: the action does nothing
    EXPECT_EQ(Describe(stock), "4C");
    DispatchClick(s, &t.CardNamed("4C"));
    EXPECT_TRUE(s.Carrying);
}

TEST_F(Clicks, AnInertTableAndTheWelcomeScreenIgnoreClicks)
{
    t.Add("A", {.pick = 1}, "9H");
    s.Inert = true;
    DispatchClick(s, &t.CardNamed("9H"));
    EXPECT_FALSE(s.Carrying);
    EXPECT_FALSE(CanClickCard(s, t.CardNamed("9H")));
    s.Inert = false;
    s.Welcome = true;
    DispatchClick(s, &t.CardNamed("9H"));
    EXPECT_FALSE(s.Carrying);
}

TEST_F(Clicks, WhatAPlayerCanClick)
{
    Pile& square = t.Add("Q", {.layout = 401, .direction = 2}, "AC 2C 3C");
    Pile& stack = t.Add("S", {.layout = 402, .bounds = {100, 0, 71, 96}}, "4C 5C");
    Pile& fan = t.Add("F", {.layout = 401, .bounds = {200, 0, 71, 400}}, "6C 7C");
    Pile& wide = t.Add("W", {.layout = 401, .bounds = {300, 0, 90, 96}});
    EXPECT_FALSE(CanClickCard(s, t.CardNamed("AC")));  // covered by the card above
    EXPECT_TRUE(CanClickCard(s, t.CardNamed("3C")));
    EXPECT_FALSE(CanClickCard(s, t.CardNamed("4C")));  // hidden by the layout
    EXPECT_TRUE(CanClickCard(s, t.CardNamed("6C")));
    EXPECT_FALSE(CanClickCard(s, t.CardNamed("8C")));  // in the CardStore
    EXPECT_FALSE(CanClickPileArea(s, square));         // a card fills the 71 x 96 pile
    EXPECT_FALSE(CanClickPileArea(s, stack));
    EXPECT_TRUE(CanClickPileArea(s, fan));
    EXPECT_TRUE(CanClickPileArea(s, wide));
    t.Put(wide, "8C");
    EXPECT_TRUE(CanClickPileArea(s, wide));  // 19 pixels stay free
    fan.Visible = false;
    EXPECT_FALSE(CanClickCard(s, t.CardNamed("6C")));
    EXPECT_FALSE(CanClickPileArea(s, fan));
    EXPECT_FALSE(CanClickPileArea(s, t.Drag()));
}

TEST_F(Clicks, PeekShowsTheOriginAndRestoresTheExactScrollPositions)
{
    Pile& tall = t.Add("T", {.layout = 401, .direction = 0, .bounds = {0, 0, 71, 120}}, "AC 2C 3C 4C 5C 6C 7C 8C");
    Pile& other = t.Add("O", {.bounds = {100, 0, 71, 96}}, "9D");
    ASSERT_TRUE(tall.Vert.Visible);
    tall.Vert.Position = 40;
    EXPECT_FALSE(BeginPeek(s, &tall, MouseButton::Secondary));             // a pile's area starts no peek
    EXPECT_FALSE(BeginPeek(s, nullptr, MouseButton::Secondary));           // nor the background
    EXPECT_FALSE(BeginPeek(s, &t.CardNamed("3C"), MouseButton::Primary));  // nor the primary button
    EXPECT_TRUE(BeginPeek(s, &t.CardNamed("3C"), MouseButton::Secondary));
    EXPECT_FALSE(tall.Vert.Visible);
    EXPECT_EQ(tall.Vert.Position, 0);
    EXPECT_FALSE(BeginPeek(s, &t.CardNamed("9D"), MouseButton::Secondary));  // one peek at a time
    EXPECT_EQ(s.Peek.Pile, &tall);
    EXPECT_FALSE(EndPeek(s, MouseButton::Primary));
    EXPECT_TRUE(EndPeek(s, MouseButton::Secondary));
    EXPECT_TRUE(tall.Vert.Visible);
    EXPECT_EQ(tall.Vert.Position, 40);
    EXPECT_EQ(s.Peek.Pile, nullptr);
    EXPECT_FALSE(other.Vert.Visible);
}

}  // namespace
}  // namespace vexa
