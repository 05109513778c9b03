// The on-screen pile: a scrollable area in the colour of its Kind whose
// content holds the card widgets. It shows what the core's pile says (scroll
// bars, positions, hint) and reports clicks on its own empty area.
#pragma once

#include <QScrollArea>

namespace vexa {

class Pile;

// The background colour of a pile of a Kind; an invalid colour for kinds
// without one (the widget then keeps the toolkit's default).
QColor KindColour(int kind);

class PileWidget : public QScrollArea {
    Q_OBJECT

public:
    PileWidget(Pile& pile, QWidget* parent);
    Pile& Model() const { return *pile_; }
    // The widget the card widgets of this pile are children of.
    QWidget* Content() const { return widget(); }
    // Applies the core pile's bounds, visibility, scroll bars and hint.
    void Render();

signals:
    void Clicked(PileWidget* pile);
    void MouseUp(Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Pile* pile_;
    int lastRepaint_ = -1;
    bool pressed_ = false;
    bool applying_ = false;  // Render is setting the scroll bars
};

}  // namespace vexa
