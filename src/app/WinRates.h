// How hard each game of the catalogue is: the solver plays a number of
// deals of every game, each from its own seed, and the share of deals won,
// proven lost and left undecided is reported with the solve times.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vexa {

struct WinRateOptions {
    int Deals = 100;
    double Seconds = 10;  // the solver's budget per deal
};

struct GameWinRate {
    std::string Game;
    int Won = 0;
    int Lost = 0;
    int Unknown = 0;
    int Failed = 0;  // deals whose game could not be loaded
    double MedianSeconds = 0;
    double P95Seconds = 0;
    long long States = 0;
    double TotalSeconds = 0;
};

// Solves deals 1..Deals of every game in the catalogue of the current
// folder; deal d is the hand "vexasim --seed d" deals on "select GAME".
// Each game's line is written to progress (when given) as soon as it is done.
std::vector<GameWinRate> MeasureWinRates(const WinRateOptions& options, std::ostream* progress);

// The 95% confidence interval of a share of successes (Wilson's score
// interval), in percent: low and high. No trials give 0 to 100.
struct ShareInterval {
    double Low = 0;
    double High = 100;
};
ShareInterval WilsonInterval(int successes, int trials);

// The header and one line per game: the deals behind it, percentages (the
// won share with its 95% interval) and times.
void PrintWinRateHeader(std::ostream& out);
void PrintWinRate(std::ostream& out, const GameWinRate& rate);

}  // namespace vexa
