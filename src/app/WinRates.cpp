#include "app/WinRates.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "app/GameLoader.h"
#include "core/Session.h"
#include "core/VexaError.h"
#include "rules/Solver.h"

namespace vexa {

namespace {

class QuietUi : public UserInterface {
public:
    void ShowMessage(const std::string&) override {}
    void ShowVictory(const VictoryText&) override {}
};

class FixedClock : public Clock {
public:
    double Now() override { return 0; }
    std::uint32_t MillisecondsSinceMidnightUtc() override { return 0; }
};

// The time below which the given share of the sorted times lies.
double Percentile(const std::vector<double>& sorted, double share)
{
    if (sorted.empty()) return 0;
    const auto index = static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

std::vector<std::string> GameNames()
{
    NullPictureSource pictures;
    QuietUi ui;
    FixedClock clock;
    Session session(pictures, ui, clock, 1920, 1080);
    CreateChooser(session);
    return session.Chooser.Items;
}

GameWinRate MeasureGame(const std::string& game, int index, const WinRateOptions& options)
{
    GameWinRate rate;
    rate.Game = game;
    std::vector<double> times;
    for (int deal = 1; deal <= options.Deals; ++deal) {
        NullPictureSource pictures;
        QuietUi ui;
        FixedClock clock;
        Session session(pictures, ui, clock, 1920, 1080);
        session.Rng.Seed(static_cast<std::uint32_t>(deal));
        try {
            CreateChooser(session);
            session.Chooser.ItemIndex = index;
            SelectGame(session);
        } catch (const VexaError&) {
            ++rate.Failed;
            continue;
        }
        SolverBudget budget;
        budget.Seconds = options.Seconds;
        const SolveAnswer answer = SolvePosition(session, budget);
        switch (answer.Outcome) {
        case SolveOutcome::Won: ++rate.Won; break;
        case SolveOutcome::Lost: ++rate.Lost; break;
        case SolveOutcome::Unknown: ++rate.Unknown; break;
        }
        rate.States += answer.States;
        rate.TotalSeconds += answer.Seconds;
        times.push_back(answer.Seconds);
    }
    std::sort(times.begin(), times.end());
    rate.MedianSeconds = Percentile(times, 0.5);
    rate.P95Seconds = Percentile(times, 0.95);
    return rate;
}

}  // namespace

std::vector<GameWinRate> MeasureWinRates(const WinRateOptions& options, std::ostream* progress)
{
    std::vector<GameWinRate> rates;
    const std::vector<std::string> games = GameNames();
    for (std::size_t i = 0; i < games.size(); ++i) {
        rates.push_back(MeasureGame(games[i], static_cast<int>(i), options));
        if (progress) {
            PrintWinRate(*progress, rates.back());
            progress->flush();
        }
    }
    return rates;
}

ShareInterval WilsonInterval(int successes, int trials)
{
    if (trials <= 0) return {};
    constexpr double z = 1.96;
    const double n = trials;
    const double p = successes / n;
    const double denominator = 1 + z * z / n;
    const double centre = (p + z * z / (2 * n)) / denominator;
    const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / denominator;
    return {100 * std::max(0.0, centre - half), 100 * std::min(1.0, centre + half)};
}

void PrintWinRateHeader(std::ostream& out)
{
    out << "| Game | Deals | Won % (95% CI) | Lost % | Unknown % | Median s | 95th pct s | Positions/s |\n";
    out << "|---|---:|---:|---:|---:|---:|---:|---:|\n";
}

void PrintWinRate(std::ostream& out, const GameWinRate& rate)
{
    const int deals = rate.Won + rate.Lost + rate.Unknown;
    auto share = [deals](int n) { return deals > 0 ? 100.0 * n / deals : 0.0; };
    const ShareInterval won = WilsonInterval(rate.Won, deals);
    char line[320];
    std::snprintf(line, sizeof line, "| %s | %d | %.1f (%.0f–%.0f) | %.1f | %.1f | %.3f | %.3f | %.0f |",
                  rate.Game.c_str(), deals, share(rate.Won), won.Low, won.High, share(rate.Lost), share(rate.Unknown),
                  rate.MedianSeconds, rate.P95Seconds,
                  rate.TotalSeconds > 0 ? static_cast<double>(rate.States) / rate.TotalSeconds : 0.0);
    out << line;
    if (rate.Failed > 0) out << " (" << rate.Failed << " deals failed to load)";
    out << '\n';
}

}  // namespace vexa
