#include "cards/images/DibEncoder.h"

#include <cstdint>

#include <QBuffer>

namespace vexa::art {

namespace {

void PutU16(QByteArray& out, std::uint16_t v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void PutU32(QByteArray& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

void PutHeader(QByteArray& out, const QImage& image, std::uint32_t compression, std::uint32_t imageBytes)
{
    PutU32(out, 40);  // header size
    PutU32(out, static_cast<std::uint32_t>(image.width()));
    PutU32(out, static_cast<std::uint32_t>(image.height()));  // positive: bottom row first
    PutU16(out, 1);                                            // planes
    PutU16(out, 32);                                           // bits per pixel
    PutU32(out, compression);
    PutU32(out, imageBytes);  // size of the pixel data
    PutU32(out, 3780);        // 96 dots per inch
    PutU32(out, 3780);
    PutU32(out, 0);  // no colour table
    PutU32(out, 0);
}

// Transparent pixels as white, as readers that ignore alpha expect.
QImage WithWhiteTransparency(const QImage& picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) == 0) row[x] = qRgba(255, 255, 255, 0);
    }
    return image;
}

}  // namespace

QByteArray EncodeDibPng(const QImage& picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    WithWhiteTransparency(picture).save(&buffer, "PNG", 0);
    QByteArray out;
    PutHeader(out, picture, 5, static_cast<std::uint32_t>(png.size()));
    return out + png;
}

QByteArray EncodeDib(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const auto w = static_cast<std::uint32_t>(image.width());
    const auto h = static_cast<std::uint32_t>(image.height());
    QByteArray out;
    out.reserve(static_cast<qsizetype>(40 + w * h * 4));
    PutHeader(out, image, 0, w * h * 4);
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = qAlpha(row[x]) == 0 ? qRgba(255, 255, 255, 0) : row[x];
            out.append(char(qBlue(px)));
            out.append(char(qGreen(px)));
            out.append(char(qRed(px)));
            out.append(char(qAlpha(px)));
        }
    }
    return out;
}

}  // namespace vexa::art
