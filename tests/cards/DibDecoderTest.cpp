#include "cards/DibDecoder.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>

namespace vexa {
namespace {

struct Dib {
    std::vector<unsigned char> bytes;
    void U16(std::uint16_t v)
    {
        bytes.insert(bytes.end(), {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)});
    }
    void U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
    void Header(int width, int height, int bits, std::uint32_t colours = 0, std::uint32_t compression = 0,
                std::uint32_t imageBytes = 0)
    {
        U32(40);
        U32(static_cast<std::uint32_t>(width));
        U32(static_cast<std::uint32_t>(height));
        U16(1);
        U16(static_cast<std::uint16_t>(bits));
        U32(compression);
        U32(imageBytes);
        U32(0);
        U32(0);
        U32(colours);
        U32(0);
    }
    void Bytes(std::initializer_list<unsigned char> list) { bytes.insert(bytes.end(), list); }
};

TEST(DibDecoder, TwentyFourBitRowsAreReadBottomUpWithPadding)
{
    // 2 × 2: bottom row blue, red; top row green, white. Rows pad to 8 bytes.
    Dib dib;
    dib.Header(2, 2, 24);
    dib.Bytes({255, 0, 0, 0, 0, 255, 0, 0});
    dib.Bytes({0, 255, 0, 255, 255, 255, 0, 0});
    const QImage image = DecodeDib(dib.bytes.data(), dib.bytes.size());
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255));
}

TEST(DibDecoder, PaletteBitmapsFindTheirPixelsAfterTheColourTable)
{
    // 8 bits per pixel with a two-entry colour table.
    Dib dib;
    dib.Header(1, 1, 8, 2);
    dib.Bytes({0, 0, 0, 0, 0, 128, 255, 0});  // black, orange
    dib.Bytes({1, 0, 0, 0});
    const QImage image = DecodeDib(dib.bytes.data(), dib.bytes.size());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 128, 0));
}

TEST(DibDecoder, ThirtyTwoBitUsesTheFourthByteAsAlphaOnlyWhenSet)
{
    Dib opaque;
    opaque.Header(1, 1, 32);
    opaque.Bytes({10, 20, 30, 0});
    EXPECT_EQ(DecodeDib(opaque.bytes.data(), opaque.bytes.size()).pixel(0, 0), qRgb(30, 20, 10));

    Dib clear;
    clear.Header(2, 1, 32);
    clear.Bytes({10, 20, 30, 255, 255, 255, 255, 0});
    const QImage image = DecodeDib(clear.bytes.data(), clear.bytes.size());
    EXPECT_EQ(image.pixel(0, 0), qRgba(30, 20, 10, 255));
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
}

TEST(DibDecoder, TruncatedOrForeignBytesGiveNoPicture)
{
    Dib dib;
    dib.Header(4, 4, 32);
    dib.Bytes({1, 2, 3, 4});  // one pixel of sixteen
    EXPECT_TRUE(DecodeDib(dib.bytes.data(), dib.bytes.size()).isNull());

    const char text[] = "this is not a bitmap at all, only text";
    EXPECT_TRUE(DecodeDib(text, sizeof text).isNull());
    EXPECT_TRUE(DecodeDib(nullptr, 0).isNull());
}

// A bitmap whose rows are the PNG file of `picture` (compression 5), the
// header announcing `width` × `height`.
Dib PngDib(const QImage& picture, int width, int height)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    Dib dib;
    dib.Header(width, height, 32, 0, 5, static_cast<std::uint32_t>(png.size()));
    dib.bytes.insert(dib.bytes.end(), png.begin(), png.end());
    return dib;
}

TEST(DibDecoder, PngRowsAreReadWithTheirAlphaAndMustMatchTheHeader)
{
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(qRgba(200, 10, 20, 255));
    picture.setPixel(0, 0, qRgba(255, 255, 255, 0));
    const Dib dib = PngDib(picture, 3, 2);
    ASSERT_TRUE(LooksLikeDib(dib.bytes.data(), dib.bytes.size()));
    const QImage image = DecodeDib(dib.bytes.data(), dib.bytes.size());
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixel(2, 1), qRgb(200, 10, 20));

    // A size other than the header's, a cut file, a damaged signature.
    const Dib wrongSize = PngDib(picture, 3, 3);
    EXPECT_TRUE(DecodeDib(wrongSize.bytes.data(), wrongSize.bytes.size()).isNull());
    EXPECT_FALSE(LooksLikeDib(dib.bytes.data(), dib.bytes.size() - 10));
    Dib damaged = dib;
    damaged.bytes[41] = 'X';
    EXPECT_FALSE(LooksLikeDib(damaged.bytes.data(), damaged.bytes.size()));
    EXPECT_TRUE(DecodeDib(damaged.bytes.data(), damaged.bytes.size()).isNull());
}

}  // namespace
}  // namespace vexa
