#include "engine/catalogue/closing_catalogue.h"
#include "engine/generate/optimizer_check.h"

#include <benchmark/benchmark.h>
#include <numeric>

namespace {

// What "Fechamento Pronto" does on the largest Lotofácil wheel: read the catalogue compiled
// in (every entry's header), read the 25, 15, 15, 13 entry and map its positions onto a bet's
// numbers. The whole must take under 100 ms.
void BM_CatalogueLoadAndMap(benchmark::State& state)
{
    std::vector<int> bet(25);
    std::iota(bet.begin(), bet.end(), 1);
    std::size_t tickets = 0;
    for (auto _ : state) {
        const ClosingCatalogue catalogue(ClosingCatalogue::builtInFolder());
        const std::optional<CatalogueEntry> entry = catalogue.find({ 25, 15, 15, 13 });
        if (!entry) {
            state.SkipWithError("the catalogue holds no 25 15 15 13 entry");
            return;
        }
        const std::vector<TicketMask> closing = entry->onNumbers(bet);
        benchmark::DoNotOptimize(closing.data());
        tickets = closing.size();
    }
    state.counters["tickets"] = static_cast<double>(tickets);
}

struct Target {
    ClosingProblem problem;
    int atMost;
};

// The catalogue's targets: the entry's size beside the size it must not exceed, and the
// entry checked again by the optimizer's independent count.
void BM_CatalogueTarget(benchmark::State& state, const Target& target)
{
    for (auto _ : state) {
        const std::optional<CatalogueEntry> entry
            = ClosingCatalogue::builtIn().find(target.problem);
        if (!entry) {
            state.SkipWithError("no entry");
            return;
        }
        OptimizerCheck::Bet bet;
        bet.selected.resize(static_cast<std::size_t>(target.problem.T));
        std::iota(bet.selected.begin(), bet.selected.end(), 1);
        bet.K = target.problem.K;
        bet.G = target.problem.G;
        bet.C = target.problem.C;
        const std::int64_t uncovered = OptimizerCheck::uncoveredDraws(bet, entry->tickets);
        state.counters["tickets"] = static_cast<double>(entry->tickets.size());
        state.counters["target"] = target.atMost;
        state.counters["lower_bound"] = static_cast<double>(entry->lowerBound());
        state.counters["margin"] = static_cast<double>(uncovered);
        if (uncovered != 0 || !OptimizerCheck::wellFormed(bet, entry->tickets))
            state.SkipWithError("the entry fails the independent check");
        else if (static_cast<int>(entry->tickets.size()) > target.atMost)
            state.SkipWithError("the entry is above its target");
    }
}

const bool registered = [] {
    benchmark::RegisterBenchmark("BM_CatalogueLoadAndMap/25_15_15_13", BM_CatalogueLoadAndMap)
        ->Unit(benchmark::kMillisecond);
    const std::vector<Target> targets { { { 22, 15, 15, 11 }, 6 }, { { 18, 15, 15, 14 }, 24 },
        { { 25, 15, 15, 13 }, 3150 }, { { 30, 6, 6, 4 }, 550 }, { { 20, 6, 6, 4 }, 85 } };
    for (const Target& t : targets) {
        const ClosingProblem& p = t.problem;
        const std::string name = "BM_CatalogueTarget/" + std::to_string(p.T) + "_"
            + std::to_string(p.K) + "_" + std::to_string(p.C) + "_" + std::to_string(p.G);
        benchmark::RegisterBenchmark(name.c_str(), BM_CatalogueTarget, t)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
    return true;
}();

} // namespace
