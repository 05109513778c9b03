// The sizes at which the card-image library holds its pictures. Pictures
// 1..65 are the faces and backs at twice the table size (142 × 192). Every
// picture is also drawn at each width of a ladder, from half the table size
// to eight times it, and stored under the number
//
//   width × 1000 + n      (n = 1..65, the picture it is a size of)
//
// A picture wanted at some size is taken from the smallest rung at least that
// large and reduced by at most one step, so it is never an enlargement; the
// common scales (1, 1.25, 1.5, 2, 2.5, 3, 4 ×) are rungs of their own.
#pragma once

#include <array>

namespace vexa::sizes {

// The table size of a card and the size of pictures 1..65.
constexpr int kTableWidth = 71;
constexpr int kTableHeight = 96;
constexpr int kBaseWidth = 142;

// The widths of the ladder, smallest first. 142 is the base size itself: it
// is not stored twice.
constexpr std::array<int, 20> kLadder = {36,  44,  53,  62,  71,  80,  89,  107, 124, 142,
                                         160, 178, 213, 249, 284, 320, 355, 426, 497, 568};

// The height of a card `width` pixels wide: the table card's proportions.
constexpr int HeightFor(int width) { return (width * kTableHeight + kTableWidth / 2) / kTableWidth; }

// The number under which picture `n` is stored at `width`; the base size is
// picture n itself.
constexpr int SizedNumber(int n, int width) { return width == kBaseWidth ? n : width * 1000 + n; }

// The rung a picture of `width` × `height` pixels is made from: the smallest
// at least as wide and as high, or the largest when none is.
constexpr int RungFor(int width, int height)
{
    for (int rung : kLadder)
        if (rung >= width && HeightFor(rung) >= height) return rung;
    return kLadder.back();
}

}  // namespace vexa::sizes
