#pragma once

#include "engine/generate/optimizer_search.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

// What the searches of one run on threads share with each other and with the thread that drives
// them: the setup and closing they start from, the requests to stop, the progress figures and
// the record. The searches write the figures and the record; any thread reads them, behind
// atomics or the record's lock.
struct OptimizerRun {
    OptimizerRun(ClosingOptimizer::Setup setup, std::vector<TicketMask> closing);

    const ClosingOptimizer::Setup setup;
    const std::vector<TicketMask> closing;
    const std::uint32_t drawCount;

    std::atomic<bool> stop { false }; // "Parar": every search ends after its step
    std::atomic<bool> done { false }; // the run is over: every thread ends at once
    std::atomic<bool> failed { false }; // a search ended on an error (memory)
    std::atomic<int> bestSize { 0 };
    std::atomic<int> firstComplete { 0 };
    // The progress of the search that shows it.
    std::atomic<int> completion { 0 }; // per mille
    std::atomic<int> current { 0 };
    std::atomic<std::uint64_t> uncovered { 0 };
    std::atomic<std::uint64_t> moves { 0 };
    std::atomic<std::uint64_t> restarts { 0 };

    mutable std::mutex recordLock;
    std::vector<TicketMask> record; // bet positions, under recordLock

    // Search steps between two updates of the progress figures.
    static constexpr std::uint64_t publishEvery = 64;
    // The progress figures from one search.
    void publish(const ClosingOptimizer& search);
    // The search's best closing as the record; the caller holds recordLock.
    void storeRecord(const ClosingOptimizer& search);

    // Every thread of the run says when it ends; waitFor wakes on the last.
    void started(int threads) { running_.store(threads); }
    void threadEnded();
    bool finished() const { return running_.load() == 0; }
    bool waitFor(int ms);

private:
    std::atomic<int> running_ { 0 };
    std::mutex endLock_;
    std::condition_variable ended_;
};
