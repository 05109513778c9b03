// The schedule of flights: runs that stay together fly as one step, every
// other card on its own, in an order the cards could have moved in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FlightPlan.h"

namespace vexa {
namespace {

struct Move {
    int Card;
    char From;  // piles by letter
    int Order;
    char To;
    int Depth;
};

struct Case {
    std::string Name;
    std::vector<Move> Moves;
    std::vector<std::vector<int>> Steps;  // card numbers, step by step
};

// The piles' stand-ins: only their identity matters.
const void* PileOf(char letter)
{
    static const char piles[] = "ABCDEFG";
    return piles + (letter - 'A');
}

class FlightPlanTest : public ::testing::TestWithParam<Case> {};

TEST_P(FlightPlanTest, StepsAndTheirOrder)
{
    std::vector<PlannedFlight> moves;
    for (const Move& m : GetParam().Moves)
        moves.push_back({{m.Card, m.Card, QRect(), QRect()}, PileOf(m.From), PileOf(m.To), m.Order, m.Depth});
    std::vector<std::vector<int>> steps;
    for (const auto& step : PlanFlights(moves)) {
        steps.emplace_back();
        for (const CardFlights::Flight& flight : step) steps.back().push_back(flight.Card);
    }
    EXPECT_EQ(steps, GetParam().Steps);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, FlightPlanTest,
    ::testing::Values(
        // Autoplay from one column (A, top card order 3) onto two
        // foundations: the top card leaves first, each on its own.
        Case{"AutoplayFromOneColumn",
             {{10, 'A', 0, 'C', 1}, {11, 'A', 1, 'B', 1}, {12, 'A', 2, 'C', 0}, {13, 'A', 3, 'B', 0}},
             {{13}, {12}, {11}, {10}}},
        // A run of three moved onto a column as one, given in any order.
        Case{"RunMovedAsOne", {{7, 'A', 6, 'B', 4}, {5, 'A', 4, 'B', 2}, {6, 'A', 5, 'B', 3}}, {{5, 6, 7}}},
        // Three cards turned from the stock onto the waste one by one: they
        // lie reversed, so each is its own step, the stock's top first.
        Case{"DrawThree", {{20, 'A', 20, 'B', 5}, {21, 'A', 21, 'B', 4}, {22, 'A', 22, 'B', 3}}, {{22}, {21}, {20}}},
        // The stock dealt onto three columns, its top card first.
        Case{"StockDealtToColumns", {{1, 'A', 10, 'B', 5}, {2, 'A', 11, 'C', 5}, {3, 'A', 12, 'D', 5}}, {{3}, {2}, {1}}},
        // A run and a single card from two piles onto one foundation: the
        // lower card arrives first even where it lay lower in its pile.
        Case{"TwoPilesOntoOne", {{30, 'A', 0, 'C', 1}, {31, 'B', 2, 'C', 0}, {32, 'A', 1, 'C', 2}}, {{31}, {30, 32}}},
        // Cards that lay on each other but land apart fly one by one.
        Case{"SplitRun", {{40, 'A', 0, 'B', 0}, {41, 'A', 1, 'C', 0}}, {{41}, {40}}}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.Name; });

}  // namespace
}  // namespace vexa
