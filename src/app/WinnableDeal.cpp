#include "app/WinnableDeal.h"

#include <algorithm>
#include <chrono>

#include "app/NewHand.h"
#include "core/Session.h"
#include "defs/IniFile.h"
#include "records/UndoJournal.h"
#include "rules/RedealStatus.h"
#include "rules/ScratchTable.h"
#include "rules/Solver.h"
#include "table/PileLayout.h"

namespace vexa {

namespace {

// A fresh shuffle dealt in place of the hand on the table. The discarded
// hand was never played, so it is not counted in the statistics.
void Reshuffle(Session& session)
{
    CollectCards(session);
    StartHandState(session);
    DealHand(session, false);
    RefreshStockHints(session);
}

}  // namespace

WinnableDealResult DealWinnableHand(Session& session, double seconds, const std::function<bool(int)>& progress,
                                    const HandSearch& search)
{
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    auto left = [&] { return seconds - std::chrono::duration<double>(Clock::now() - started).count(); };
    WinnableDealResult result;
    if (session.Welcome || session.Inert) return result;
    for (;;) {
        if (result.Shuffles > 0) Reshuffle(session);
        ++result.Shuffles;
        SolverBudget budget;
        budget.Seconds = std::max(0.05, std::min(left(), seconds / 4));
        const SolveOutcome outcome = search ? search(session, budget) : SolvePosition(session, budget).Outcome;
        if (outcome == SolveOutcome::Won) {
            result.Proven = true;
            return result;
        }
        if (left() <= 0 || (progress && !progress(result.Shuffles))) return result;
    }
}

bool WinnableOftenConfirmed(const Session& live, const HandSearch& search)
{
    if (live.Welcome || live.Inert) return true;
    NullPictureSource pictures;
    ScratchUi ui;
    StillClock clock;
    Session scratch(pictures, ui, clock, live.ScreenWidth, live.ScreenHeight);
    CopyGameOnto(live, scratch);
    for (int deal = 1; deal <= WinnableProbeDeals; ++deal) {
        scratch.Rng.Seed(static_cast<std::uint32_t>(deal));
        Reshuffle(scratch);
        SolverBudget budget;
        budget.MaxStates = WinnableProbeStates;
        const SolveOutcome outcome = search ? search(scratch, budget) : SolvePosition(scratch, budget).Outcome;
        if (outcome == SolveOutcome::Won) return true;
    }
    return false;
}

bool ReadWinnableOnly(const IniFile& catalogue) { return catalogue.ReadString("General", "WinnableOnly") == "1"; }

void WriteWinnableOnly(const IniFile& catalogue, bool on)
{
    catalogue.WriteString("General", "WinnableOnly", on ? "1" : "0");
}

}  // namespace vexa
