// The pictures at the sizes a scaled table paints them: every size stored,
// sharp rather than enlarged, a corner index that tells rank and suit in the
// strips a fan leaves uncovered, and a memory budget for kept pictures.
#include "cards/CardLibrary.h"
#include "cards/CardTestDirs.h"
#include "cards/images/PictureSizes.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QImage>

namespace vexa {
namespace {

using test::CardsDirs;
using test::FaultyCardsDirs;

// The size in device pixels of a card painted at `scale` (table scale times
// device-pixel ratio).
QSize PaintedSize(double scale)
{
    return QSizeF(sizes::kTableWidth * scale, sizes::kTableHeight * scale).toSize();
}

// Pixels of `region` where two pictures clearly differ.
int Differing(const QImage& a, const QImage& b, const QRect& region)
{
    int count = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 150)
                ++count;
        }
    return count;
}

// What the table shows of a covered card: the top 17 table pixels in a fan
// downwards, the left 15 in a fan to the right.
struct Strip {
    const char* name;
    QRect (*region)(QSize size, double scale);
};
const Strip kStrips[] = {
    {"top strip", [](QSize size, double scale) { return QRect(0, 0, size.width(), int(17 * scale)); }},
    {"left strip", [](QSize size, double scale) { return QRect(0, 0, int(15 * scale), size.height()); }},
};

TEST(CardSizes, FanStripsShowRankAndSuitAtEverySize)
{
    // Every two cards of one rank and colour (suits 0/3 and 1/2) must differ
    // in the strip by their suit, every two of one suit by their rank, and by
    // more than a sliver: a symbol is several pixels across at any size.
    CardLibrary library(CardsDirs());
    for (double scale : {0.75, 1.0, 1.25, 1.5, 2.0, 2.5, 3.3, 4.0, 6.0}) {
        const QSize size = PaintedSize(scale);
        std::vector<QImage> card(53);
        for (int n = 1; n <= 52; ++n) {
            card[n] = library.Scaled(n, size).toImage();
            ASSERT_EQ(card[n].size(), size) << n;
        }
        const int enough = int(std::ceil(6 * scale * scale));
        for (const Strip& strip : kStrips) {
            const QRect region = strip.region(size, scale);
            int leastBySuit = region.width() * region.height(), leastByRank = leastBySuit;
            std::string worstSuit, worstRank;
            for (int value = 1; value <= 13; ++value)
                for (auto [a, b] : {std::pair{0, 3}, std::pair{1, 2}}) {
                    const int d = Differing(card[a * 13 + value], card[b * 13 + value], region);
                    if (d < leastBySuit) leastBySuit = d, worstSuit = std::to_string(value);
                }
            for (int suit = 0; suit < 4; ++suit)
                for (int v = 1; v <= 13; ++v)
                    for (int w = v + 1; w <= 13; ++w) {
                        const int d = Differing(card[suit * 13 + v], card[suit * 13 + w], region);
                        if (d < leastByRank)
                            leastByRank = d, worstRank = std::to_string(v) + "/" + std::to_string(w);
                    }
            EXPECT_GE(leastBySuit, enough) << strip.name << " at " << scale << "x, rank " << worstSuit;
            EXPECT_GE(leastByRank, enough) << strip.name << " at " << scale << "x, ranks " << worstRank;
        }
    }
}

// The energy of the picture's edges: the squared steps of brightness between
// neighbouring pixels. Spreading an edge of height H over w pixels turns H²
// into w·(H/w)², so a blurred picture has less of it.
double EdgeEnergy(const QImage& picture)
{
    double energy = 0;
    for (int y = 1; y < picture.height(); ++y)
        for (int x = 1; x < picture.width(); ++x) {
            const int g = qGray(picture.pixel(x, y));
            const int left = qGray(picture.pixel(x - 1, y)), up = qGray(picture.pixel(x, y - 1));
            energy += double(g - left) * (g - left) + double(g - up) * (g - up);
        }
    return energy;
}

TEST(CardSizes, LargeCardsAreDrawnAtTheirSizeNotEnlarged)
{
    // Faces, a court card and a back at large sizes, against the enlargement
    // of the double-size picture that the table would otherwise show.
    CardLibrary library(CardsDirs());
    for (double scale : {3.0, 4.0, 5.5, 8.0})
        for (int n : {40, 10, 25, 58}) {
            const QSize size = PaintedSize(scale);
            const QImage sharp = library.Scaled(n, size).toImage();
            ASSERT_EQ(sharp.size(), size);
            const QImage enlarged = library.Image(n).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            EXPECT_GT(EdgeEnergy(sharp), 1.5 * EdgeEnergy(enlarged)) << n << " at " << scale << "x";
        }
}

TEST(CardSizes, EverySizeOfTheLadderIsStored)
{
    // Some pictures at every size, every picture at a small and a large one.
    CardLibrary library(CardsDirs());
    std::vector<std::pair<int, sizes::Rung>> wanted;
    for (int eighths : sizes::kLadder)
        for (int n : {1, 27, 40, 52, 53, 65}) wanted.emplace_back(n, sizes::RungAt(eighths));
    for (int n = 1; n <= 65; ++n)
        for (int eighths : {6, 48}) wanted.emplace_back(n, sizes::RungAt(eighths));
    for (auto [n, rung] : wanted) {
        const int number = sizes::SizedNumber(n, rung.width);
        ASSERT_NO_THROW(library.LoadCardBitmap(number)) << n << " at " << rung.width;
        const QImage picture = library.Image(number);
        EXPECT_EQ(picture.size(), QSize(rung.width, rung.height)) << n << " at " << rung.width;
        EXPECT_LT(qAlpha(picture.pixel(0, 0)), 64) << n << " at " << rung.width;
    }
}

TEST(CardSizes, RungsCoverEveryScaleWithoutEnlarging)
{
    // Every painted size from half to eight times the table size has a rung
    // at least as large, at most a quarter larger; the common scales have
    // their own, of exactly the painted size.
    for (int hundredths = 50; hundredths <= 800; ++hundredths) {
        const QSize size = PaintedSize(hundredths / 100.0);
        const sizes::Rung rung = sizes::RungFor(size.width(), size.height());
        EXPECT_GE(rung.width, size.width()) << hundredths;
        EXPECT_GE(rung.height, size.height()) << hundredths;
        EXPECT_LE(rung.height, size.height() * 1.26) << hundredths;
    }
    for (double scale : {0.5, 1.0, 1.25, 1.5, 2.0, 2.5, 3.0, 4.0, 8.0}) {
        const QSize size = PaintedSize(scale);
        const sizes::Rung rung = sizes::RungFor(size.width(), size.height());
        EXPECT_EQ(QSize(rung.width, rung.height), size) << scale;
    }
    EXPECT_EQ(sizes::RungFor(2000, 3000).width, 568);
    EXPECT_EQ(sizes::SizedNumber(7, 142), 7);
    EXPECT_EQ(sizes::SizedNumber(7, 178), 178007);
}

TEST(CardSizes, DamagedSizesFallBackToLargerOnes)
{
    // In the damaged library picture 27 is missing at 284 pixels and no
    // bitmap at 213, picture 28 empty at 284: painting still gets them, from
    // a larger size, while the errors of pictures 1..65 stay as they are.
    CardLibrary library(FaultyCardsDirs());
    const QImage sharp = CardLibrary(CardsDirs()).Scaled(27, QSize(213, 288)).toImage();
    for (auto [n, scale] : {std::pair{27, 4.0}, std::pair{27, 3.0}, std::pair{28, 4.0}}) {
        const QSize size = PaintedSize(scale);
        EXPECT_EQ(library.Scaled(n, size).size(), size) << n << " at " << scale;
    }
    const QImage fallback = library.Scaled(27, QSize(213, 288)).toImage();
    EXPECT_LT(Differing(sharp, fallback, fallback.rect()), 213 * 288 / 50);
    EXPECT_TRUE(library.Scaled(58, QSize(213, 288)).isNull());
    EXPECT_TRUE(library.Scaled(9, QSize(71, 96)).isNull());
}

TEST(CardSizes, SizesNoLongerPaintedAreLetGoPastTheBudget)
{
    CardLibrary library(CardsDirs());
    const QSize small = PaintedSize(1), large = PaintedSize(3);
    const std::size_t smallBytes = std::size_t(small.width()) * small.height() * 4;
    library.SetKeptBudget(20 * smallBytes);
    for (int n = 1; n <= 10; ++n) library.Scaled(n, small);
    EXPECT_EQ(library.KeptPictures(), 10u);
    EXPECT_EQ(library.KeptBytes(), 10 * smallBytes);

    // The table grows: the larger pictures push the small ones out, but all
    // of the painted size are kept even past the budget.
    for (int n = 1; n <= 10; ++n) library.Scaled(n, large);
    EXPECT_EQ(library.KeptPictures(), 10u);
    EXPECT_GT(library.KeptBytes(), 20 * smallBytes);
    const QPixmap kept = library.Scaled(5, large);
    EXPECT_EQ(library.Scaled(5, large).cacheKey(), kept.cacheKey());

    // Back to the small size: the least recently painted large ones go first.
    library.Scaled(1, small);
    EXPECT_EQ(library.Scaled(5, large).cacheKey(), kept.cacheKey());
    EXPECT_LE(library.KeptBytes(), 20 * smallBytes + kept.width() * kept.height() * 4u);
}

}  // namespace
}  // namespace vexa
