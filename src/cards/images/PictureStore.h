// The layout of the picture store built into the card-image library: a
// table of contents followed by the pictures' bytes.
//
//   "VXCP"  u32 count  count × { u32 id, u32 offset, u32 size }  data…
//
// Offsets count from the start of the store; all numbers are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vexa::store {

constexpr char kMagic[4] = {'V', 'X', 'C', 'P'};
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kEntrySize = 12;

struct Entry {
    std::uint32_t id = 0;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

inline std::uint32_t ReadU32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

}  // namespace vexa::store
