#include "app/CardFlights.h"

#include <algorithm>

#include <QEasingCurve>
#include <QtGlobal>
#include <QVariantAnimation>

#include "app/DragView.h"

namespace vexa {

CardFlights::CardFlights(CardLibrary& library, QWidget& table) : QObject(&table), library_(library), table_(table)
{
    animation_ = new QVariantAnimation(this);
    animation_->setObjectName("CardFlights");
    // The animation's value is its time: each step eases on its own.
    animation_->setStartValue(0.0);
    animation_->setEndValue(1.0);
    connect(animation_, &QVariantAnimation::valueChanged, this, [this] { Advance(animation_->currentTime()); });
    connect(animation_, &QVariantAnimation::finished, this, [this] { Advance(animation_->duration()); });
    fixedStep_ = std::max(0, qEnvironmentVariableIntValue("VEXA_FLIGHT_MILLISECONDS"));
}

CardFlights::~CardFlights()
{
    animation_->stop();
    for (Flyer& flyer : flyers_) delete flyer.View;
}

void CardFlights::Start(const std::vector<std::vector<Flight>>& steps, int stepMilliseconds)
{
    Finish();
    int count = 0;
    for (const auto& step : steps) {
        if (step.empty()) continue;
        for (const Flight& route : step) {
            auto* view = new DragView(library_, &table_);
            view->setObjectName("FlyingCard");
            view->SetCards({{route.Picture, QPoint()}}, route.From.size(), QPoint());
            view->Follow(route.From.topLeft());
            view->show();
            view->raise();
            flyers_.push_back({route, count, view});
            flying_.insert(route.Card);
        }
        ++count;
    }
    if (count == 0) return;
    // A long autoplay run shares the longest time out among its steps.
    stepTime_ = fixedStep_ > 0 ? fixedStep_ : std::clamp(LongestMilliseconds / count, 1, std::max(1, stepMilliseconds));
    animation_->setDuration(stepTime_ * count);
    animation_->start();
}

void CardFlights::Finish()
{
    if (!Running()) return;
    animation_->setCurrentTime(animation_->duration());
    // A stopped animation set to its end reports no change: land by hand.
    Advance(animation_->duration());
    animation_->stop();
}

void CardFlights::Advance(int time)
{
    static const QEasingCurve easing(QEasingCurve::InOutQuad);
    bool landed = false;
    for (auto it = flyers_.begin(); it != flyers_.end();) {
        const int start = it->Step * stepTime_;
        const qreal progress = std::clamp(qreal(time - start) / stepTime_, qreal(0), qreal(1));
        if (progress >= 1) {
            flying_.erase(it->Route.Card);
            delete it->View;
            it = flyers_.erase(it);
            landed = true;
            continue;
        }
        const QPointF from = it->Route.From.topLeft(), to = it->Route.To.topLeft();
        // A card still waiting for its step lies where it was drawn; one in
        // flight is in front of every other.
        if (progress > 0 && it->View->pos() == it->Route.From.topLeft()) it->View->raise();
        it->View->Follow((from + (to - from) * easing.valueForProgress(progress)).toPoint());
        ++it;
    }
    if (landed) emit Landed();
}

}  // namespace vexa
