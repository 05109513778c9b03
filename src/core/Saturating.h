// Counts, scores and statistics are signed 32-bit values, some read from a
// file a person may edit: sums stop at the 32-bit limits instead of
// overflowing.
#pragma once

#include <cstdint>
#include <limits>

namespace vexa {

inline std::int32_t Saturate(long long value)
{
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

inline std::int32_t SaturatingAdd(std::int32_t a, long long b) { return Saturate(static_cast<long long>(a) + b); }

}  // namespace vexa
