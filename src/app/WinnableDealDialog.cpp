#include "app/WinnableDealDialog.h"

#include <atomic>
#include <future>

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QTimer>

#include "app/WinnableDeal.h"
#include "core/Session.h"
#include "rules/Solver.h"

namespace vexa {

namespace {

// Searches one hand on a thread of its own while the window keeps handling
// events, so it stays painted; the player's input waits unless the progress
// dialog shows, whose "Stop" then ends the search at once. The solver copies
// the hand here, on the window's thread. line, when given, receives the
// winning line of a hand proven winnable.
SolveOutcome SearchOffThread(const Session& dealt, const SolverBudget& budget, QProgressDialog* progress,
                             const HeldSearch& held = nullptr, std::vector<SolverMove>* line = nullptr)
{
    Solver solver(dealt);
    std::atomic<bool> cancel{false};
    auto answer = std::async(std::launch::async, [&]() -> SolveAnswer {
        if (!held) return solver.Solve(budget, &cancel);
        SolveAnswer heldAnswer;
        heldAnswer.Outcome = held(cancel);
        return heldAnswer;
    });
    while (answer.wait_for(std::chrono::milliseconds(15)) != std::future_status::ready) {
        const bool shown = progress && progress->isVisible();
        QCoreApplication::processEvents(shown ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents, 15);
        if (progress && progress->wasCanceled()) cancel.store(true);
    }
    SolveAnswer found = answer.get();
    if (line && found.Outcome == SolveOutcome::Won) *line = std::move(found.Moves);
    return found.Outcome;
}

}  // namespace

void DealWinnableWithProgress(QWidget& parent, Session& session, const std::function<void(const std::string&)>& message,
                              const HeldSearch& held, std::vector<SolverMove>* line)
{
    if (line) line->clear();
    QProgressDialog progress("Looking for a winnable hand...", "Stop", 0, 0, &parent);
    progress.setObjectName("WinnableProgress");
    progress.setWindowTitle(ApplicationTitle);
    progress.setWindowModality(Qt::WindowModal);
    // Shown only when the search takes long enough to be noticed. The
    // dialog's own delay starts with its first value, which a busy
    // indicator never gets, so the delay is a timer of its own.
    progress.setMinimumDuration(0);
    progress.hide();
    QTimer::singleShot(300, &progress, [&progress] {
        if (!progress.wasCanceled()) progress.show();
    });
    // Until the modal dialog shows, the player's input waits, so that no
    // click or key can act on the table while hands are being dealt.
    const WinnableDealResult result = DealWinnableHand(
        session, 3.0,
        [&progress](int shuffles) {
            progress.setLabelText(QString("Looking for a winnable hand... (%1 shuffled)").arg(shuffles));
            QCoreApplication::processEvents(progress.isVisible() ? QEventLoop::AllEvents
                                                                 : QEventLoop::ExcludeUserInputEvents);
            return !progress.wasCanceled();
        },
        // The search stops at the first proven hand: its line is the one.
        [&progress, &held, line](const Session& dealt, const SolverBudget& budget) {
            return SearchOffThread(dealt, budget, &progress, held, line);
        });
    // Read before closing: closing a progress dialog counts as cancelling it.
    const bool stopped = progress.wasCanceled();
    progress.close();
    if (result.Proven) return;
    if (stopped)
        message("The search was stopped; this hand was not checked.");
    else
        message("No winnable hand was found in time; this hand may not be winnable.");
}

void WinnableDealer::Deal(QWidget& parent, Session& session, bool chosen,
                          const std::function<void(const std::string&)>& message, std::vector<SolverMove>* line)
{
    if (line) line->clear();
    if (!session.WinnableOnly || session.Welcome || session.Inert) return;
    if (!probed_ || game_ != session.CurrentGame) {
        // The probe runs once per game; the window stays painted meanwhile
        // and shows a busy pointer, since it takes no input for a moment.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const struct Restore {
            ~Restore() { QGuiApplication::restoreOverrideCursor(); }
        } restore;
        often_ = WinnableOftenConfirmed(session, [](const Session& dealt, const SolverBudget& budget) {
            return SearchOffThread(dealt, budget, nullptr);
        });
        probed_ = true;
        game_ = session.CurrentGame;
        told_ = false;
    }
    if (often_) {
        DealWinnableWithProgress(parent, session, message, nullptr, line);
        return;
    }
    if (chosen) told_ = false;
    if (!told_) message(WinnableRarelyConfirmedText);
    told_ = true;
}

}  // namespace vexa
