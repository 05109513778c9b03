// The sizes at which the card-image library holds its pictures. Pictures
// 1..65 are the faces and backs at twice the table size (142 × 192). Every
// picture is also drawn at each size of a ladder, from half the table size
// to eight times it, and stored under the number
//
//   width × 1000 + n      (n = 1..65, the picture it is a size of)
//
// A picture wanted at some size is taken from the smallest rung at least that
// large and reduced by less than one step, so it is never an enlargement up
// to eight times; the common scales (1, 1.25, 1.5, 2, 2.5, 3, 4 ×) are rungs
// of their own, at exactly the size the table paints.
#pragma once

#include <array>

namespace vexa::sizes {

// The table size of a card and the size of pictures 1..65.
constexpr int kTableWidth = 71;
constexpr int kTableHeight = 96;
constexpr int kBaseWidth = 142;

// A rung of the ladder: a card drawn at scale e/8 of the table size, exactly
// as large as the table paints a card at that scale (71 · e/8 rounded, half
// up, by 96 · e/8).
struct Rung {
    int width;
    int height;
};
constexpr Rung RungAt(int eighths) { return {(kTableWidth * eighths + 4) / 8, kTableHeight * eighths / 8}; }

// The scales of the ladder in eighths, smallest first: 0.5 to 8 in steps of
// a fifth or less (a quarter at the smallest). Scale 2 (16) is the base
// size itself: it is not stored twice.
constexpr std::array<int, 20> kLadder = {4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 18, 20, 24, 28, 32, 36, 40, 48, 56, 64};

// The number under which picture `n` is stored at `width`; the base size is
// picture n itself.
constexpr int SizedNumber(int n, int width) { return width == kBaseWidth ? n : width * 1000 + n; }

// The rung a picture of `width` × `height` pixels is made from: the smallest
// at least as wide and as high, or the largest when none is.
constexpr Rung RungFor(int width, int height)
{
    for (int eighths : kLadder) {
        const Rung rung = RungAt(eighths);
        if (rung.width >= width && rung.height >= height) return rung;
    }
    return RungAt(kLadder.back());
}

}  // namespace vexa::sizes
