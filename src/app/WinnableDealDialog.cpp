#include "app/WinnableDealDialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "app/WinnableDeal.h"
#include "core/Session.h"

namespace vexa {

void DealWinnableWithProgress(QWidget& parent, Session& session, const std::function<void(const std::string&)>& message)
{
    QProgressDialog progress("Looking for a winnable hand...", "Stop", 0, 0, &parent);
    progress.setObjectName("WinnableProgress");
    progress.setWindowTitle(ApplicationTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const WinnableDealResult result = DealWinnableHand(session, 3.0, [&progress](int shuffles) {
        progress.setLabelText(QString("Looking for a winnable hand... (%1 shuffled)").arg(shuffles));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.close();
    if (!result.Proven) message("No winnable hand was found in time; this hand may not be winnable.");
}

}  // namespace vexa
