#include "bench_support.h"

#include "engine/base/random_source.h"
#include "engine/generate/covering_generator.h"
#include "engine/generate/line_format.h"
#include "engine/generate/line_store.h"
#include "ui/event_pump.h"
#include "ui/line_view.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <numeric>

namespace {

using BenchSupport::numbers;
const auto randomTicket = BenchSupport::pick;

// A Lotomania closing of 1,000 tickets of 50 numbers out of a 60-number bet.
LineStore lotomaniaClosing(std::vector<int>& bet)
{
    std::mt19937_64 rng(7);
    bet = numbers(1, 100);
    std::shuffle(bet.begin(), bet.end(), rng);
    bet.resize(60);
    std::sort(bet.begin(), bet.end());
    LineStore store;
    for (int i = 0; i < 1000; ++i) {
        const TicketMask t = randomTicket(rng, bet, 50);
        store.appendBuilt(LineFormat::maskLine(t, u' '), t);
    }
    return store;
}

// A random 20-number candidate; the scans below go over the whole closing (no early exit) so
// both paths do the same work whatever the candidate.
TicketMask someCandidate(const std::vector<int>& bet)
{
    std::mt19937_64 rng(11);
    return randomTicket(rng, bet, 20);
}

void BM_CoverageScan_Mask(benchmark::State& state)
{
    std::vector<int> bet;
    LineStore store = lotomaniaClosing(bet);
    const TicketMask candidate = someCandidate(bet);
    for (auto _ : state) {
        int covering = 0;
        for (qsizetype i = 0; i < store.size(); ++i)
            covering += common(store.mask(i), candidate) >= 17;
        benchmark::DoNotOptimize(covering);
    }
    state.SetItemsProcessed(state.iterations() * store.size());
}
BENCHMARK(BM_CoverageScan_Mask);

void BM_CoverageScan_Text(benchmark::State& state)
{
    std::vector<int> bet;
    LineStore store = lotomaniaClosing(bet);
    const TicketMask candidate = someCandidate(bet);
    const QString candidateText = LineFormat::maskLine(candidate, u' ');
    const QStringList lines = store.lines();
    for (auto _ : state) {
        int covering = 0;
        for (qsizetype i = 0; i < lines.size(); ++i)
            covering += LineFormat::CountCommon(lines[i], candidateText) >= 17;
        benchmark::DoNotOptimize(covering);
    }
    state.SetItemsProcessed(state.iterations() * store.size());
}
BENCHMARK(BM_CoverageScan_Text);

// The generator loop at the Lotomania defaults against a closing of 1,000 tickets, with the
// event pump on its time slice.
void BM_GeneratorLotomania(benchmark::State& state)
{
    std::vector<int> bet;
    LineStore store = lotomaniaClosing(bet);
    CoveringGenerator::Setup setup;
    setup.K = 50;
    setup.F = 0;
    setup.G = 17;
    setup.C = 20;
    setup.selected = bet;
    RandomSource random;
    random.fixSeed(5);
    CoveringGenerator generator(setup, store, random);
    EventPump pump;
    for (auto _ : state) {
        generator.step(u' ');
        pump.maybePump();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["tickets"] = static_cast<double>(store.size());
}
BENCHMARK(BM_GeneratorLotomania)->MinTime(1.0);

// A shown closing area holding 1,000,000 Lotofácil lines.
void showMillionLines(LineView& view, std::mt19937_64& rng, const std::vector<int>& pool)
{
    view.resize(400, 600);
    view.show();
    BenchSupport::appendRandom(view.store(), rng, pool, 15, 1000000);
    view.sync();
    QApplication::processEvents();
}

// The closing area with 1,000,000 lines: inserting at the top, syncing the view, and scrolling.
void BM_ClosingView_MillionLines(benchmark::State& state)
{
    LineView view;
    std::mt19937_64 rng(3);
    const std::vector<int> pool = numbers(1, 25);
    showMillionLines(view, rng, pool);
    int step = 0;
    for (auto _ : state) {
        const TicketMask t = randomTicket(rng, pool, 15);
        view.store().prependBuilt(LineFormat::maskLine(t, u' '), t);
        view.sync();
        view.verticalScrollBar()->setValue((step++ * 7919) % view.verticalScrollBar()->maximum());
        QApplication::processEvents();
    }
    state.counters["lines"] = static_cast<double>(view.store().size());
}
BENCHMARK(BM_ClosingView_MillionLines)->Unit(benchmark::kMicrosecond);

// The same view, only prepending and syncing (no repaint between).
void BM_ClosingView_PrependSync(benchmark::State& state)
{
    LineView view;
    std::mt19937_64 rng(3);
    const std::vector<int> pool = numbers(1, 25);
    showMillionLines(view, rng, pool);
    for (auto _ : state) {
        const TicketMask t = randomTicket(rng, pool, 15);
        view.store().prependBuilt(LineFormat::maskLine(t, u' '), t);
        view.sync();
    }
}
BENCHMARK(BM_ClosingView_PrependSync)->Unit(benchmark::kMicrosecond);

// Ctrl+A, Ctrl+C on the closing area with 1,000,000 Lotofácil lines (about 46 MB of text):
// what the user waits for before the window answers again.
void BM_CopyMillionLines(benchmark::State& state)
{
    LineView view;
    std::mt19937_64 rng(3);
    const std::vector<int> pool = numbers(1, 25);
    showMillionLines(view, rng, pool);
    for (auto _ : state) {
        view.selectAll();
        if (!view.copy()) state.SkipWithError("nothing copied");
        QApplication::processEvents();
    }
    state.counters["chars"] = static_cast<double>(QApplication::clipboard()->text().size());
}
BENCHMARK(BM_CopyMillionLines)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
