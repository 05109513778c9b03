#include "cards/images/SuitShapes.h"

#include <QPainter>
#include <QPolygonF>

namespace vexa::art {

namespace {

// Twice the signed area of the first polygon of a path: its winding sense.
double SignedArea(const QPainterPath& path)
{
    const QPolygonF polygon = path.toFillPolygon();
    double area = 0;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF& a = polygon[i];
        const QPointF& b = polygon[(i + 1) % polygon.size()];
        area += a.x() * b.y() - b.x() * a.y();
    }
    return area;
}

// Adds a closed part to a compound shape with one common winding sense, so
// that overlapping parts fill as a union under the winding rule.
void AddPart(QPainterPath& shape, const QPainterPath& part)
{
    shape.addPath(SignedArea(part) < 0 ? part.toReversed() : part);
}

QPainterPath Heart()
{
    QPainterPath p;
    p.moveTo(0, 47);
    p.cubicTo(-6, 36, -24, 22, -37, 7);
    p.cubicTo(-47, -5, -51, -17, -49, -28);
    p.cubicTo(-46, -42, -35, -49, -24, -49);
    p.cubicTo(-12, -49, -4, -42, 0, -31);
    p.cubicTo(4, -42, 12, -49, 24, -49);
    p.cubicTo(35, -49, 46, -42, 49, -28);
    p.cubicTo(51, -17, 47, -5, 37, 7);
    p.cubicTo(24, 22, 6, 36, 0, 47);
    p.closeSubpath();
    return p;
}

QPainterPath Diamond()
{
    QPainterPath p;
    p.moveTo(0, -50);
    p.quadTo(16, -20, 38, 0);
    p.quadTo(16, 20, 0, 50);
    p.quadTo(-16, 20, -38, 0);
    p.quadTo(-16, -20, 0, -50);
    p.closeSubpath();
    return p;
}

// The flared foot shared by clubs and spades.
QPainterPath Stem(double top)
{
    QPainterPath p;
    p.moveTo(-4, top);
    p.cubicTo(-4, 26, -11, 41, -22, 49);
    p.lineTo(22, 49);
    p.cubicTo(11, 41, 4, 26, 4, top);
    p.closeSubpath();
    return p;
}

QPainterPath Club()
{
    QPainterPath shape;
    shape.setFillRule(Qt::WindingFill);
    auto circle = [](double x, double y, double r) {
        QPainterPath c;
        c.addEllipse(QPointF(x, y), r, r);
        return c;
    };
    AddPart(shape, circle(0, -27, 22));
    AddPart(shape, circle(-25, 9, 22));
    AddPart(shape, circle(25, 9, 22));
    AddPart(shape, circle(0, 0, 14));
    AddPart(shape, Stem(4));
    return shape;
}

QPainterPath Spade()
{
    QPainterPath shape;
    shape.setFillRule(Qt::WindingFill);
    QTransform flip;
    flip.translate(0, -8);
    flip.scale(1.0, -0.86);
    AddPart(shape, flip.map(Heart()));
    AddPart(shape, Stem(10));
    return shape;
}

}  // namespace

QPainterPath SuitPath(int suit)
{
    switch (suit) {
    case 0: return Club();
    case 1: return Diamond();
    case 2: return Heart();
    default: return Spade();
    }
}

bool IsRedSuit(int suit) { return suit == 1 || suit == 2; }

QColor SuitInk(int suit) { return IsRedSuit(suit) ? QColor(204, 20, 32) : QColor(20, 20, 24); }

void DrawSuit(QPainter& painter, int suit, QPointF centre, double height, bool inverted)
{
    static const QPainterPath shapes[4] = {SuitPath(0), SuitPath(1), SuitPath(2), SuitPath(3)};
    painter.save();
    painter.translate(centre);
    if (inverted) painter.rotate(180);
    painter.scale(height / 100.0, height / 100.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(SuitInk(suit));
    painter.drawPath(shapes[suit & 3]);
    painter.restore();
}

}  // namespace vexa::art
