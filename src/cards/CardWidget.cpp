#include "cards/CardWidget.h"

#include "cards/CardLibrary.h"

#include <QMouseEvent>
#include <QPainter>

namespace vexa {

void CardWidget::Source::LoadCardBitmap(int number)
{
    if (!quiet_) library_.LoadCardBitmap(number);
}

CardWidget::CardWidget(CardLibrary& library, QWidget* parent) : QWidget(parent), source_(library), face_(source_)
{
    resize(kWidth, kHeight);
    shown_ = face_.Picture();
}

// Runs a setter of the face and repaints when the shown picture changed,
// also when the setter throws after storing its field.
template <typename Change>
void CardWidget::Apply(Change change)
{
    struct Refresh {
        CardWidget& card;
        ~Refresh()
        {
            if (card.face_.Picture() != card.shown_) {
                card.shown_ = card.face_.Picture();
                card.update();
            }
        }
    } refresh{*this};
    change();
}

void CardWidget::SetState(CardState state)
{
    Apply([&] { face_.SetState(state); });
}

void CardWidget::SetCardBackStyle(int style)
{
    Apply([&] { face_.SetCardBackStyle(style); });
}

void CardWidget::SetValue(int value)
{
    Apply([&] { face_.SetValue(value); });
}

void CardWidget::SetSuit(CardSuit suit)
{
    Apply([&] { face_.SetSuit(suit); });
}

void CardWidget::SetDeckvalue(int deckvalue)
{
    Apply([&] { face_.SetDeckvalue(deckvalue); });
}

void CardWidget::Mirror(const CardFace& face)
{
    source_.quiet_ = true;
    face_.SetDeckvalue(face.Deckvalue());
    face_.SetCardBackStyle(face.CardBackStyle());
    face_.SetState(face.State());
    source_.quiet_ = false;
    if (face.Picture() != shown_) {
        shown_ = face.Picture();
        update();
    }
}

void CardWidget::paintEvent(QPaintEvent*)
{
    if (shown_ == 0) return;
    const qreal ratio = devicePixelRatioF();
    const QPixmap picture = source_.library_.Scaled(shown_, (QSizeF(size()) * ratio).toSize());
    if (picture.isNull()) return;
    // The kept picture is drawn pixel for pixel from its device pixels as it
    // is: giving the shared copy another pixel ratio would copy it whole at
    // every paint.
    QPainter painter(this);
    painter.drawPixmap(QRectF(rect()), picture, QRectF(picture.rect()));
}

void CardWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) pressed_ = true;
    emit MouseDown(this, event->button(), event->position().toPoint());
}

void CardWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (pressed_ && (event->buttons() & Qt::LeftButton)) emit MouseMove(this, event->globalPosition().toPoint());
}

void CardWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = event->button() == Qt::LeftButton && pressed_ && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) pressed_ = false;
    // The click is reported first, then the release.
    if (click) emit Click(this);
    emit MouseUp(this, event->button(), event->position().toPoint());
}

}  // namespace vexa
