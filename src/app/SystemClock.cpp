#include <chrono>

#include "core/Environment.h"

namespace vexa {

double SystemClock::Now()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<double>(ms) / 86400000.0;
}

std::uint32_t SystemClock::MillisecondsSinceMidnightUtc()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms % 86400000);
}

}  // namespace vexa
