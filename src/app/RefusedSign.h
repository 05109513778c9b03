// The sign of a refused drop: when a click offers carried cards to a pile
// and the rules refuse them (the cards stay carried), a red outline shows
// around that pile for a moment. It takes no mouse events and changes
// nothing on the table.
#pragma once

#include <QWidget>

class QTimer;
class QTransform;

namespace vexa {

struct Session;
class Control;
class Pile;

class RefusedSign : public QWidget {
    Q_OBJECT

public:
    static constexpr int Thickness = 3;
    static constexpr int ShowMilliseconds = 400;

    explicit RefusedSign(QWidget* table);

    // The pile a click on sender offers the carried cards to (a card stands
    // for its pile); null when nothing is carried or sender is no table pile.
    static Pile* OfferedTo(const Session& session, Control* sender);
    // After the click: when the cards offered to target are still carried
    // and target is not the pile they came from, the pile is outlined where
    // toScreen (the table's transform) shows it.
    void AfterClick(const Session& session, Pile* target, const QTransform& toScreen);
    // Outlines a rectangle of the table for ShowMilliseconds.
    void Flash(const QRect& area);
    // Takes the outline down at once.
    void Clear();
    bool Showing() const { return !isHidden(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* timer_ = nullptr;
};

}  // namespace vexa
