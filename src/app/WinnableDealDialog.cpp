#include "app/WinnableDealDialog.h"

#include <atomic>
#include <future>

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include "app/WinnableDeal.h"
#include "core/Session.h"
#include "rules/Solver.h"

namespace vexa {

void DealWinnableWithProgress(QWidget& parent, Session& session, const std::function<void(const std::string&)>& message,
                              std::vector<SolverMove>* line)
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
    // Each hand is searched on a thread of its own while the window keeps
    // handling events, so it stays painted and "Stop" answers at once. The
    // solver copies the hand here, on the window's thread. Until the modal
    // dialog shows, the player's input waits, so that no click or key can
    // act on the table while hands are being dealt.
    auto searchOffThread = [&progress, line](const Session& dealt, const SolverBudget& budget) {
        Solver solver(dealt);
        std::atomic<bool> cancel{false};
        auto answer = std::async(std::launch::async, [&] { return solver.Solve(budget, &cancel); });
        while (answer.wait_for(std::chrono::milliseconds(15)) != std::future_status::ready) {
            QCoreApplication::processEvents(
                progress.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents, 15);
            if (progress.wasCanceled()) cancel.store(true);
        }
        SolveAnswer found = answer.get();
        // The search stops at the first proven hand: its line is the one.
        if (line && found.Outcome == SolveOutcome::Won) *line = std::move(found.Moves);
        return found.Outcome;
    };
    const WinnableDealResult result = DealWinnableHand(
        session, 3.0,
        [&progress](int shuffles) {
            progress.setLabelText(QString("Looking for a winnable hand... (%1 shuffled)").arg(shuffles));
            QCoreApplication::processEvents(progress.isVisible() ? QEventLoop::AllEvents
                                                                 : QEventLoop::ExcludeUserInputEvents);
            return !progress.wasCanceled();
        },
        searchOffThread);
    progress.close();
    if (!result.Proven) message("No winnable hand was found in time; this hand may not be winnable.");
}

}  // namespace vexa
