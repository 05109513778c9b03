// The kept winning line of the hints: it answers only where the table
// stands on it, follows undo, and puts a card move before a turn of the
// stock where both orders reach the same position.
#include <gtest/gtest.h>

#include "app/HintLine.h"
#include "rules/ClickDispatch.h"
#include "support/PlayTable.h"

namespace vexa {
namespace {

using test::PileSpec;

SolverMove Turn(int card) { return {SolverMove::Type::Card, card, card, "", {"click card " + std::to_string(card)}}; }
SolverMove Move(int card, const std::string& pile)
{
    return {SolverMove::Type::Card, card, card, pile, {"click card " + std::to_string(card), "click pile " + pile}};
}

class HintLineTest : public ::testing::Test, protected test::PlayTable {
protected:
    // Hearts up to the given rank on the foundation, then the column and
    // the stock (its top card last) as given.
    void Lay(const std::string& foundation, const std::string& column, const std::string& stock)
    {
        Add("STOCK", PileSpec{.kind = 0, .pick = 90, .clickAction = 301}, stock);
        Add("WASTE", PileSpec{.kind = 1, .pick = 1});
        Add("FOUND", PileSpec{.kind = 3, .drop = 106, .emptyDrop = 203}, foundation);
        Add("COLUMN", PileSpec{.kind = 2, .pick = 1, .drop = 109, .emptyDrop = 209}, column);
    }
    int C(const char* name) { return test::CardIndex(name); }
    void Play(const SolverMove& move)
    {
        for (const std::string& command : move.Commands) {
            const std::string what = command.substr(6);
            if (what.rfind("card ", 0) == 0)
                DispatchClick(session, &session.Board.CardAt(std::stoi(what.substr(5))));
            else
                DispatchClick(session, session.Board.FindPile(what.substr(5)));
        }
    }

    HintLine line;
};

TEST_F(HintLineTest, ACardMoveThatCanComeFirstIsHintedBeforeTheStockTurn)
{
    Lay("AH 2H 3H 4H 5H 6H 7H 8H 9H", "10H", "QH* JH*");
    const std::vector<SolverMove> found{Turn(C("JH")), Move(C("10H"), "FOUND"), Move(C("JH"), "FOUND"),
                                        Turn(C("QH")), Move(C("QH"), "FOUND")};
    line.Keep(session, found);
    ASSERT_EQ(line.Size(), 5u);
    const SolverMove* next = line.Next(session);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->CardIndex, C("10H"));
    EXPECT_EQ(next->Target, "FOUND");

    // Followed, the line goes on with the turn; undone, it is back.
    Play(*next);
    next = line.Next(session);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->Commands, Turn(C("JH")).Commands);
    Play(*next);
    EXPECT_EQ(line.Next(session)->CardIndex, C("JH"));
    UndoLastStep(session);
    UndoLastStep(session);
    EXPECT_EQ(line.Next(session)->CardIndex, C("10H"));
    // Off the line: no answer.
    DispatchClick(session, &CardNamed("JH"));
    EXPECT_EQ(line.Next(session), nullptr);  // turned, but the 10 is not up
}

TEST_F(HintLineTest, TheStockTurnStaysFirstWhenTheCardMoveNeedsIt)
{
    // The Jack must be turned before it can go up: nothing moves ahead.
    Lay("AH 2H 3H 4H 5H 6H 7H 8H 9H 10H", "3C", "QH* JH*");
    const std::vector<SolverMove> found{Turn(C("JH")), Move(C("JH"), "FOUND"), Turn(C("QH")),
                                        Move(C("QH"), "FOUND")};
    line.Keep(session, found);
    ASSERT_NE(line.Next(session), nullptr);
    EXPECT_EQ(line.Next(session)->Commands, Turn(C("JH")).Commands);

    // A card move that would lead elsewhere than the line stays in place:
    // the Three of clubs has nowhere to go, its move changes nothing.
    const std::vector<SolverMove> odd{Turn(C("JH")), Move(C("3C"), "FOUND"), Move(C("JH"), "FOUND")};
    line.Keep(session, odd);
    EXPECT_EQ(line.Next(session)->Commands, Turn(C("JH")).Commands);
}

TEST_F(HintLineTest, ALineIsKeptOnlyUpToACommandThatNamesNothing)
{
    Lay("AH", "2H", "");
    line.Keep(session, {Move(C("2H"), "FOUND"), Move(C("3H"), "NOWHERE")});
    EXPECT_EQ(line.Size(), 1u);
    // Carrying cards, the table stands on no line position.
    DispatchClick(session, &CardNamed("2H"));
    EXPECT_EQ(line.Next(session), nullptr);
}

}  // namespace
}  // namespace vexa
