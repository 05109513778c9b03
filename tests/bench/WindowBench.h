// What the window benchmarks share: the percentile of their samples.
// Their main() is in WindowBenchMain.cpp.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vexa::bench {

// The sample at percent of the sorted samples (100: the largest); 0 when
// there are none.
inline double Percentile(std::vector<double> samples, int percent)
{
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, samples.size() * static_cast<std::size_t>(percent) / 100)];
}

}  // namespace vexa::bench
