#include "cards/CursorPictures.h"

#include <set>

#include <gtest/gtest.h>

namespace vexa {
namespace {

const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);

// The pixels of a cell as a string, '#' for ink of the given colour,
// '.' for yellow and '?' for anything else.
QString Cell(const QImage& image, QRect cell, QRgb ink)
{
    QString text;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QRgb px = image.pixel(x, y) | 0xFF000000;
            text += px == ink ? '#' : px == kYellow ? '.' : '?';
        }
    return text;
}

TEST(CursorPictures, NumbersHoldThirteenRanksInBlackAndInRed)
{
    const QImage numbers = NumbersPicture();
    ASSERT_EQ(numbers.size(), QSize(143, 28));
    std::set<QString> shapes;
    for (int rank = 0; rank < 13; ++rank) {
        const QString black = Cell(numbers, QRect(rank * 11, 0, 11, 14), kBlack);
        const QString red = Cell(numbers, QRect(rank * 11, 14, 11, 14), kRed);
        EXPECT_FALSE(black.contains('?')) << rank;
        EXPECT_TRUE(black.contains('#')) << rank;
        EXPECT_EQ(red, black) << rank;  // the same glyph in the other ink
        shapes.insert(black);
    }
    EXPECT_EQ(shapes.size(), 13u);
}

TEST(CursorPictures, SuitsAreBlackClubsAndSpadesRedDiamondsAndHearts)
{
    const QImage suits = SuitsPicture();
    ASSERT_EQ(suits.size(), QSize(60, 15));
    std::set<QString> shapes;
    for (int suit = 0; suit < 4; ++suit) {
        const QString glyph = Cell(suits, QRect(suit * 15, 0, 15, 15), suit == 1 || suit == 2 ? kRed : kBlack);
        EXPECT_FALSE(glyph.contains('?')) << suit;
        EXPECT_GT(glyph.count('#'), 60) << suit;
        shapes.insert(glyph);
    }
    EXPECT_EQ(shapes.size(), 4u);
}

TEST(CursorPictures, CursorcardIsAYellowCardWithShadowOnBlack)
{
    const QImage card = CursorcardPicture();
    ASSERT_EQ(card.size(), QSize(32, 32));
    auto at = [&](int x, int y) { return card.pixel(x, y) | 0xFF000000; };
    EXPECT_EQ(at(0, 0), kBlack);
    EXPECT_EQ(at(3, 10), kBlack);
    EXPECT_EQ(at(4, 0), kBlack);  // cut corners
    EXPECT_EQ(at(26, 0), kBlack);
    EXPECT_EQ(at(5, 0), kYellow);
    EXPECT_EQ(at(4, 10), kYellow);
    EXPECT_EQ(at(26, 29), kYellow);
    EXPECT_EQ(at(27, 15), qRgb(128, 128, 128));
    EXPECT_EQ(at(15, 30), qRgb(128, 128, 128));
    EXPECT_EQ(at(28, 15), kBlack);
    EXPECT_EQ(at(15, 31), kBlack);
}

TEST(CursorPictures, CarryCursorCopiesTheGlyphsIntoTheCard)
{
    // Queen of hearts: rank 12, suit 2, red.
    const QImage image = CarryCursorImage(12, 2, 1);
    const QImage numbers = NumbersPicture();
    const QImage suits = SuitsPicture();
    const QImage blank = CursorcardPicture();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            QRgb expected = blank.pixel(x, y);
            if (QRect(6, 2, 11, 14).contains(x, y)) expected = numbers.pixel(11 * 11 + x - 6, 14 + y - 2);
            if (QRect(11, 15, 15, 15).contains(x, y)) expected = suits.pixel(30 + x - 11, y - 15);
            ASSERT_EQ(image.pixel(x, y) | 0xFF000000, expected | 0xFF000000) << x << "," << y;
        }

    const QCursor cursor = CarryCursor(12, 2, 1);
    EXPECT_EQ(cursor.hotSpot(), QPoint(15, 0));
    const QImage shown = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);      // black outside: transparent
    EXPECT_EQ(qAlpha(shown.pixel(15, 10)), 255);  // the card
    EXPECT_EQ(qAlpha(shown.pixel(27, 10)), 255);  // its shadow
    EXPECT_EQ(shown.pixel(12, 8) | 0xFF000000, image.pixel(12, 8) | 0xFF000000);
}

TEST(CursorPictures, CarryCursorOnADenseScreenDoublesEveryPixel)
{
    const CarryPictures pictures;
    const QImage image = pictures.Compose(12, 2, 1);
    const QCursor cursor = pictures.Cursor(12, 2, 1, 2.0);
    EXPECT_EQ(cursor.hotSpot(), QPoint(15, 0));
    ASSERT_EQ(cursor.pixmap().devicePixelRatio(), 2.0);
    const QImage shown = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), QSize(64, 64));
    // Each pixel of the picture is a 2 × 2 block: no blur, same mask.
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb expected = image.pixel(x / 2, y / 2);
            const bool transparent = expected == qRgb(0, 0, 0);
            ASSERT_EQ(qAlpha(shown.pixel(x, y)), transparent ? 0 : 255) << x << "," << y;
            if (!transparent) {
                ASSERT_EQ(shown.pixel(x, y) | 0xFF000000, expected | 0xFF000000) << x << "," << y;
            }
        }
}

}  // namespace
}  // namespace vexa
