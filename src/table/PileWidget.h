// The on-screen pile: a scrollable area in the colour of its Kind whose
// content holds the card widgets. It shows what the core's pile says (scroll
// bars, positions, hint) at the table's scale and reports clicks on its own
// empty area.
#pragma once

#include <QScrollArea>

namespace vexa {

class Pile;
struct Session;

// The background colour of a pile of a Kind; an invalid colour for kinds
// without one (the widget then keeps the toolkit's default).
QColor KindColour(int kind);

class PileWidget : public QScrollArea {
    Q_OBJECT

public:
    PileWidget(Pile& pile, const Session& session, QWidget* parent);
    Pile& Model() const { return *pile_; }
    // The widget the card widgets of this pile are children of.
    QWidget* Content() const { return widget(); }
    // Applies the core pile's visibility, scroll bars and hint, at bounds
    // on the screen and the table's scale: the content, the bars and their
    // positions are the model's times the scale.
    void Render(const QRect& bounds, qreal scale);
    // Felt: a soft outline tinted by the Kind instead of the solid colour;
    // an empty stock shows whether a redeal is left.
    void SetFelt(bool felt);
    qreal Scale() const { return scale_; }

signals:
    void Clicked(PileWidget* pile);
    void MouseUp(Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Pile* pile_;
    const Session& session_;
    qreal scale_ = 1;
    bool felt_ = false;
    int lastRepaint_ = -1;
    bool pressed_ = false;
    bool applying_ = false;  // Render is setting the scroll bars
};

}  // namespace vexa
