#include "engine/base/random_source.h"

#include <chrono>

RandomSource& RandomSource::instance()
{
    static RandomSource source;
    return source;
}

void RandomSource::reseedFromClock()
{
    if (fixed_) {
        engine_.seed(fixedSeed_);
        return;
    }
    engine_.seed(static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

void RandomSource::fixSeed(std::uint64_t seed)
{
    fixed_ = true;
    fixedSeed_ = seed;
    engine_.seed(seed);
}
