#pragma once

#include "generate/optimizer_search.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Runs closing optimizers on worker threads, one independent search each (own seed, own
// counts), that share the smallest closing found: a search that falls behind the shared
// record by a whole ticket takes it over and goes on from there. Other threads only read the
// progress figures and the record, all behind atomics or the record's lock; the destructor
// stops and joins every worker.
class ParallelOptimizer
{
public:
    // threads 0: one per core, fewer when memory does not hold that many searches.
    ParallelOptimizer(
        ClosingOptimizer::Setup setup, std::vector<TicketMask> closing, int threads = 0);
    ~ParallelOptimizer();
    ParallelOptimizer(const ParallelOptimizer&) = delete;
    ParallelOptimizer& operator=(const ParallelOptimizer&) = delete;

    static int cores();
    // How many searches of this setup fit in the machine's memory, at most `wanted`.
    static int threadsFor(const ClosingOptimizer::Setup& setup, int wanted);

    // Ends the searches; a search still completing its closing finishes that first, unless
    // another one has a complete closing already.
    void stop();
    // True once every worker has ended (stopped, or down to one ticket).
    bool finished() const { return running_.load() == 0; }
    // Waits up to `ms` milliseconds for the workers to end; returns finished().
    bool waitFor(int ms);
    void wait();

    int threads() const { return static_cast<int>(workers_.size()); }
    bool hasComplete() const { return bestSize_.load() > 0; }
    int bestSize() const { return bestSize_.load(); }
    int firstCompleteSize() const { return firstComplete_.load(); }
    // The size being tried by the search nearest to beating the record, and what it misses.
    int currentSize() const;
    std::size_t uncoveredCount() const;
    double completionProgress() const; // of the most advanced search, 0..1
    std::uint64_t moves() const;
    std::uint64_t restarts() const;
    std::uint32_t drawCount() const { return drawCount_; }
    bool failed() const { return failed_.load(); } // a worker ended on an error (memory)
    // The smallest complete closing found, as tickets of the lottery's numbers.
    std::vector<TicketMask> bestClosing() const;

private:
    struct Worker {
        std::thread thread;
        std::atomic<int> completion { 0 }; // per mille
        std::atomic<int> current { 0 };
        std::atomic<std::uint64_t> uncovered { 0 };
        std::atomic<std::uint64_t> moves { 0 };
        std::atomic<std::uint64_t> restarts { 0 };
    };
    void run(Worker& worker, std::uint64_t seed);
    void offer(const ClosingOptimizer& optimizer);
    void workerEnded();

    ClosingOptimizer::Setup setup_;
    std::vector<TicketMask> closing_;
    std::uint32_t drawCount_ = 0;
    std::vector<std::unique_ptr<Worker>> workers_;
    std::atomic<bool> stop_ { false };
    std::atomic<bool> done_ { false }; // nothing left to gain: one ticket
    std::atomic<bool> failed_ { false };
    std::atomic<int> running_ { 0 };
    std::atomic<int> bestSize_ { 0 };
    std::atomic<int> firstComplete_ { 0 };
    mutable std::mutex recordLock_;
    std::vector<TicketMask> record_; // bet positions, under recordLock_
    std::mutex endLock_;
    std::condition_variable ended_;
};
