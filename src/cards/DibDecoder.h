// Decodes a device-independent bitmap as bitmap resources store it: the
// information header, the colour table and the pixel rows, without the
// 14-byte header of a bitmap file. The rows may also be a PNG file
// (compression 5 of the information header).
#pragma once

#include <cstddef>

#include <QImage>

namespace vexa {

// The picture in premultiplied ARGB, or a null image when the bytes do not
// hold a bitmap. A 32-bit uncompressed bitmap whose fourth bytes are not all
// zero is read with them as alpha (transparent card corners); otherwise the
// picture is opaque.
QImage DecodeDib(const void* data, std::size_t size);

// Whether the bytes hold a bitmap header that DecodeDib can read, with all
// the pixel rows it announces: the checks of DecodeDib without decoding.
bool LooksLikeDib(const void* data, std::size_t size);

}  // namespace vexa
