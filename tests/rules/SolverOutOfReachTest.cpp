// A victory the rules put out of reach: where the scheme counts the cards
// on piles that can never take a card, a hand short of the full count is
// lost without a search, and each rule that could add a card to those
// piles switches the proof off. The hints of a game scored by the cards
// left still get the line to the lowest score.
#include <gtest/gtest.h>

#include <functional>

#include "support/SolverTable.h"

namespace vexa {
namespace {

using test::PileSpec;
using test::SolverTable;

// Golf's shapes: columns that give their top card and take none, a stock
// whose click plays its card on the waste, and the waste that takes a card
// one rank from its top card's, a King taking nothing.
const PileSpec GolfColumn{2, 1, 0, 0, 401, 0, {0, 10, 71, 170}};
const PileSpec GolfStock{0, 94, 0, 0, 402, 2};
const PileSpec GolfWaste{3, 0, 112, 0, 402, 2};

struct GolfTable : SolverTable {
    // By default: column A 3S under 4D, column B 6C under 7H, the 8D face
    // down in the stock and the 5H on the waste.
    GolfTable(const std::string& a = "3S 4D", const std::string& b = "6C 7H", const std::string& stock = "8D*",
              const std::string& waste = "5H")
    {
        session.Settings.Scoring = 2;
        session.Settings.Postpick = 1;
        session.Settings.Autoplay = false;
        Place("A", GolfColumn, a);
        Place("B", GolfColumn, b);
        Place("S", GolfStock, stock);
        Place("W", GolfWaste, waste);
    }
};

SolverBudget Budget(bool line = false)
{
    SolverBudget budget;
    budget.MaxStates = 20000;
    budget.LowestScoreLine = line;
    return budget;
}

TEST(SolverOutOfReach, ALossWithoutASearchOnlyWhileNothingCanAddACardToTheCountedPiles)
{
    // Each case changes one rule of the Golf table; "search" says whether
    // the plain search must still run (a card could reach the counted piles).
    struct Case {
        const char* what;
        std::function<void(GolfTable&)> change;
        bool search;
    };
    const Case cases[] = {
        {"as Golf", [](GolfTable&) {}, false},
        {"a scheme that never wins", [](GolfTable& t) { t.session.Settings.Scoring = 9; }, false},
        {"a column builds down", [](GolfTable& t) { t.session.Board.FindPile("B")->DropRule = 114; }, true},
        {"an empty column takes a card", [](GolfTable& t) { t.session.Board.FindPile("A")->EmptyDropRule = 205; },
         true},
        {"the stock deals onto the columns", [](GolfTable& t) { t.session.Board.FindPile("S")->PickRule = 92; }, true},
        {"a pile deals the tableau again", [](GolfTable& t) { t.session.Board.FindPile("W")->ClickAction = 302; },
         true},
        {"a step refills the tableau", [](GolfTable& t) { t.session.Settings.Postdrop = 20; }, true},
        {"the foundations are counted", [](GolfTable& t) { t.session.Settings.Scoring = 0; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GolfTable t;
        c.change(t);
        const SolveAnswer answer = SolvePosition(t.session, Budget());
        if (c.search) {
            EXPECT_GT(answer.States, 1);
        } else {
            EXPECT_EQ(answer.Outcome, SolveOutcome::Lost);
            EXPECT_EQ(answer.States, 1);
            EXPECT_TRUE(answer.Moves.empty());
        }
    }
}

TEST(SolverOutOfReach, AFullCountIsAVictoryNotALoss)
{
    // Every card on the counted columns already: the hand is won as it stands.
    GolfTable t(test::Suit('C', 1, 13) + " " + test::Suit('D', 1, 13),
                test::Suit('S', 1, 13) + " " + test::Suit('H', 1, 13), "", "");
    const SolveAnswer answer = SolvePosition(t.session, Budget());
    EXPECT_EQ(answer.Outcome, SolveOutcome::Won);
}

TEST(SolverOutOfReach, TheHintsGetTheLineToTheLowestScore)
{
    // Only one order clears both columns: 4D and 3S onto the 5H first, then
    // the stock's 8D, and 7H and 6C on it. Turning the stock first strands
    // column A under a 6C.
    GolfTable t;
    const SolveAnswer answer = SolvePosition(t.session, Budget(true));
    EXPECT_EQ(answer.Outcome, SolveOutcome::Lost);
    ASSERT_FALSE(answer.Moves.empty());
    t.Play(answer.Moves);
    EXPECT_EQ(t.session.Board.FindPile("A")->Count(), 0);
    EXPECT_EQ(t.session.Board.FindPile("B")->Count(), 0);
    EXPECT_EQ(t.session.Score, 0);
}

}  // namespace
}  // namespace vexa
