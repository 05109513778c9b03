// Lettering for the card pictures: the rank indices and the court letters
// are drawn as outlines of a bold serif face, fitted into a box.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace vexa::art {

// The lettering face. Prefers the DejaVu Serif Bold and Liberation Serif
// Bold files that the install script puts in place; falls back to any
// serif the font system offers.
QFont LetteringFont();

// Fills `text` centred in `box`: its ink is scaled to the box height and,
// when that makes it too wide, squeezed horizontally to the box width.
void DrawFittedText(QPainter& painter, const QString& text, const QRectF& box, const QColor& ink);

}  // namespace vexa::art
