#include "cards/DibDecoder.h"

#include <cstdint>
#include <cstring>

#include <QByteArray>

namespace vexa {

namespace {

std::uint32_t U32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t U16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitfields = 3;
constexpr std::uint32_t kPng = 5;
constexpr std::uint32_t kAlphaBitfields = 6;
constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// A 32-bit uncompressed bitmap with an alpha byte in use, read directly:
// the bitmap file reader would drop the alpha.
QImage DecodeWithAlpha(const unsigned char* bytes, std::size_t size, std::size_t pixels)
{
    const auto width = static_cast<std::int32_t>(U32(bytes + 4));
    const auto height = static_cast<std::int32_t>(U32(bytes + 8));
    if (width <= 0 || height == 0 || width > 0x4000 || height > 0x4000 || height < -0x4000) return {};
    const bool bottomUp = height > 0;
    const int rows = bottomUp ? height : -height;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    if (pixels > size || (size - pixels) / rowBytes < static_cast<std::size_t>(rows)) return {};

    bool anyAlpha = false;
    for (std::size_t i = pixels + 3; i < pixels + rowBytes * rows && !anyAlpha; i += 4) anyAlpha = bytes[i] != 0;
    if (!anyAlpha) return {};

    QImage image(width, rows, QImage::Format_ARGB32);
    for (int y = 0; y < rows; ++y) {
        const unsigned char* src = bytes + pixels + rowBytes * static_cast<std::size_t>(bottomUp ? rows - 1 - y : y);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, src += 4) dst[x] = qRgba(src[2], src[1], src[0], src[3]);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Rows compressed as PNG, read by the PNG reader; the picture must have the
// size the header announces.
QImage DecodePng(const unsigned char* bytes, std::size_t size, std::size_t pixels)
{
    const auto width = static_cast<std::int32_t>(U32(bytes + 4));
    const auto height = static_cast<std::int32_t>(U32(bytes + 8));
    const std::uint32_t imageBytes = U32(bytes + 20);
    const std::size_t length = imageBytes ? imageBytes : size - pixels;
    QImage image;
    if (!image.loadFromData(bytes + pixels, static_cast<int>(length), "PNG")) return {};
    if (image.width() != width || image.height() != (height < 0 ? -height : height)) return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Where the parts of a bitmap lie, read from its header.
struct DibLayout {
    std::uint32_t headerSize = 0;
    std::size_t pixels = 0;  // offset of the pixel rows
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kRgb;
};

// The layout of the bitmap, or false when the header is damaged or the
// uncompressed rows it announces are not all there.
bool ReadLayout(const unsigned char* bytes, std::size_t size, DibLayout& layout)
{
    if (!bytes || size < 12 || size > 0x10000000) return false;
    const std::uint32_t headerSize = U32(bytes);
    if (headerSize > size) return false;

    // Where the pixel rows start: after the header, the colour masks of a
    // plain information header, and the colour table.
    std::size_t pixels = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kRgb;
    if (headerSize == 12) {
        bitCount = U16(bytes + 10);
        pixels = 12 + (bitCount <= 8 ? (std::size_t(1) << bitCount) * 3 : 0);
    } else if (headerSize >= 40) {
        bitCount = U16(bytes + 14);
        compression = U32(bytes + 16);
        const std::uint32_t used = U32(bytes + 32);
        if (used > 256 && bitCount <= 8) return false;
        const std::size_t entries = used ? used : (bitCount <= 8 ? std::size_t(1) << bitCount : 0);
        std::size_t masks = 0;
        if (headerSize == 40 && compression == kBitfields) masks = 12;
        if (headerSize == 40 && compression == kAlphaBitfields) masks = 16;
        pixels = headerSize + masks + entries * 4;
    } else {
        return false;
    }
    if (pixels > size) return false;

    // Rows compressed as PNG: a PNG file of the announced size follows.
    if (compression == kPng) {
        const std::uint32_t imageBytes = U32(bytes + 20);
        if (headerSize < 40 || size - pixels < sizeof kPngSignature || imageBytes > size - pixels) return false;
        if (std::memcmp(bytes + pixels, kPngSignature, sizeof kPngSignature) != 0) return false;
        const auto width = static_cast<std::int32_t>(U32(bytes + 4));
        const auto height = static_cast<std::int32_t>(U32(bytes + 8));
        if (width <= 0 || width > 0x4000 || height <= 0 || height > 0x4000) return false;
    }

    // Uncompressed rows must all be there.
    if (compression == kRgb || compression == kBitfields || compression == kAlphaBitfields) {
        const std::int64_t width = headerSize == 12 ? U16(bytes + 4) : static_cast<std::int32_t>(U32(bytes + 4));
        std::int64_t height = headerSize == 12 ? U16(bytes + 6) : static_cast<std::int32_t>(U32(bytes + 8));
        if (height < 0) height = -height;
        if (width <= 0 || height == 0 || bitCount == 0 || width > 0x4000 || height > 0x4000) return false;
        const std::int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
        if (static_cast<std::int64_t>(size - pixels) < rowBytes * height) return false;
    }
    layout = {headerSize, pixels, bitCount, compression};
    return true;
}

}  // namespace

bool LooksLikeDib(const void* data, std::size_t size)
{
    DibLayout layout;
    return ReadLayout(static_cast<const unsigned char*>(data), size, layout);
}

QImage DecodeDib(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    DibLayout layout;
    if (!ReadLayout(bytes, size, layout)) return {};
    const std::uint32_t headerSize = layout.headerSize;
    const std::size_t pixels = layout.pixels;
    const std::uint16_t bitCount = layout.bitCount;
    const std::uint32_t compression = layout.compression;

    if (compression == kPng) return DecodePng(bytes, size, pixels);
    if (headerSize >= 40 && bitCount == 32 && compression == kRgb) {
        QImage withAlpha = DecodeWithAlpha(bytes, size, pixels);
        if (!withAlpha.isNull()) return withAlpha;
    }

    // Everything else goes to the bitmap file reader behind a file header.
    QByteArray file;
    file.reserve(static_cast<qsizetype>(size + 14));
    const std::uint32_t fileSize = static_cast<std::uint32_t>(size + 14);
    const std::uint32_t offset = static_cast<std::uint32_t>(pixels + 14);
    const unsigned char header[14] = {'B',
                                      'M',
                                      static_cast<unsigned char>(fileSize),
                                      static_cast<unsigned char>(fileSize >> 8),
                                      static_cast<unsigned char>(fileSize >> 16),
                                      static_cast<unsigned char>(fileSize >> 24),
                                      0,
                                      0,
                                      0,
                                      0,
                                      static_cast<unsigned char>(offset),
                                      static_cast<unsigned char>(offset >> 8),
                                      static_cast<unsigned char>(offset >> 16),
                                      static_cast<unsigned char>(offset >> 24)};
    file.append(reinterpret_cast<const char*>(header), 14);
    file.append(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    QImage image;
    if (!image.loadFromData(file, "BMP")) return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace vexa
