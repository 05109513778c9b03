// The solver's speed and reach on dealt hands of the catalogue's games:
// positions per second on one Klondike deal, and the targets over many
// deals: FreeCell won and its median time, Klondike (both draws) decided
// within 10 s.
//
// The games are read from VEXA_GAMES (default: the source tree's games/);
// VEXA_BENCH_DEALS sets the number of deals of the target runs (default
// 1000), VEXA_BENCH_FIRST the first deal (default 1) and VEXA_BENCH_SECONDS
// the budget per deal (default 10).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/GameLoader.h"
#include "core/Session.h"
#include "rules/Solver.h"
#include "support/FakeEnvironment.h"

namespace {

using namespace vexa;

std::filesystem::path GamesFolder()
{
    if (const char* folder = std::getenv("VEXA_GAMES")) return folder;
    return std::filesystem::path(VEXA_SOURCE_DIR) / "games";
}

int EnvInt(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

// A session with deal number seed of the game dealt, as "vexasim --seed N"
// and "select GAME" deal it; null when the catalogue has no such game.
struct DealtHand {
    NullPictureSource pictures;
    test::RecordingUi ui;
    test::ManualClock clock;
    Session session{pictures, ui, clock, 1920, 1080};
    bool ok = false;

    DealtHand(const std::string& game, std::uint32_t seed)
    {
        test::InDirectory cwd{GamesFolder()};
        session.Rng.Seed(seed);
        CreateChooser(session);
        const auto& items = session.Chooser.Items;
        const auto it = std::find(items.begin(), items.end(), game);
        if (it == items.end()) return;
        session.Chooser.ItemIndex = static_cast<int>(it - items.begin());
        SelectGame(session);
        ok = true;
    }
};

void PositionsPerSecond(benchmark::State& state, const std::string& game)
{
    DealtHand hand(game, 1);
    if (!hand.ok) return state.SkipWithError("game not in the catalogue");
    SolverBudget budget;
    budget.MaxStates = 20000;
    std::int64_t positions = 0;
    for (auto _ : state) {
        const SolveAnswer answer = SolvePosition(hand.session, budget);
        positions += answer.States;
        benchmark::DoNotOptimize(answer.Outcome);
    }
    state.counters["positions_per_second"] =
        benchmark::Counter(static_cast<double>(positions), benchmark::Counter::kIsRate);
}

// Solves N deals from the first one and reports the shares and the median
// and 95th percentile times.
void Targets(benchmark::State& state, const std::string& game)
{
    const int deals = EnvInt("VEXA_BENCH_DEALS", 1000);
    const int first = EnvInt("VEXA_BENCH_FIRST", 1);
    SolverBudget budget;
    budget.Seconds = EnvInt("VEXA_BENCH_SECONDS", 10);
    for (auto _ : state) {
        int won = 0, lost = 0, unknown = 0;
        std::int64_t positions = 0;
        double seconds = 0;
        std::vector<double> times;
        for (int deal = first; deal < first + deals; ++deal) {
            DealtHand hand(game, static_cast<std::uint32_t>(deal));
            if (!hand.ok) return state.SkipWithError("game not in the catalogue");
            const SolveAnswer answer = SolvePosition(hand.session, budget);
            won += answer.Outcome == SolveOutcome::Won;
            lost += answer.Outcome == SolveOutcome::Lost;
            unknown += answer.Outcome == SolveOutcome::Unknown;
            positions += answer.States;
            seconds += answer.Seconds;
            times.push_back(answer.Seconds);
        }
        std::sort(times.begin(), times.end());
        state.counters["deals"] = deals;
        state.counters["won_pct"] = 100.0 * won / deals;
        state.counters["lost_pct"] = 100.0 * lost / deals;
        state.counters["decided_pct"] = 100.0 * (won + lost) / deals;
        state.counters["unknown_pct"] = 100.0 * unknown / deals;
        state.counters["median_s"] = times[times.size() / 2];
        state.counters["p95_s"] = times[std::min(times.size() - 1, times.size() * 95 / 100)];
        state.counters["positions_per_second"] = seconds > 0 ? static_cast<double>(positions) / seconds : 0;
    }
}

BENCHMARK_CAPTURE(PositionsPerSecond, Klondike, std::string("Klondike"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PositionsPerSecond, FreeCell, std::string("FreeCell"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Targets, FreeCell, std::string("FreeCell"))->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Targets, Klondike, std::string("Klondike"))->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Targets, KlondikeDrawThree, std::string("Klondike (Draw Three)"))
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
