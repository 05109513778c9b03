// The win-rate table: each won share comes with the number of deals behind
// it and its 95% confidence interval.
#include <gtest/gtest.h>

#include <sstream>

#include "app/WinRates.h"

namespace vexa {
namespace {

TEST(WinRates, TheWonShareHasItsWilsonInterval)
{
    struct Case {
        int won, deals;
        double low, high;
    };
    for (const Case& c : {Case{0, 10, 0.0, 27.75}, Case{10, 10, 72.25, 100.0}, Case{5, 10, 23.66, 76.34},
                          Case{996, 1000, 98.98, 99.84}, Case{0, 0, 0.0, 100.0}}) {
        const ShareInterval interval = WilsonInterval(c.won, c.deals);
        EXPECT_NEAR(interval.Low, c.low, 0.01) << c.won << " of " << c.deals;
        EXPECT_NEAR(interval.High, c.high, 0.01) << c.won << " of " << c.deals;
    }
}

TEST(WinRates, ALineNamesTheDealsAndTheInterval)
{
    GameWinRate rate;
    rate.Game = "Klondike";
    rate.Won = 8;
    rate.Lost = 1;
    rate.Unknown = 1;
    rate.MedianSeconds = 0.5;
    rate.P95Seconds = 10;
    rate.States = 1000;
    rate.TotalSeconds = 2;
    std::ostringstream out;
    PrintWinRate(out, rate);
    EXPECT_EQ(out.str(), "| Klondike | 10 | 80.0 (49–94) | 10.0 | 10.0 | 0.500 | 10.000 | 500 |\n");
}

}  // namespace
}  // namespace vexa
