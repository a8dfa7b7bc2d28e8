#include "engine/chart/number_counts.h"
#include "engine/generate/line_store.h"

#include <benchmark/benchmark.h>
#include <random>

// Counting a large draws area, as "Gráfico Comparativo" does after a big simulation.
static void BM_ChartCountDraws(benchmark::State& state)
{
    LineStore draws;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> number(0, 99);
    for (int row = 0; row < state.range(0); ++row) {
        QString line;
        for (int k = 0; k < 20; ++k)
            line += u' ' + NumberCounts::fieldText(number(random));
        draws.append(line);
    }
    for (auto _ : state) {
        NumberCounts counts;
        for (qsizetype row = 0; row < draws.size(); ++row)
            counts.addLine(draws.line(row));
        benchmark::DoNotOptimize(counts.ranking());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ChartCountDraws)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
