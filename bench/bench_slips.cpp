#include "engine/generate/line_format.h"
#include "engine/generate/line_store.h"
#include "slips/rel_megasena.h"
#include "slips/report_engine.h"

#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <numeric>
#include <random>

namespace {

LineStore megasenaClosing(int lines)
{
    std::mt19937_64 rng(7);
    std::vector<int> pool(60);
    std::iota(pool.begin(), pool.end(), 1);
    LineStore store;
    for (int i = 0; i < lines; ++i) {
        std::shuffle(pool.begin(), pool.end(), rng);
        std::vector<int> ticket(pool.begin(), pool.begin() + 6);
        std::sort(ticket.begin(), ticket.end());
        store.append(LineFormat::numberLine(ticket, QLatin1Char(' ')));
    }
    return store;
}

} // namespace

// A 3,000-line Mega-Sena closing: 1,000 slips on 250 pages of a PDF.
static void BM_RenderMegasena(benchmark::State& state)
{
    const LineStore closing = megasenaClosing(3000);
    QTemporaryDir dir;
    const QString fileName = dir.filePath("Quirva_RelMegasena.pdf");
    for (auto _ : state) {
        RelMegasena report(closing, PrintSettings {});
        benchmark::DoNotOptimize(ReportEngine::writePdf(report, fileName));
    }
}
BENCHMARK(BM_RenderMegasena)->Unit(benchmark::kMillisecond)->Iterations(1);
