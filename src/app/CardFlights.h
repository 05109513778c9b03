// Cards in flight after a move: each card the core moved travels from where
// it was drawn to where it now lies, with easing, while its own widget stays
// hidden; it shows its old picture on the way, so a face turns when the card
// lands. The flights of one step run together (a run moved as one), the
// steps one after another (autoplay's cards), all within LongestMilliseconds.
// One animation drives the whole schedule: setting its time to its duration
// lands every card at once. VEXA_FLIGHT_MILLISECONDS, set only by tests that
// watch a card on its way, gives every step that time instead, with no
// longest time, so that a slow machine still catches the card mid-flight.
#pragma once

#include <set>
#include <vector>

#include <QObject>
#include <QRect>

class QVariantAnimation;
class QWidget;

namespace vexa {

class CardLibrary;
class DragView;

class CardFlights : public QObject {
    Q_OBJECT

public:
    static constexpr int StepMilliseconds = 200;
    static constexpr int LongestMilliseconds = 2000;
    // Cards dropped by a drag glide the short way from the pointer.
    static constexpr int DropMilliseconds = 120;

    // The flyers are drawn on table, above its piles.
    CardFlights(CardLibrary& library, QWidget& table);
    ~CardFlights() override;

    struct Flight {
        int Card = 0;     // the card's number on the table
        int Picture = 0;  // the picture it showed before the move
        QRect From;       // where it was drawn, in the table's pixels
        QRect To;         // where it lies now
        // The card lies covered, out of sight, in its new place (a stack's
        // lower card): once landed it is drawn there until a later card
        // lands on it or every card has landed.
        bool Covered = false;
    };
    // Starts the flights, steps in the order given, each taking
    // stepMilliseconds (less for a run too long for the longest time);
    // flights still running land first.
    void Start(const std::vector<std::vector<Flight>>& steps, int stepMilliseconds = StepMilliseconds);
    // Lands every card at once.
    void Finish();
    // Cards in flight, or landed covered and drawn until the flights end.
    bool Running() const { return !flyers_.empty(); }
    bool Flying(int card) const { return flying_.count(card) > 0; }
    QVariantAnimation& Animation() { return *animation_; }

signals:
    // Cards have landed: their widgets may show again.
    void Landed();

private:
    void Advance(int time);

    struct Flyer {
        Flight Route;
        int Step = 0;
        DragView* View = nullptr;
        bool Parked = false;  // landed, covered, still drawn in its place
    };
    CardLibrary& library_;
    QWidget& table_;
    QVariantAnimation* animation_ = nullptr;
    std::vector<Flyer> flyers_;
    std::set<int> flying_;
    int stepTime_ = StepMilliseconds;
    int fixedStep_ = 0;  // VEXA_FLIGHT_MILLISECONDS, 0 when unset
};

}  // namespace vexa
