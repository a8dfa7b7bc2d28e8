#include "generate/parallel_optimizer.h"

#include <algorithm>
#include <chrono>
#include <exception>

namespace {
// Candidates a mirror judges between two looks at its inbox, and search steps between two
// hand-overs of the journal: small enough that a mirror judges a closing a few moves old.
constexpr int mirrorBatch = 32;
constexpr std::uint64_t journalEvery = 16;
}

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
        // Seeds far apart, so that no two mirrors try the same candidates.
        const std::uint64_t seed
            = setup_.seed + static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ULL;
        Worker& worker = *workers_[static_cast<std::size_t>(i)];
        try {
            worker.thread = i == 0 ? std::thread([this] { search(); })
                                   : std::thread([this, &worker, seed] { mirror(worker, seed); });
        } catch (...) {
            // No thread may outlive a half-built driver.
            stop_.store(true);
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

void ParallelOptimizer::record(const ClosingOptimizer& optimizer)
{
    std::lock_guard lock(recordLock_);
    record_ = optimizer.bestPositions();
    if (!firstComplete_.load()) firstComplete_.store(optimizer.firstCompleteSize());
    bestSize_.store(optimizer.bestSize());
}

void ParallelOptimizer::publish(const ClosingOptimizer& optimizer)
{
    completion_.store(static_cast<int>(optimizer.completionProgress() * 1000));
    current_.store(optimizer.hasComplete() ? optimizer.currentSize() : 0);
    uncovered_.store(optimizer.uncoveredCount());
    moves_.store(optimizer.moves());
    restarts_.store(optimizer.restarts());
    heat_.store(optimizer.heat());
}

void ParallelOptimizer::search()
{
    try {
        ClosingOptimizer optimizer(setup_, closing_);
        const bool mirrored = workers_.size() > 1;
        std::vector<ClosingOptimizer::Change> journal;
        if (mirrored) optimizer.journalTo(&journal);
        auto handOver = [&] {
            if (journal.empty()) return;
            for (std::size_t i = 1; i < workers_.size(); ++i) {
                Worker& worker = *workers_[i];
                if (!worker.following.load()) continue;
                std::lock_guard lock(worker.inboxLock);
                worker.inbox.insert(worker.inbox.end(), journal.begin(), journal.end());
            }
            journal.clear();
        };
        std::vector<ClosingOptimizer::Proposal> taken;
        int recorded = 0;
        std::uint64_t steps = 0;
        while (optimizer.phase() != ClosingOptimizer::Phase::Finished && !done_.load()) {
            if (stop_.load() && optimizer.hasComplete()) break;
            const bool searching = optimizer.phase() == ClosingOptimizer::Phase::Searching;
            if (searching && mirrored) {
                if (proposed_.load(std::memory_order_relaxed) && proposed_.exchange(false)) {
                    {
                        std::lock_guard lock(proposalLock_);
                        taken.swap(proposals_);
                    }
                    for (const ClosingOptimizer::Proposal& proposal : taken)
                        optimizer.consider(proposal);
                    taken.clear();
                }
                if (judged_.load(std::memory_order_relaxed))
                    optimizer.credit(judged_.exchange(0));
            }
            optimizer.step();
            if (optimizer.hasComplete() && optimizer.bestSize() != recorded) {
                recorded = optimizer.bestSize();
                record(optimizer);
            }
            if (searching && ++steps % journalEvery != 0) continue;
            handOver();
            publish(optimizer);
        }
        publish(optimizer);
    } catch (const std::exception&) {
        // Memory, in practice: nothing else the search does throws. The record stays; the
        // thread must not take the program down.
        failed_.store(true);
    }
    done_.store(true);
    workerEnded();
}

void ParallelOptimizer::mirror(Worker& worker, std::uint64_t seed)
{
    try {
        ClosingOptimizer::Setup setup = setup_;
        setup.seed = seed;
        ClosingOptimizer copy(setup, {});
        std::vector<ClosingOptimizer::Change> changes;
        std::vector<ClosingOptimizer::Proposal> found;
        ClosingOptimizer::Proposal proposal;
        while (!done_.load()) {
            {
                std::lock_guard lock(worker.inboxLock);
                changes.swap(worker.inbox);
            }
            for (const ClosingOptimizer::Change& change : changes)
                copy.replay(change);
            changes.clear();
            if (!copy.canPropose()) {
                // Nothing to judge until the search starts moving tickets.
                std::this_thread::sleep_for(std::chrono::microseconds(50));
                continue;
            }
            const double heat = heat_.load();
            for (int i = 0; i < mirrorBatch; ++i)
                if (copy.propose(heat, proposal)) found.push_back(proposal);
            if (!found.empty()) {
                std::lock_guard lock(proposalLock_);
                proposals_.insert(proposals_.end(), found.begin(), found.end());
                proposed_.store(true);
            }
            found.clear();
            judged_.fetch_add(mirrorBatch);
        }
    } catch (const std::exception&) {
        // A mirror that runs out of memory ends; the search goes on without it.
    }
    worker.following.store(false);
    {
        std::lock_guard lock(worker.inboxLock);
        worker.inbox.clear();
        worker.inbox.shrink_to_fit();
    }
    workerEnded();
}

std::vector<TicketMask> ParallelOptimizer::bestClosing() const
{
    std::lock_guard lock(recordLock_);
    return ClosingOptimizer::toNumbers(setup_, record_);
}
