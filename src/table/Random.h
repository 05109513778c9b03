// The random number generator of the deal: a 32-bit linear congruential
// generator whose draws are reproducible from the seed, so that a hand can be
// pinned by its starting state.
#pragma once

#include <cstdint>

namespace vexa {

class Random {
public:
    explicit Random(std::uint32_t seed = 0) : state_(seed) {}
    std::uint32_t State() const { return state_; }
    void Seed(std::uint32_t seed) { state_ = seed; }
    // An integer from 0 to n - 1: the state advances, then the high 32 bits of
    // the 64-bit product of the new state and n are returned.
    int Draw(int n)
    {
        state_ = state_ * 134775813u + 1u;
        return static_cast<int>((static_cast<std::uint64_t>(state_) * static_cast<std::uint32_t>(n)) >> 32);
    }

private:
    std::uint32_t state_;
};

}  // namespace vexa
