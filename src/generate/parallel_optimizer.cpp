#include "generate/parallel_optimizer.h"

#include <algorithm>
#include <chrono>
#include <exception>

ParallelOptimizer::ParallelOptimizer(
    ClosingOptimizer::Setup setup, std::vector<TicketMask> closing, int threads)
    : setup_(std::move(setup))
    , closing_(std::move(closing))
{
    drawCount_ = static_cast<std::uint32_t>(
        OptimizerDrawSpace::count(static_cast<int>(setup_.selected.size()), setup_.C - setup_.F));
    const int count = threadsFor(setup_, threads > 0 ? threads : cores());
    running_.store(count);
    for (int i = 0; i < count; ++i)
        workers_.push_back(std::make_unique<Worker>());
    for (int i = 0; i < count; ++i) {
        // Seeds far apart, so that no two searches walk the same path.
        const std::uint64_t seed
            = setup_.seed + static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ULL;
        Worker& worker = *workers_[static_cast<std::size_t>(i)];
        try {
            worker.thread = std::thread([this, &worker, seed] { run(worker, seed); });
        } catch (...) {
            // No thread may outlive a half-built driver.
            done_.store(true);
            for (const auto& started : workers_)
                if (started->thread.joinable()) started->thread.join();
            throw;
        }
    }
}

ParallelOptimizer::~ParallelOptimizer()
{
    stop_.store(true);
    done_.store(true);
    for (const auto& worker : workers_)
        if (worker->thread.joinable()) worker->thread.join();
}

int ParallelOptimizer::cores()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

int ParallelOptimizer::threadsFor(const ClosingOptimizer::Setup& setup, int wanted)
{
    const std::uint64_t each = std::max<std::uint64_t>(1, ClosingOptimizer::memoryNeeded(setup));
    const std::uint64_t fit = ClosingOptimizer::availableMemory() / each;
    return static_cast<int>(std::clamp<std::uint64_t>(fit, 1, std::max(wanted, 1)));
}

void ParallelOptimizer::stop()
{
    stop_.store(true);
}

bool ParallelOptimizer::waitFor(int ms)
{
    std::unique_lock lock(endLock_);
    return ended_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return finished(); });
}

void ParallelOptimizer::wait()
{
    for (const auto& worker : workers_)
        if (worker->thread.joinable()) worker->thread.join();
}

void ParallelOptimizer::workerEnded()
{
    {
        std::lock_guard lock(endLock_);
        running_.fetch_sub(1);
    }
    ended_.notify_all();
}

void ParallelOptimizer::offer(const ClosingOptimizer& optimizer)
{
    std::lock_guard lock(recordLock_);
    const int size = optimizer.bestSize();
    const int held = bestSize_.load();
    if (held != 0 && held <= size) return;
    record_ = optimizer.bestPositions();
    if (!firstComplete_.load()) firstComplete_.store(optimizer.firstCompleteSize());
    bestSize_.store(size);
}

void ParallelOptimizer::run(Worker& worker, std::uint64_t seed)
{
    try {
        ClosingOptimizer::Setup setup = setup_;
        setup.seed = seed;
        ClosingOptimizer optimizer(setup, closing_);
        int offered = 0;
        std::uint64_t steps = 0;
        auto publish = [&] {
            worker.completion.store(static_cast<int>(optimizer.completionProgress() * 1000));
            worker.current.store(optimizer.hasComplete() ? optimizer.currentSize() : 0);
            worker.uncovered.store(optimizer.uncoveredCount());
            worker.moves.store(optimizer.moves());
            worker.restarts.store(optimizer.restarts());
        };
        while (optimizer.phase() != ClosingOptimizer::Phase::Finished && !done_.load()) {
            if (stop_.load() && (optimizer.hasComplete() || hasComplete())) break;
            optimizer.step();
            const bool searching = optimizer.phase() == ClosingOptimizer::Phase::Searching;
            if (optimizer.hasComplete() && optimizer.bestSize() != offered) {
                offered = optimizer.bestSize();
                offer(optimizer);
            }
            if (searching && (++steps & 31) != 0) continue;
            publish();
            // A search trying a size the record already reaches works for nothing: it takes
            // the record over at once when that is a whole ticket ahead, otherwise once it has
            // spent on this size what counting the record costs.
            const int shared = bestSize_.load();
            const int trying = optimizer.currentSize();
            if (searching && shared > 0
                && (shared < trying
                    || (shared == trying
                        && optimizer.movesSinceRecord() > optimizer.recountCost()))) {
                std::vector<TicketMask> record;
                {
                    std::lock_guard lock(recordLock_);
                    record = record_;
                }
                optimizer.adopt(record);
            }
        }
        publish();
        if (optimizer.phase() == ClosingOptimizer::Phase::Finished) done_.store(true);
    } catch (const std::exception&) {
        // Memory, in practice: nothing else the search does throws. Ending the worker keeps
        // the others and the record; the thread must not take the program down.
        failed_.store(true);
    }
    workerEnded();
}

int ParallelOptimizer::currentSize() const
{
    int best = 0;
    for (const auto& worker : workers_) {
        const int size = worker->current.load();
        if (size > 0 && (best == 0 || size < best)) best = size;
    }
    return best;
}

std::size_t ParallelOptimizer::uncoveredCount() const
{
    const int size = currentSize();
    std::uint64_t fewest = 0;
    bool seen = false;
    for (const auto& worker : workers_)
        if (worker->current.load() == size) {
            const std::uint64_t uncovered = worker->uncovered.load();
            if (!seen || uncovered < fewest) fewest = uncovered;
            seen = true;
        }
    return static_cast<std::size_t>(fewest);
}

double ParallelOptimizer::completionProgress() const
{
    int most = 0;
    for (const auto& worker : workers_)
        most = std::max(most, worker->completion.load());
    return most / 1000.0;
}

std::uint64_t ParallelOptimizer::moves() const
{
    std::uint64_t sum = 0;
    for (const auto& worker : workers_)
        sum += worker->moves.load();
    return sum;
}

std::uint64_t ParallelOptimizer::restarts() const
{
    std::uint64_t sum = 0;
    for (const auto& worker : workers_)
        sum += worker->restarts.load();
    return sum;
}

std::vector<TicketMask> ParallelOptimizer::bestClosing() const
{
    std::lock_guard lock(recordLock_);
    return ClosingOptimizer::toNumbers(setup_, record_);
}
