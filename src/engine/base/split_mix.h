#pragma once

#include <cstdint>

// SplitMix64: one 64-bit value well mixed from another, so that streams can be found again from a
// seed and an index alone (a move's candidate, a racing search's seed).
namespace SplitMix {

// The step between two values of a stream (the golden ratio in 64 bits).
inline constexpr std::uint64_t kGamma = 0x9E3779B97F4A7C15ULL;

inline std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace SplitMix
