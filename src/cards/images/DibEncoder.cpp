#include "cards/images/DibEncoder.h"

#include <cstdint>

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

}  // namespace

QByteArray EncodeDib(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const auto w = static_cast<std::uint32_t>(image.width());
    const auto h = static_cast<std::uint32_t>(image.height());
    QByteArray out;
    out.reserve(static_cast<qsizetype>(40 + w * h * 4));
    PutU32(out, 40);         // header size
    PutU32(out, w);          // width
    PutU32(out, h);          // height, positive: bottom row first
    PutU16(out, 1);          // planes
    PutU16(out, 32);         // bits per pixel
    PutU32(out, 0);          // uncompressed
    PutU32(out, w * h * 4);  // size of the pixel data
    PutU32(out, 3780);       // 96 dots per inch
    PutU32(out, 3780);
    PutU32(out, 0);  // no colour table
    PutU32(out, 0);
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
