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

void FocusFrame::Surround(const QRect& target, int thickness)
{
    const int t = thickness;
    const QRect ring = target.adjusted(-t, -t, t, t);
    if (geometry() != ring || thickness_ != t) {
        thickness_ = t;
        setGeometry(ring);
        update();
    }
    // Only the ring is part of the widget: what it surrounds stays clickable
    // and is painted by its own widgets.
    setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(t, t, -t, -t))));
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    // Black with a yellow dashed line over it: seen on every pile colour,
    // on card faces and on backs.
    QPainter painter(this);
    const qreal half = thickness_ / 2.0;
    const QRectF ring = QRectF(rect()).adjusted(half, half, -half, -half);
    painter.setPen(QPen(Qt::black, thickness_));
    painter.drawRect(ring);
    QPen dashes(QColor(255, 255, 0), thickness_, Qt::DashLine);
    painter.setPen(dashes);
    painter.drawRect(ring);
}

}  // namespace vexa
