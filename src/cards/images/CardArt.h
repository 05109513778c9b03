// The card pictures of the card-image library, drawn in code: 52 faces and
// 13 back designs at twice the table size, so that they stay sharp when the
// victory dialog shows a card at double size. Drawing is deterministic.
#pragma once

#include <QImage>
#include <QPainterPath>

class QPainter;

namespace vexa::art {

constexpr int kPictureWidth = 142;
constexpr int kPictureHeight = 192;

// Picture n of the library: 1..52 the faces (suit × 13 + value), 53..65 the
// backs 1..13. ARGB, transparent outside the rounded card.
QImage DrawPicture(int number);

// The rounded outline of the card, and a blank card: white, thin border.
QPainterPath CardOutline();
QImage BlankCard();

// The parts of a face, each painting onto a blank card.
void DrawCourt(QPainter& painter, int suit, int value);
void DrawBackDesign(QPainter& painter, int design);

}  // namespace vexa::art
