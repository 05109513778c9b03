// The three small pictures the carry pointer is made of, drawn as pixel art:
// a strip of rank numerals, a strip of suit symbols and a little card into
// which one of each is copied to show the carried card.
#pragma once

#include <QBitmap>
#include <QCursor>
#include <QImage>

namespace vexa {

// 143 × 28: thirteen 11 × 14 rank glyphs (ace first, king last) on yellow;
// black in the upper row (black suits), red in the lower row (red suits).
QImage NumbersPicture();
// 60 × 15: four 15 × 15 suit glyphs (clubs, diamonds, hearts, spades) on
// yellow; clubs and spades black, diamonds and hearts red.
QImage SuitsPicture();
// 32 × 32: a yellow card with a grey shadow on black.
QImage CursorcardPicture();

// The two-colour mask of a cursor card picture: its black is transparent.
QBitmap CursorMask(const QImage& cursorcard);

// The three pictures and the mask, made once when the main window is created
// and used for every carry pointer afterwards.
class CarryPictures {
public:
    CarryPictures();
    // The card picture with the rank and suit glyphs copied in.
    QImage Compose(int rank, int suit, int colour) const;
    // That picture, masked, with its hot spot at (15, 0); on a screen of
    // the given device pixel ratio each of its pixels is drawn as a square
    // of round(ratio) device pixels, so the pointer stays sharp. At a table
    // scale other than 1 the pointer is as large as the table's cards
    // make it: round(ratio × scale) device pixels per pixel.
    QCursor Cursor(int rank, int suit, int colour, qreal devicePixelRatio = 1, qreal scale = 1) const;

    QImage Numbers;
    QImage Suits;
    QImage Cursorcard;
    QBitmap CursorMask;
};

// The card picture with the glyphs of rank (1..13), suit (0..3) and colour
// (0 black, 1 red) copied in: the rank glyph into (6, 2)-(17, 16), the suit
// glyph into (11, 15)-(26, 30).
QImage CarryCursorImage(int rank, int suit, int colour);
// The carry pointer: that picture, masked, with its hot spot at (15, 0).
QCursor CarryCursor(int rank, int suit, int colour);

}  // namespace vexa
