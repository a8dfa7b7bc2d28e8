#pragma once

#include "generate/ticket_mask.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

// Inputs the benchmarks build for themselves.
namespace BenchSupport {

inline std::vector<int> numbers(int from, int to)
{
    std::vector<int> v(static_cast<std::size_t>(to - from + 1));
    std::iota(v.begin(), v.end(), from);
    return v;
}

// k numbers of the pool at random.
inline TicketMask pick(std::mt19937_64& rng, std::vector<int> pool, int k)
{
    std::shuffle(pool.begin(), pool.end(), rng);
    TicketMask m;
    for (int i = 0; i < k; ++i)
        m.add(pool[static_cast<std::size_t>(i)]);
    return m;
}

} // namespace BenchSupport
