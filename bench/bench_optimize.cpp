#include "app/random_source.h"
#include "generate/covering_generator.h"
#include "generate/line_store.h"
#include "generate/optimizer_check.h"
#include "generate/optimizer_search.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <numeric>

namespace {

// One row of the optimizer's quality table: the closing the random generator makes in one
// second, then at most ten seconds of optimizing (less once the row's count is reached).
// Reports the tickets left, the seconds it took to reach them, and the independent margin.
void BM_OptimizeQuality(benchmark::State& state, const std::vector<std::int64_t>& row)
{
    const int T = static_cast<int>(row[0]), K = static_cast<int>(row[1]);
    const int C = static_cast<int>(row[2]), G = static_cast<int>(row[3]);
    const int target = static_cast<int>(row[4]);
    std::vector<int> bet(static_cast<std::size_t>(T));
    std::iota(bet.begin(), bet.end(), 1);

    for (auto _ : state) {
        LineStore closing;
        RandomSource random;
        random.fixSeed(17);
        CoveringGenerator::Setup gen;
        gen.K = K;
        gen.G = G;
        gen.C = C;
        gen.selected = bet;
        CoveringGenerator generator(gen, closing, random);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1000)
            generator.step(u' ');
        std::vector<TicketMask> start;
        for (qsizetype i = 0; i < closing.size(); ++i)
            start.push_back(closing.mask(i));

        ClosingOptimizer::Setup setup;
        setup.K = K;
        setup.G = G;
        setup.C = C;
        setup.selected = bet;
        setup.seed = 99;
        ClosingOptimizer optimizer(setup, start);
        clock.restart();
        double reachedAt = 0;
        int reported = 0;
        while (clock.elapsed() < 10000 && optimizer.phase() != ClosingOptimizer::Phase::Finished) {
            optimizer.step();
            if (optimizer.hasComplete() && optimizer.bestSize() != reported) {
                reported = optimizer.bestSize();
                reachedAt = clock.nsecsElapsed() / 1e9;
                if (reported <= target) break;
            }
        }
        const std::vector<TicketMask> best = optimizer.bestClosing();
        const OptimizerCheck::Bet check { bet, {}, K, G, C };
        state.counters["tickets"] = static_cast<double>(best.size());
        state.counters["start"] = static_cast<double>(start.size());
        state.counters["first_complete"] = optimizer.firstCompleteSize();
        state.counters["seconds"] = reachedAt;
        state.counters["margin"] = static_cast<double>(OptimizerCheck::uncoveredDraws(check, best));
        state.counters["moves"] = static_cast<double>(optimizer.moves());
        state.counters["restarts"] = static_cast<double>(optimizer.restarts());
        if (!OptimizerCheck::wellFormed(check, best)) state.SkipWithError("ill-formed closing");
    }
}

// T, K, C, G and the count to reach, one row each; a row runs for up to eleven seconds.
const bool registered = [] {
    const std::vector<std::vector<std::int64_t>> rows { { 12, 6, 6, 3, 2 }, { 15, 5, 5, 3, 13 },
        { 20, 6, 6, 3, 13 }, { 22, 15, 15, 11, 12 }, { 20, 6, 6, 4, 87 }, { 18, 15, 15, 14, 24 } };
    for (const auto& row : rows) {
        const std::string name = "BM_OptimizeQuality/" + std::to_string(row[0]) + "_"
            + std::to_string(row[1]) + "_" + std::to_string(row[2]) + "_" + std::to_string(row[3]);
        benchmark::RegisterBenchmark(name.c_str(), BM_OptimizeQuality, row)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
    return true;
}();

} // namespace
