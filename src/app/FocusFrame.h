// The keyboard focus frame: a ring drawn around the card or pile area that
// Enter or Space would click. It takes no mouse events.
#pragma once

#include <QWidget>

namespace vexa {

class FocusFrame : public QWidget {
    Q_OBJECT

public:
    static constexpr int Thickness = 3;

    explicit FocusFrame(QWidget* parent);
    // Rings the rectangle, given in the parent's coordinates, with a line
    // of the given width (Thickness at the table's scale).
    void Surround(const QRect& target, int thickness = Thickness);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int thickness_ = Thickness;
};

}  // namespace vexa
