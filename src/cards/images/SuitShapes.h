// Vector outlines of the four suit symbols, shared by the card faces, the
// court cards and the back designs.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace vexa::art {

// The outline of a suit symbol (0 clubs, 1 diamonds, 2 hearts, 3 spades),
// centred on the origin in a box 100 units high.
QPainterPath SuitPath(int suit);

bool IsRedSuit(int suit);
// The ink of a suit: a deep red for diamonds and hearts, near-black else.
QColor SuitInk(int suit);

// Fills the suit symbol centred at `centre`, `height` pixels high, turned
// upside down when `inverted` (the lower half of a card).
void DrawSuit(QPainter& painter, int suit, QPointF centre, double height, bool inverted = false);

}  // namespace vexa::art
