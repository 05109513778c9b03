#include "app/CardFlights.h"

#include <algorithm>
#include <utility>

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
    bool flying = false;
    std::vector<std::pair<int, QPoint>> landings;  // step and place of each card landed now
    for (auto it = flyers_.begin(); it != flyers_.end();) {
        if (it->Parked) {
            ++it;
            continue;
        }
        const int start = it->Step * stepTime_;
        const qreal progress = std::clamp(qreal(time - start) / stepTime_, qreal(0), qreal(1));
        if (progress >= 1) {
            flying_.erase(it->Route.Card);
            landings.emplace_back(it->Step, it->Route.To.topLeft());
            landed = true;
            if (it->Route.Covered) {
                it->View->Follow(it->Route.To.topLeft());
                it->Parked = true;
                ++it;
            } else {
                delete it->View;
                it = flyers_.erase(it);
            }
            continue;
        }
        flying = true;
        const QPointF from = it->Route.From.topLeft(), to = it->Route.To.topLeft();
        // A card still waiting for its step lies where it was drawn; one in
        // flight is in front of every other.
        if (progress > 0 && it->View->pos() == it->Route.From.topLeft()) it->View->raise();
        it->View->Follow((from + (to - from) * easing.valueForProgress(progress)).toPoint());
        ++it;
    }
    // A covered card goes once a later card lies on it, and with the last
    // flight.
    for (auto it = flyers_.begin(); it != flyers_.end();) {
        const bool covered = std::any_of(landings.begin(), landings.end(), [&](const auto& landing) {
            return landing.first > it->Step && landing.second == it->Route.To.topLeft();
        });
        if (it->Parked && (!flying || covered)) {
            delete it->View;
            it = flyers_.erase(it);
        } else {
            ++it;
        }
    }
    if (landed) emit Landed();
}

}  // namespace vexa
