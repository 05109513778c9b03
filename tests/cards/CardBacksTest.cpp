// The thirteen card backs as the table paints them: thirteen designs that
// tell apart at a glance, each framed, with a pattern that holds from half
// the table size to eight times it.
#include "cards/CardLibrary.h"
#include "cards/CardTestDirs.h"
#include "cards/images/PictureSizes.h"

#include <array>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include <QImage>

namespace vexa {
namespace {

using test::CardsDirs;

constexpr int kFirstBack = 53;
constexpr int kBacks = 13;

// The share of the middle of the card in each of 64 colour bins.
std::array<double, 64> Histogram(const QImage& back)
{
    std::array<double, 64> bins{};
    const QRect middle = back.rect().adjusted(back.width() / 5, back.height() / 5, -back.width() / 5,
                                              -back.height() / 5);
    for (int y = middle.top(); y <= middle.bottom(); ++y)
        for (int x = middle.left(); x <= middle.right(); ++x) {
            const QRgb p = back.pixel(x, y);
            bins[qRed(p) / 64 * 16 + qGreen(p) / 64 * 4 + qBlue(p) / 64] += 1.0 / (middle.width() * middle.height());
        }
    return bins;
}

// 0 for the same mix of colours, 1 for no colour in common.
double Apart(const std::array<double, 64>& a, const std::array<double, 64>& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
    return sum / 2;
}

// The spread of brightness in the middle of the card: low when the pattern
// has washed out into one flat colour.
double Contrast(const QImage& back)
{
    double sum = 0, squares = 0;
    int n = 0;
    for (int y = back.height() / 4; y < back.height() * 3 / 4; ++y)
        for (int x = back.width() / 4; x < back.width() * 3 / 4; ++x, ++n) {
            const double g = qGray(back.pixel(x, y));
            sum += g;
            squares += g * g;
        }
    return std::sqrt(squares / n - (sum / n) * (sum / n));
}

int Distance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

TEST(CardBacks, ThirteenDistinctFramedDesignsAtEverySize)
{
    CardLibrary library(CardsDirs());
    for (int eighths : {4, 6, 8, 12, 20, 32, 64}) {
        const QSize size(sizes::RungAt(eighths).width, sizes::RungAt(eighths).height);
        const int width = size.width();
        std::vector<QImage> back;
        std::vector<std::array<double, 64>> colours;
        for (int b = 0; b < kBacks; ++b) {
            back.push_back(library.Scaled(kFirstBack + b, size).toImage());
            ASSERT_EQ(back[b].size(), size) << "back " << b + 1;
            colours.push_back(Histogram(back[b]));
            EXPECT_GT(Contrast(back[b]), 18) << "back " << b + 1 << " at " << width;

            // The frame: a band just inside the white margin, one colour all
            // round (the middle of each side), darker than the margin.
            const int in = int(5 * width / double(sizes::kTableWidth));
            const QRgb top = back[b].pixel(width / 2, in), bottom = back[b].pixel(width / 2, size.height() - 1 - in);
            const QRgb left = back[b].pixel(in, size.height() / 2), right = back[b].pixel(width - 1 - in, size.height() / 2);
            for (QRgb side : {bottom, left, right})
                EXPECT_LT(Distance(side, top), 40) << "back " << b + 1 << " at " << width;
            EXPECT_LT(qGray(top), 180) << "back " << b + 1 << " at " << width;
        }
        for (int a = 0; a < kBacks; ++a)
            for (int b = a + 1; b < kBacks; ++b)
                EXPECT_GT(Apart(colours[a], colours[b]), 0.3) << "backs " << a + 1 << " and " << b + 1 << " at " << width;
    }
}

}  // namespace
}  // namespace vexa
