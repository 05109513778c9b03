#include "app/StatusBar.h"

#include <cmath>

#include <QLabel>
#include <QTimer>

#include "core/Session.h"
#include "rules/RedealStatus.h"

namespace vexa {

int MovesThisHand(const Session& session) { return static_cast<int>(session.Journal.UndoSteps.size()); }

double TimeInGameNow(Session& session)
{
    // A stored time that is no number counts from 0, as the statistics show it.
    const double stored = std::isfinite(session.PlayTime) ? session.PlayTime : 0.0;
    return stored + (session.Active ? session.Time.Now() - session.ActivatedAt : 0.0);
}

QString MinutesAndSeconds(long long seconds)
{
    if (seconds < 0) seconds = 0;
    return QString("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
}

QString DealNumberText(const Session& session)
{
    return session.DealNumber ? QString("Deal %1").arg(*session.DealNumber) : QString();
}

StatusBar::StatusBar(Session& session, QWidget* parent) : QStatusBar(parent), session_(session)
{
    setObjectName("StatusBar");
    // The window has a fixed size: no grip.
    setSizeGripEnabled(false);
    deal_ = new QLabel(this);
    deal_->setObjectName("StatusDeal");
    moves_ = new QLabel(this);
    moves_->setObjectName("StatusMoves");
    time_ = new QLabel(this);
    time_->setObjectName("StatusTime");
    redeals_ = new QLabel(this);
    redeals_->setObjectName("StatusRedeals");
    addPermanentWidget(deal_);
    addPermanentWidget(moves_);
    addPermanentWidget(time_);
    addPermanentWidget(redeals_);
    // The tick only repaints the time; the figure comes from the clock.
    tick_ = new QTimer(this);
    tick_->setInterval(1000);
    connect(tick_, &QTimer::timeout, this, [this] { Refresh(); });
    tick_->start();
    hide();
}

void StatusBar::StartHand()
{
    startedAt_ = TimeInGameNow(session_);
    victoriesAtStart_ = session_.VictoriesShown;
    stoppedAt_ = -1;
    Refresh();
}

long long StatusBar::HandSeconds()
{
    const double now = TimeInGameNow(session_);
    if (stoppedAt_ < 0 && session_.VictoriesShown != victoriesAtStart_) stoppedAt_ = now;
    const double days = (stoppedAt_ >= 0 ? stoppedAt_ : now) - startedAt_;
    // A hair under the whole second still shows it: days do not hold
    // seconds exactly.
    return days > 0 ? static_cast<long long>(std::floor(days * 86400.0 + 1e-6)) : 0;
}

void StatusBar::Refresh()
{
    if (session_.Welcome) {
        setVisible(false);
        return;
    }
    const QString deal = DealNumberText(session_);
    deal_->setText(deal);
    deal_->setVisible(!deal.isEmpty());
    moves_->setText(QString("Moves: %1").arg(MovesThisHand(session_)));
    time_->setText(QString("Time: %1").arg(MinutesAndSeconds(HandSeconds())));
    bool stock = false;
    const Table& table = session_.Board;
    for (int position = 0; position < table.ControlCount() && !stock; ++position)
        if (const Pile* pile = table.PileAt(position)) stock = pile->Kind == 0;
    redeals_->setVisible(stock);
    if (stock) redeals_->setText(QString::fromStdString(RedealStatusText(session_.RedealsLeft)));
    setVisible(true);
}

}  // namespace vexa
