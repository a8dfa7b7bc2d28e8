#pragma once

#include "engine/generate/line_format.h"
#include "engine/generate/line_store.h"
#include "engine/generate/ticket_mask.h"

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

// Appends `count` random lines of k numbers of the pool, built in closing line format.
inline void appendRandom(
    LineStore& store, std::mt19937_64& rng, const std::vector<int>& pool, int k, int count)
{
    for (int i = 0; i < count; ++i) {
        const TicketMask t = pick(rng, pool, k);
        store.appendBuilt(LineFormat::maskLine(t, u' '), t);
    }
}

// Every Lotofácil ticket, C(25, 15) = 3,268,760 closing lines, in ascending mask order.
inline void everyLotofacilTicket(LineStore& store)
{
    store.clear();
    std::uint64_t subset = (std::uint64_t { 1 } << 15) - 1;
    while (subset < (std::uint64_t { 1 } << 25)) {
        const TicketMask mask { subset, 0 };
        store.appendBuilt(LineFormat::maskLine(mask, u' '), mask);
        const std::uint64_t lowest = subset & (~subset + 1), ripple = subset + lowest;
        subset = ripple | (((subset ^ ripple) >> 2) / lowest);
    }
}

// A random 60-number Lotomania bet.
inline std::vector<int> lotomaniaBet(std::mt19937_64& rng)
{
    std::vector<int> bet = numbers(1, 100);
    std::shuffle(bet.begin(), bet.end(), rng);
    bet.resize(60);
    return bet;
}

} // namespace BenchSupport
