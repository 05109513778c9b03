// The card pictures of the card-image library, drawn in code: 52 faces and
// 13 back designs. The art is laid out on a card of 142 × 192 units (twice
// the table size) and drawn at any pixel size; the corner indices and the
// card's border are placed on whole pixels of the size drawn, so that they
// stay sharp from half the table size up. Drawing is deterministic.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QSize>

class QPainter;

namespace vexa::art {

constexpr int kPictureWidth = 142;
constexpr int kPictureHeight = 192;

// Picture n of the library: 1..52 the faces (suit × 13 + value), 53..65 the
// backs 1..13, at `size` pixels (by default 142 × 192). ARGB, transparent
// outside the rounded card.
QImage DrawPicture(int number, QSize size = QSize(kPictureWidth, kPictureHeight));

// A blank card of `size` pixels: white, a thin dark border, round corners.
QImage BlankCard(QSize size);

// The parts of a picture, each painting onto a blank card in art units (the
// painter maps 142 × 192 units onto the picture).
void DrawCourt(QPainter& painter, int suit, int value);
void DrawBackDesign(QPainter& painter, int design);

}  // namespace vexa::art
