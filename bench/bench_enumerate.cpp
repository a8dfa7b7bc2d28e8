#include "engine/base/random_source.h"
#include "engine/generate/full_enumeration.h"
#include "engine/generate/line_format.h"
#include "engine/generate/margin_check.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <numeric>
#include <random>

namespace {

std::vector<int> firstNumbers(int count)
{
    std::vector<int> v(static_cast<std::size_t>(count));
    std::iota(v.begin(), v.end(), 1);
    return v;
}

// Every one of the C(25,15) = 3,268,760 Lotofácil tickets into a closing store.
void BM_Enumerate_Lotofacil25(benchmark::State& state)
{
    for (auto _ : state) {
        LineStore closing;
        FullEnumeration::Setup setup;
        setup.selected = firstNumbers(25);
        setup.k = 15;
        FullEnumeration enumeration(setup, closing);
        while (enumeration.state() == FullEnumeration::State::Running)
            enumeration.advance(64, u' ');
        state.counters["lines"] = static_cast<double>(closing.size());
        state.counters["MB"] = static_cast<double>(closing.memoryBytes()) / 1e6;
    }
}
BENCHMARK(BM_Enumerate_Lotofacil25)->Unit(benchmark::kMillisecond)->Iterations(1);

// Lotofácil T = 22, K = 15, G = 11, C = 15 (170,544 draws) against 500 random tickets.
void marginCheck(benchmark::State& state, bool literalText)
{
    const std::vector<int> bet = firstNumbers(22);
    LineStore closing;
    std::mt19937_64 rng(5);
    for (int t = 0; t < 500; ++t) {
        std::vector<int> pool = bet;
        std::shuffle(pool.begin(), pool.end(), rng);
        TicketMask m;
        for (int i = 0; i < 15; ++i)
            m.add(pool[static_cast<std::size_t>(i)]);
        closing.appendBuilt(LineFormat::maskLine(m, u' '), m);
    }
    for (auto _ : state) {
        MarginCheck::Setup setup;
        setup.K = 15;
        setup.G = 11;
        setup.C = 15;
        setup.selected = bet;
        setup.literalText = literalText;
        RandomSource random;
        MarginCheck check(setup, closing, random);
        while (check.state() == MarginCheck::State::Running)
            check.advance(64, u' ');
        state.counters["uncovered"] = check.uncovered();
    }
}
void BM_MarginCheck_Mask(benchmark::State& state)
{
    marginCheck(state, false);
}
void BM_MarginCheck_Text(benchmark::State& state)
{
    marginCheck(state, true);
}
BENCHMARK(BM_MarginCheck_Mask)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarginCheck_Text)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
