#include "app/tform1.h"
#include "bench_window.h"
#include "engine/base/random_source.h"
#include "engine/generate/covering_generator.h"
#include "engine/generate/line_store.h"
#include "engine/generate/optimizer_check.h"
#include "engine/generate/parallel_optimizer.h"
#include "ui/line_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <numeric>
#include <thread>

namespace {

struct Row {
    int T, K, C, G;
    int target; // the count to reach
    int budgetSeconds;
    bool stopAtTarget; // else the whole budget is spent, to see how far below it goes
};

std::vector<int> betOf(int T)
{
    std::vector<int> bet(static_cast<std::size_t>(T));
    std::iota(bet.begin(), bet.end(), 1);
    return bet;
}

CoveringGenerator::Setup generatorSetup(const Row& row)
{
    CoveringGenerator::Setup gen;
    gen.K = row.K;
    gen.G = row.G;
    gen.C = row.C;
    gen.selected = betOf(row.T);
    return gen;
}

std::vector<TicketMask> masksOf(const LineStore& closing)
{
    std::vector<TicketMask> start;
    for (qsizetype i = 0; i < closing.size(); ++i)
        start.push_back(closing.mask(i));
    return start;
}

// The closing the random generator makes in one second.
std::vector<TicketMask> oneSecondClosing(const Row& row)
{
    LineStore closing;
    RandomSource random;
    random.fixSeed(17);
    CoveringGenerator generator(generatorSetup(row), closing, random);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000)
        generator.step(u' ');
    return masksOf(closing);
}

ClosingOptimizer::Setup optimizerSetup(const Row& row, std::uint64_t seed)
{
    ClosingOptimizer::Setup setup;
    setup.K = row.K;
    setup.G = row.G;
    setup.C = row.C;
    setup.selected = betOf(row.T);
    setup.seed = seed;
    return setup;
}

// The independent count must find every draw covered; a row whose closing fails it fails.
bool checkMargin(benchmark::State& state, const Row& row, const std::vector<TicketMask>& best)
{
    const OptimizerCheck::Bet check { betOf(row.T), {}, row.K, row.G, row.C };
    const std::int64_t margin = OptimizerCheck::uncoveredDraws(check, best);
    state.counters["margin"] = static_cast<double>(margin);
    if (best.empty() || margin != 0 || !OptimizerCheck::wellFormed(check, best)) {
        state.SkipWithError("the optimized closing fails the independent check");
        return false;
    }
    return true;
}

// One row of the optimizer's quality table: the closing the random generator makes in one
// second, then optimizing on every core for the row's budget (small rows end at their
// target). Reports the tickets left, the seconds it took to reach them, the seconds to the
// target, and the independent margin.
void BM_OptimizeQuality(benchmark::State& state, const Row& row)
{
    for (auto _ : state) {
        const std::vector<TicketMask> start = oneSecondClosing(row);
        ParallelOptimizer optimizer(optimizerSetup(row, 99), start);
        QElapsedTimer clock;
        clock.start();
        double reachedAt = 0, targetAt = -1;
        int reported = 0;
        while (clock.elapsed() < row.budgetSeconds * 1000 && !optimizer.finished()) {
            optimizer.waitFor(5);
            const int size = optimizer.bestSize();
            if (size == 0 || size == reported) continue;
            reported = size;
            reachedAt = clock.nsecsElapsed() / 1e9;
            if (size <= row.target && targetAt < 0) targetAt = reachedAt;
            if (size <= row.target && row.stopAtTarget) break;
        }
        const auto stopAsked = std::chrono::steady_clock::now();
        optimizer.stop();
        optimizer.wait();
        state.counters["stop_ms"] = std::chrono::duration<double, std::milli>(
            std::chrono::steady_clock::now() - stopAsked)
                                        .count();
        const std::vector<TicketMask> best = optimizer.bestClosing();
        state.counters["tickets"] = static_cast<double>(best.size());
        state.counters["target"] = row.target;
        state.counters["start"] = static_cast<double>(start.size());
        state.counters["first_complete"] = optimizer.firstCompleteSize();
        state.counters["seconds"] = reachedAt;
        state.counters["target_seconds"] = targetAt;
        state.counters["threads"] = optimizer.threads();
        state.counters["moves"] = static_cast<double>(optimizer.moves());
        state.counters["restarts"] = static_cast<double>(optimizer.restarts());
        checkMargin(state, row, best);
    }
}

// Time to 87 tickets on 20, 6, 6, 4 from one fixed start (the generator's closing after a
// fixed number of test draws), median over five seeds, with the given number of threads. On
// this small space the threads race (each search its own stream, sharing the smallest
// closing), so with more than one thread a run is not repeatable: compare several.
void BM_OptimizeThreads(benchmark::State& state)
{
    const Row row { 20, 6, 6, 4, 87, 60, true };
    const int threads = static_cast<int>(state.range(0));
    LineStore closing;
    RandomSource random;
    random.fixSeed(17);
    CoveringGenerator generator(generatorSetup(row), closing, random);
    for (int i = 0; i < 200000; ++i)
        generator.step(u' ');
    const std::vector<TicketMask> start = masksOf(closing);
    for (auto _ : state) {
        std::vector<double> times, cpuTimes;
        double moves = 0, searched = 0;
        bool sound = true;
        for (std::uint64_t seed = 1; seed <= 5 && sound; ++seed) {
            ParallelOptimizer optimizer(optimizerSetup(row, seed), start, threads);
            const auto begun = std::chrono::steady_clock::now();
            const std::clock_t cpuBegun = std::clock();
            double took = row.budgetSeconds;
            while (!optimizer.finished()) {
                optimizer.waitFor(1);
                const double elapsed
                    = std::chrono::duration<double>(std::chrono::steady_clock::now() - begun)
                          .count();
                if (optimizer.bestSize() > 0 && optimizer.bestSize() <= row.target) {
                    took = elapsed;
                    break;
                }
                if (elapsed > row.budgetSeconds) break;
            }
            cpuTimes.push_back(static_cast<double>(std::clock() - cpuBegun) / CLOCKS_PER_SEC);
            optimizer.stop();
            optimizer.wait();
            moves += static_cast<double>(optimizer.moves());
            searched += took;
            times.push_back(took);
            sound = checkMargin(state, row, optimizer.bestClosing());
        }
        std::sort(times.begin(), times.end());
        std::sort(cpuTimes.begin(), cpuTimes.end());
        state.counters["seconds"] = times[times.size() / 2];
        // The processor time of the whole program over the same runs: on a busy machine it
        // shows how many cores the searches actually got.
        state.counters["cpu_seconds"] = cpuTimes[cpuTimes.size() / 2];
        state.counters["slowest"] = times.back();
        // Moves judged per second over all seeds, by every thread (racing searches each judge
        // their own).
        state.counters["moves_per_second"] = searched > 0 ? moves / searched : 0;
        state.counters["threads"] = threads;
        state.counters["tickets"] = row.target;
    }
}

using BenchWindow::click;
using BenchWindow::type;

// The main window's "Otimizar Fechamento" on Lotofácil, all 25 numbers, 13 points, from one
// second of "Gerar", for 30 seconds on every core; a 10 ms timer on the window thread counts
// how often it fires and the longest gap between two of its events.
void BM_OptimizeWindow(benchmark::State& state)
{
    const Row row { 25, 15, 15, 13, 3860, 30, false };
    for (auto _ : state) {
        RandomSource::instance().fixSeed(17);
        TForm1 w;
        w.FormCreate();
        click(w, "RadioButton2");
        type(w, "Edit1", "25");
        type(w, "Edit5", "13");
        type(w, "Edit6", "15");
        click(w, "Button8");
        QTimer::singleShot(1000, &w, [&w] { click(w, "Button5"); });
        click(w, "Button1");

        int fires = 0;
        qint64 longest = 0;
        bool watching = true;
        QElapsedTimer sinceFire;
        QTimer tick;
        tick.setInterval(10);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            if (!watching) return;
            ++fires;
            longest = std::max(longest, sinceFire.restart());
        });
        QTimer::singleShot(row.budgetSeconds * 1000, &w, [&] {
            watching = false;
            click(w, "Button5");
        });
        sinceFire.start();
        tick.start();
        click(w, "ButtonOptimize");
        tick.stop();

        std::vector<TicketMask> best;
        const LineStore& closing = w.findChild<LineView*>(QStringLiteral("Memo1"))->store();
        for (qsizetype i = 0; i < closing.size(); ++i)
            best.push_back(closing.mask(i));
        state.counters["tickets"] = static_cast<double>(best.size());
        state.counters["timer_fires"] = fires;
        state.counters["longest_gap_ms"] = static_cast<double>(longest);
        state.counters["threads"] = ParallelOptimizer::cores();
        checkMargin(state, row, best);
    }
}

const bool registered = [] {
    // T, K, C, G, the count to reach, seconds, and whether to stop there.
    const std::vector<Row> rows { { 12, 6, 6, 3, 2, 10, true }, { 15, 5, 5, 3, 13, 10, true },
        { 20, 6, 6, 3, 13, 10, true }, { 22, 15, 15, 11, 7, 10, true },
        { 20, 6, 6, 4, 85, 10, true }, { 18, 15, 15, 14, 24, 10, true },
        { 25, 15, 15, 13, 3860, 60, false }, { 30, 6, 6, 4, 641, 60, false } };
    for (const Row& row : rows) {
        const std::string name = "BM_OptimizeQuality/" + std::to_string(row.T) + "_"
            + std::to_string(row.K) + "_" + std::to_string(row.C) + "_" + std::to_string(row.G);
        benchmark::RegisterBenchmark(name.c_str(), BM_OptimizeQuality, row)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
    const int cores = ParallelOptimizer::cores();
    auto* threads = benchmark::RegisterBenchmark("BM_OptimizeThreads", BM_OptimizeThreads);
    threads->Arg(1);
    if (cores > 1) threads->Arg(cores);
    threads->Iterations(1)->Unit(benchmark::kSecond);
    benchmark::RegisterBenchmark("BM_OptimizeWindow/25_15_15_13", BM_OptimizeWindow)
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
    return true;
}();

} // namespace
