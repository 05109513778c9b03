// The carried cards in flight during a drag: the cards themselves, at their
// fan offsets, following the pointer. It takes no mouse events, so what lies
// below it stays the target of the drop.
#pragma once

#include <vector>

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace vexa {

class CardLibrary;

class DragView : public QWidget {
    Q_OBJECT

public:
    // Where the pointer's hot spot lies on the carry pointer's card: the
    // grab offset when the cards' place before the lift is unknown.
    static constexpr QPoint HotSpot{15, 0};

    DragView(CardLibrary& library, QWidget* parent);

    struct Shown {
        int Picture = 0;  // picture number of the card's face or back
        QPoint Offset;    // top-left corner relative to the lowest card
        int Card = 0;     // the card's number on the table
    };
    // The cards to draw, lowest first, at their size on the screen, and
    // where the pointer holds the lowest card (relative to its corner).
    void SetCards(std::vector<Shown> cards, QSize cardSize, QPoint grab);
    // Moves the cards with the pointer, given in the parent's coordinates.
    void Follow(QPoint pointer);
    const std::vector<Shown>& Cards() const { return cards_; }
    // Where a card shown is drawn, in the parent's coordinates.
    QRect Place(const Shown& card) const { return {pos() + origin_ + card.Offset, cardSize_}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CardLibrary& library_;
    std::vector<Shown> cards_;
    QPoint origin_;  // the lowest card's corner within this widget
    QPoint grab_;    // the pointer on the lowest card
    QSize cardSize_;
};

}  // namespace vexa
