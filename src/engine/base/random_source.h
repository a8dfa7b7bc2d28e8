#pragma once

#include <cstdint>
#include <random>

// The program's one pseudo-random generator. Reseeded from the clock where a run starts;
// tests fix the seed so that reseeding becomes a no-op.
class RandomSource
{
public:
    static RandomSource& instance();

    void reseedFromClock();
    // Fixes the seed: later reseedFromClock calls restart from this seed instead of the clock.
    void fixSeed(std::uint64_t seed);
    void releaseSeed() { fixed_ = false; }

    // Uniform integer in 0 .. n-1 (n >= 1).
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
    // Uniform integer in low .. high.
    int between(int low, int high) { return low + below(high - low + 1); }
    std::mt19937_64& engine() { return engine_; }

private:
    std::mt19937_64 engine_ { 0x5eed };
    bool fixed_ = false;
    std::uint64_t fixedSeed_ = 0;
};
