// The felt table style's drawing: the green cloth, a pile's soft rounded
// outline tinted by its Kind, and the mark of an empty stock (a circular
// arrow while a redeal is left, a cross when none is). Sizes follow the
// table's scale, so the style looks the same at any window size.
#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace vexa {

QColor FeltColour();
void PaintFelt(QPainter& painter, const QRectF& area);
void PaintFeltPile(QPainter& painter, const QRectF& area, int kind, double scale);
void PaintStockMark(QPainter& painter, const QRectF& card, bool redealLeft);

}  // namespace vexa
