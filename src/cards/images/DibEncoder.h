// Encodes a picture as a device-independent bitmap the way bitmap resources
// are stored: a 40-byte information header and the pixel rows, bottom row
// first, without the 14-byte header of a bitmap file.
#pragma once

#include <QByteArray>
#include <QImage>

namespace vexa::art {

// 32 bits per pixel (blue, green, red, alpha), uncompressed. Fully
// transparent pixels are stored white, so that readers that ignore the
// alpha byte see a plain white card corner.
QByteArray EncodeDib(const QImage& picture);

// The same picture with its rows compressed as PNG (compression 5 of the
// information header): the header, then the PNG file. For the large sizes,
// which would be too big to keep uncompressed.
QByteArray EncodeDibPng(const QImage& picture);

}  // namespace vexa::art
