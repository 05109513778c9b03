#include "app/FocusFrame.h"

#include <QPainter>

namespace vexa {

FocusFrame::FocusFrame(QWidget* parent) : QWidget(parent)
{
    setObjectName("FocusFrame");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void FocusFrame::Surround(const QRect& target)
{
    const QRect ring = target.adjusted(-Thickness, -Thickness, Thickness, Thickness);
    if (geometry() != ring) setGeometry(ring);
    // Only the ring is part of the widget: what it surrounds stays clickable
    // and is painted by its own widgets.
    setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(Thickness, Thickness, -Thickness, -Thickness))));
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    // Black with a yellow dashed line over it: seen on every pile colour,
    // on card faces and on backs.
    QPainter painter(this);
    const QRectF ring = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(Qt::black, Thickness));
    painter.drawRect(ring);
    QPen dashes(QColor(255, 255, 0), Thickness, Qt::DashLine);
    painter.setPen(dashes);
    painter.drawRect(ring);
}

}  // namespace vexa
