#include "app/DragView.h"

#include <algorithm>

#include <QPainter>

#include "cards/CardLibrary.h"
#include "table/Table.h"

namespace vexa {

DragView::DragView(CardLibrary& library, QWidget* parent) : QWidget(parent), library_(library)
{
    setObjectName("DragView");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void DragView::SetCards(std::vector<Shown> cards, QSize cardSize, QPoint grab)
{
    cards_ = std::move(cards);
    grab_ = grab;
    cardSize_ = cardSize;
    QRect bounds;
    for (const Shown& card : cards_) bounds |= QRect(card.Offset, cardSize_);
    origin_ = -bounds.topLeft();
    resize(bounds.size());
    update();
}

void DragView::Follow(QPoint pointer) { move(pointer - grab_ - origin_); }

void DragView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    // Pictures at the painted size in device pixels, never stretched.
    const QSize pixels = (QSizeF(cardSize_) * ratio).toSize();
    for (const Shown& card : cards_) {
        // Drawn from its device pixels, without a copy of the kept picture.
        const QPixmap picture = library_.Scaled(card.Picture, pixels);
        if (picture.isNull()) continue;
        painter.drawPixmap(QRectF(QRect(origin_ + card.Offset, cardSize_)), picture, QRectF(picture.rect()));
    }
}

}  // namespace vexa
