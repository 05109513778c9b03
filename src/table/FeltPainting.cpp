#include "table/FeltPainting.h"

#include <algorithm>

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "table/PileWidget.h"

namespace vexa {

QColor FeltColour() { return QColor(26, 110, 58); }

void PaintFelt(QPainter& painter, const QRectF& area)
{
    // A light centre fading to a darker rim, as a lamp over a card table.
    QRadialGradient light(area.center(), std::max(area.width(), area.height()) * 0.75);
    light.setColorAt(0, FeltColour().lighter(118));
    light.setColorAt(1, FeltColour().darker(135));
    painter.fillRect(area, light);
}

void PaintFeltPile(QPainter& painter, const QRectF& area, int kind, double scale)
{
    const QColor base = KindColour(kind).isValid() ? KindColour(kind) : QColor(Qt::white);
    // The Kind's hue mixed into white: a tint that reads on the green.
    const QColor tint((base.red() + 3 * 255) / 4, (base.green() + 3 * 255) / 4, (base.blue() + 3 * 255) / 4);
    const double line = std::max(1.0, 2 * scale);
    const double radius = 6 * scale;
    const QRectF shape = area.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = tint;
    fill.setAlpha(28);
    QColor edge = tint;
    edge.setAlpha(150);
    painter.setBrush(fill);
    painter.setPen(QPen(edge, line));
    painter.drawRoundedRect(shape, radius, radius);
    painter.restore();
}

void PaintStockMark(QPainter& painter, const QRectF& card, bool redealLeft)
{
    const double size = std::min(card.width(), card.height()) * 0.42;
    const QRectF mark(card.center() - QPointF(size / 2, size / 2), QSizeF(size, size));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(255, 255, 255, 170);
    const double line = std::max(1.5, size / 9);
    painter.setPen(QPen(ink, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    if (redealLeft) {
        // Three quarters of a circle and an arrow head at its end.
        painter.drawArc(mark, 90 * 16, -270 * 16);
        const QPointF end(mark.center().x(), mark.top());
        QPainterPath head;
        head.moveTo(end + QPointF(-size / 5, -size / 6));
        head.lineTo(end);
        head.lineTo(end + QPointF(-size / 5, size / 6));
        painter.drawPath(head);
    } else {
        painter.drawLine(mark.topLeft(), mark.bottomRight());
        painter.drawLine(mark.topRight(), mark.bottomLeft());
    }
    painter.restore();
}

}  // namespace vexa
