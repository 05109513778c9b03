// Picking up and dropping through the click dispatcher: every PickRule, the
// immediate card actions, the Prepick, Postpick and Postdrop steps, and the
// card a move exposes.
#include <gtest/gtest.h>

#include "records/UndoJournal.h"
#include "rules/ClickDispatch.h"
#include "rules/Lifting.h"
#include "rules/PickUpAndDrop.h"
#include "support/PlayTable.h"

namespace vexa {
namespace {

using test::Describe;
using test::PileSpec;

class Play : public ::testing::Test {
protected:
    test::PlayTable t;
    Session& s = t.session;
    void Click(const std::string& card) { DispatchClick(s, &t.CardNamed(card)); }
    void Click(Pile& pile) { DispatchClick(s, &pile); }
    std::string Carried() { return Describe(t.Drag()); }
    // Lifts with a click on the named card, describes what is carried, and
    // puts it back onto its pile.
    std::string LiftAndReturn(const std::string& card)
    {
        Click(card);
        const std::string carried = Carried();
        if (s.Carrying) Click(*s.OriginPile);
        return carried;
    }
};

TEST_F(Play, LiftingPickRules)
{
    auto lifts = [&](int code, const std::string& cards, const std::string& click) {
        test::PlayTable table;
        table.Add("P", {.pick = code}, cards);
        DispatchClick(table.session, &table.CardNamed(click));
        return Describe(table.Drag());
    };
    EXPECT_EQ(lifts(0, "9S 8H", "8H"), "");
    EXPECT_EQ(lifts(1, "9S 8H*", "9S"), "8H*");  // the top card, face down or not
    EXPECT_EQ(lifts(2, "9S 3H 8C", "3H"), "3H 8C");
    EXPECT_EQ(lifts(2, "9S* 3H", "9S"), "");  // face down
    EXPECT_EQ(lifts(3, "9S 8H 7C", "9S"), "9S 8H 7C");
    EXPECT_EQ(lifts(3, "9S 8H 7H", "9S"), "");
    EXPECT_EQ(lifts(3, "9S* 8H 7C", "9S"), "");
    EXPECT_EQ(lifts(4, "9S 8S 7S", "8S"), "8S 7S");
    EXPECT_EQ(lifts(4, "9S 8S 7H", "9S"), "");
    EXPECT_EQ(lifts(5, "9S 8H 7H", "9S"), "9S 8H 7H");
    EXPECT_EQ(lifts(5, "9S 8H 8C", "9S"), "");
    EXPECT_EQ(lifts(6, "2H AH KH QH", "2H"), "2H AH KH QH");
    EXPECT_EQ(lifts(6, "2H AH KH QH JH 10H 9H 8H 7H 6H 5H 4H 3H", "2H"), "2H AH KH QH JH 10H 9H 8H 7H 6H 5H 4H 3H");
    EXPECT_EQ(lifts(6, "AH KH AS", "AH"), "");  // suit changes
    EXPECT_EQ(lifts(6, "2H AH KH", "AH"), "AH KH");
    EXPECT_EQ(lifts(7, "9S 8H 7C", "8H"), "8H");
    EXPECT_EQ(lifts(7, "9S 8H* 7C", "8H"), "");
    EXPECT_EQ(lifts(9, "7S 7H 7C", "7S"), "7S 7H 7C");
    EXPECT_EQ(lifts(9, "7C 6C 5C", "7C"), "7C 6C 5C");
    EXPECT_EQ(lifts(9, "7C 6C 6H", "7C"), "");
    EXPECT_EQ(lifts(9, "7C 7H 6H", "7C"), "");
    EXPECT_EQ(lifts(42, "7C", "7C"), "");
}

TEST_F(Play, PickRule8LiftsTheBottomCardOfAnUncoveredPile)
{
    Pile& apex = t.Add("P0", {.kind = 4, .pick = 8, .bounds = {100, 8, 71, 96}}, "9C* 4H");
    Pile& row = t.Add("P1", {.kind = 4, .pick = 8, .bounds = {64, 48, 71, 96}}, "5C");
    Click("9C");
    EXPECT_EQ(Carried(), "");
    row.Visible = false;
    Click("4H");  // any card of the pile stands for it
    EXPECT_EQ(Carried(), "9C*");
    EXPECT_EQ(CarriedCard(s), &t.CardNamed("9C"));
    EXPECT_EQ(s.OriginPile, &apex);
}

TEST_F(Play, ADropMovesTheRunTurnsUpTheExposedCardAndRecordsOneStep)
{
    Pile& from = t.Add("A", {.pick = 3, .drop = 109}, "KC* 9H 8S");
    Pile& to = t.Add("B", {.drop = 109}, "10C");
    Click("9H");
    EXPECT_TRUE(s.Carrying);
    EXPECT_EQ(Describe(from), "KC*");
    Click(from);  // a click on the origin pile (not a card) puts back
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(Describe(from), "KC* 9H 8S");
    EXPECT_TRUE(s.Journal.UndoSteps.empty());
    Click("9H");
    Click("10C");
    EXPECT_EQ(Describe(to), "10C 9H 8S");
    EXPECT_EQ(Describe(from), "KC");
    EXPECT_EQ(s.Journal.UndoSteps.size(), 1u);
    EXPECT_TRUE(s.HandPlayed);
    EXPECT_EQ(s.OriginPile, nullptr);
    UndoLastStep(s);
    EXPECT_EQ(Describe(from), "KC* 9H 8S");
    EXPECT_EQ(Describe(to), "10C");
}

TEST_F(Play, RefusedDropsAndBackgroundClicksKeepTheCarry)
{
    t.Add("A", {.pick = 1}, "9H");
    t.Add("B", {.drop = 109}, "10H");
    Click("9H");
    Click("10H");
    DispatchClick(s, nullptr);
    UndoLastStep(s);
    EXPECT_TRUE(s.Carrying);
    EXPECT_EQ(Carried(), "9H");
}

TEST_F(Play, DealActions)
{
    Pile& stock = t.Add("S", {.kind = 0, .pick = 90, .layout = 402}, "2C* 3C* 4C*");
    Pile& waste = t.Add("W", {.kind = 1, .layout = 402});
    s.Settings.Scoring = 5;
    s.StreakCount = 4;
    Click("3C");  // 90 moves the clicked card, whichever it is
    EXPECT_EQ(Describe(waste), "3C");
    EXPECT_EQ(s.StreakCount, 0);
    EXPECT_EQ(s.Journal.UndoSteps.size(), 1u);
    EXPECT_FALSE(s.Menu.Undo);  // never under scheme 5
    s.Settings.Scoring = 0;

    stock.PickRule = 91;
    Click("4C");
    EXPECT_EQ(Describe(waste), "3C 4C 2C");
    EXPECT_EQ(Describe(stock), "");
    EXPECT_TRUE(stock.ShowHint);  // the emptied stock shows the redeal status
    EXPECT_EQ(stock.Hint, "No redeals");
    EXPECT_TRUE(s.Menu.Undo);
}

TEST_F(Play, DealToEveryPileAndTheThreeOfTwoWastePiles)
{
    Pile& stock = t.Add("S", {.kind = 0, .pick = 92, .layout = 402}, "2C* 3C* 4C*");
    Pile& a = t.Add("A", {.kind = 2}, "KH");
    t.Add("F", {.kind = 3});
    Pile& b = t.Add("B", {.kind = 2});
    Click("4C");
    EXPECT_EQ(Describe(a), "KH 4C");
    EXPECT_EQ(Describe(b), "3C");
    EXPECT_EQ(Describe(stock), "2C*");

    test::PlayTable u;
    Pile& st = u.Add("S", {.kind = 0, .pick = 93, .layout = 402}, "2C* 3C* 4C* 5C* 6C*");
    Pile& first = u.Add("W1", {.kind = 1}, "9D");
    Pile& last = u.Add("W2", {.kind = 1}, "10D* JD");
    DispatchClick(u.session, &u.CardNamed("6C"));
    EXPECT_EQ(Describe(first), "9D 10D* JD");  // faces kept
    EXPECT_EQ(Describe(last), "6C 5C 4C");
    EXPECT_EQ(Describe(st), "2C* 3C*");
    st.PickRule = 95;
    DispatchClick(u.session, &u.CardNamed("3C"));
    EXPECT_EQ(Describe(first), "9D 10D* JD 3C");
    EXPECT_EQ(Describe(last), "6C 5C 4C 2C");
}

TEST_F(Play, DealActionsWithoutTheirTargetPilesChangeNothing)
{
    Pile& stock = t.Add("S", {.kind = 0, .pick = 90, .layout = 402}, "2C* 3C*");
    for (int code : {90, 91, 93, 94}) {
        stock.PickRule = code;
        Click("3C");
        EXPECT_EQ(Describe(stock), "2C* 3C*") << code;
    }
    // A single waste pile under 93: nothing to gather, three dealt onto it.
    Pile& waste = t.Add("W", {.kind = 1}, "9D");
    stock.PickRule = 93;
    Click("3C");
    EXPECT_EQ(Describe(waste), "9D 3C 2C");
    EXPECT_TRUE(s.Journal.UndoSteps.size() == 1u);
}

TEST_F(Play, PickRule94SendsTheCardToTheFirstFoundation)
{
    t.Add("S", {.kind = 0, .pick = 94, .layout = 402}, "2C* 3C*");
    t.Add("F0", {.kind = 2});
    Pile& f = t.Add("F", {.kind = 3});
    Click("3C");
    EXPECT_EQ(Describe(f), "3C");
}

TEST_F(Play, LiftingTheLastStockCardShowsTheHintAndPuttingItBackHidesIt)
{
    Pile& stock = t.Add("S", {.kind = 0, .pick = 1, .layout = 402}, "7C");
    t.session.RedealsLeft = 2;
    Click("7C");
    EXPECT_TRUE(stock.ShowHint);
    EXPECT_EQ(stock.Hint, "2 redeals left");
    Click(stock);
    EXPECT_FALSE(stock.ShowHint);
    EXPECT_EQ(Describe(stock), "7C");
}

TEST_F(Play, PostpickOneCompletesTheMoveWhenTheFoundationAccepts)
{
    s.Settings.Postpick = 1;
    s.Settings.Scoring = 5;
    Pile& f = t.Add("F", {.kind = 3, .drop = 101, .emptyDrop = 203});
    t.Add("P", {.kind = 2, .pick = 1}, "9S AH");
    Click("AH");
    EXPECT_FALSE(s.Carrying);
    EXPECT_EQ(Describe(f), "AH");
    EXPECT_EQ(s.Journal.UndoSteps.size(), 1u);
    EXPECT_EQ(s.StreakBonus, 1);
    Click("9S");  // refused by the foundation: stays carried
    EXPECT_TRUE(s.Carrying);
    EXPECT_EQ(Carried(), "9S");
}

TEST_F(Play, PostpickOneHidesTheEmptiedPyramidPileAndTurnsUpWhatItFreed)
{
    s.Settings.Postpick = 1;
    t.Add("F", {.kind = 3, .drop = 210, .emptyDrop = 210, .bounds = {600, 8, 71, 96}});
    Pile& apex = t.Add("P0", {.kind = 4, .pick = 8, .bounds = {100, 8, 71, 96}}, "9C*");
    Pile& row = t.Add("P1", {.kind = 4, .pick = 8, .bounds = {64, 48, 71, 96}}, "5C");
    Click("5C");
    EXPECT_FALSE(row.Visible);
    EXPECT_EQ(Describe(apex), "9C");
}

TEST_F(Play, PostpickThirteenSendsKingsOnly)
{
    s.Settings.Postpick = 13;
    Pile& f = t.Add("F", {.kind = 3});
    Pile& a = t.Add("A", {.kind = 4, .pick = 7, .bounds = {200, 8, 71, 96}}, "4D* KC");
    t.Add("B", {.kind = 4, .pick = 1, .bounds = {300, 8, 71, 96}}, "QC");
    Click("KC");
    EXPECT_EQ(Describe(f), "KC");
    EXPECT_EQ(Describe(a), "4D");  // the exposed card is turned up
    Click("QC");
    EXPECT_TRUE(s.Carrying);
}

TEST_F(Play, PostpickWithoutAFoundationLeavesTheCardsCarried)
{
    s.Settings.Postpick = 13;
    t.Add("A", {.kind = 2, .pick = 1}, "KC");
    Click("KC");
    EXPECT_TRUE(s.Carrying);
    EXPECT_EQ(Carried(), "KC");
}

TEST_F(Play, PostdropThirteenRemovesAPairButNotOnAPutBack)
{
    s.Settings.Postdrop = 13;
    Pile& f = t.Add("F", {.kind = 3});
    Pile& a = t.Add("A", {.kind = 2, .pick = 1, .drop = 114}, "7S");
    Pile& b = t.Add("B", {.kind = 2, .pick = 1, .drop = 114}, "8H 5D 6C");
    Click("6C");
    Click("7S");
    EXPECT_EQ(Describe(f), "6C 7S");  // the dropped card lies under the one it was dropped on
    EXPECT_EQ(Describe(a), "");
    Click("5D");
    Click("8H");  // 5 + 8 = 13 but it is a put-back
    EXPECT_EQ(Describe(b), "8H 5D");
    t.Put(a, "8C");
    t.Put(b, "7D");
    Click("7D");
    Click("8C");  // 7 + 8 = 15: both stay
    EXPECT_EQ(Describe(a), "8C 7D");
}

TEST_F(Play, PostdropFourteenAndAMissingFoundation)
{
    s.Settings.Postdrop = 14;
    Pile& a = t.Add("A", {.kind = 2, .pick = 1, .drop = 118}, "9S");
    Pile& b = t.Add("B", {.kind = 2, .pick = 7}, "5D 9C");
    Click("9C");
    Click("9S");
    EXPECT_EQ(Describe(a), "9S");  // 9 + 9 is no pair of 14: refused
    Click(b);
    Click("5D");
    Click("9S");
    EXPECT_EQ(Describe(a), "9S 5D");  // no foundation: no pair removed, no card lost
    Pile& f = t.Add("F", {.kind = 3});
    Click("9C");
    Click("5D");
    EXPECT_EQ(Describe(f), "9C 5D");
    EXPECT_EQ(Describe(a), "9S");
}

TEST_F(Play, PostdropTwentyRefillsAnEmptiedTableauPileFromTheStock)
{
    s.Settings.Postdrop = 20;
    Pile& stock = t.Add("S", {.kind = 0, .layout = 402, .pattern = "DDU"}, "2H* 3C*");
    Pile& a = t.Add("A", {.kind = 2, .pick = 1}, "9C");
    t.Add("B", {.kind = 2, .drop = 120}, "10C");
    Click("9C");
    Click("10C");
    EXPECT_EQ(Describe(a), "3C");  // turned up by the drop as the exposed card
    EXPECT_EQ(Describe(stock), "2H");
    Click("3C");
    Click("9C");
    EXPECT_EQ(Describe(a), "2H");
    EXPECT_EQ(Describe(stock), "");
    EXPECT_TRUE(stock.ShowHint);
    test::PlayTable u;  // no stock at all: nothing happens
    u.session.Settings.Postdrop = 20;
    Pile& c = u.Add("A", {.kind = 2, .pick = 1}, "9C");
    u.Add("B", {.kind = 2, .drop = 120}, "10C");
    DispatchClick(u.session, &u.CardNamed("9C"));
    DispatchClick(u.session, &u.CardNamed("10C"));
    EXPECT_EQ(Describe(c), "");
}

TEST_F(Play, PostdropThirtyHidesTheEmptiedPyramidPileAndTurnsUpFreedCards)
{
    s.Settings.Postdrop = 30;
    Pile& apex = t.Add("P0", {.kind = 4, .pick = 8, .bounds = {100, 8, 71, 96}}, "9C*");
    Pile& row = t.Add("P1", {.kind = 4, .pick = 8, .bounds = {64, 48, 71, 96}}, "5C");
    t.Add("W", {.kind = 1, .drop = 120, .bounds = {400, 300, 71, 96}}, "2C");
    TakeSnapshot(s, SnapshotSide::Before);
    Click("5C");
    Click("2C");
    EXPECT_FALSE(row.Visible);
    EXPECT_EQ(Describe(apex), "9C");
    UndoLastStep(s);  // the undo gives the pile its card back and shows it again
    EXPECT_TRUE(row.Visible);
    EXPECT_EQ(Describe(apex), "9C*");
    EXPECT_EQ(Describe(row), "5C");
}

TEST_F(Play, TheOneTimeMoveBringsABuriedCardUpAndIsSpentOnce)
{
    s.Settings.Prepick = 1;
    Pile& p = t.Add("A", {.kind = 2, .pick = 1}, "9H 4S 2D");
    Click("9H");  // not armed yet: the top card is lifted
    EXPECT_EQ(Carried(), "2D");
    Click(p);
    s.OneTimeMove = 0;
    TakeSnapshot(s, SnapshotSide::Before);
    Click("9H");
    EXPECT_EQ(Carried(), "9H");
    EXPECT_EQ(s.OneTimeMove, -1);
    Click(p);
    EXPECT_EQ(Describe(p), "4S 2D 9H");
    EXPECT_EQ(s.Journal.UndoSteps.size(), 1u);
    Click("4S");
    EXPECT_EQ(Carried(), "9H");  // spent
    Click(p);
    UndoLastStep(s);
    EXPECT_EQ(Describe(p), "9H 4S 2D");
    EXPECT_EQ(s.OneTimeMove, 0);
    // Not on other kinds.
    Pile& w = t.Add("W", {.kind = 1, .pick = 1}, "5C 6C");
    Click("5C");
    EXPECT_EQ(Carried(), "6C");
    Click(w);
}

TEST_F(Play, MoveToDragPileTakesAStretchInOrder)
{
    Pile& p = t.Add("A", {}, "9H 8S 7H 6S");
    MoveToDragPile(s, p, 1, 1);
    EXPECT_EQ(Carried(), "8S");
    MoveToDragPile(s, p, 1, 2);
    EXPECT_EQ(Carried(), "8S 7H 6S");
    p.CardAt(0)->Bounds.top = 50;
    MoveToDragPile(s, p, 1, 0);  // nothing moves, the pile is laid out
    EXPECT_EQ(p.CardAt(0)->Bounds.top, 0);
    EXPECT_EQ(Describe(p), "9H");
}

TEST_F(Play, CoverTest)
{
    Pile& a = t.Add("A", {.kind = 4, .bounds = {100, 100, 71, 96}});
    EXPECT_TRUE(IsUncovered(s, a));  // an empty pile can be uncovered too
    GameButton& b = t.AddButton("B", {165, 190, 20, 20});
    EXPECT_FALSE(IsUncovered(s, a));  // a button covers the lower-right corner
    b.Visible = false;
    EXPECT_TRUE(IsUncovered(s, a));
    a.Bounds = {0, 520, 71, 96};  // corners below the table area's edge
    EXPECT_FALSE(IsUncovered(s, a));
    a.Bounds = {0, 0, 71, 96};
    t.Add("Behind", {.bounds = {0, 0, 71, 96}});  // a later pile lies in front
    EXPECT_FALSE(IsUncovered(s, a));
}

}  // namespace
}  // namespace vexa
