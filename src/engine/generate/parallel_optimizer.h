#pragma once

#include "engine/generate/optimizer_search.h"

#include <cstdint>
#include <memory>
#include <vector>

class MirroredSearch;
class RacingSearches;
struct OptimizerRun;

// Runs the closing search on worker threads, in one of two ways: racing searches (see
// RacingSearches), or one search whose mirrors judge its moves ahead of it (MirroredSearch).
// This is the one front both share: it picks the way and the thread count, passes "Parar" on,
// and shows the progress and the record, which other threads only read; the destructor stops
// and joins every thread.
class ParallelOptimizer
{
public:
    enum class Mode {
        Auto, // Race up to raceDraws draws, Mirror above
        Mirror,
        Race
    };
    static constexpr std::uint32_t raceDraws = 1000000;
    // threads 0: one per core, fewer when memory does not hold that many copies of the counts
    // (three per thread when racing).
    ParallelOptimizer(ClosingOptimizer::Setup setup, std::vector<TicketMask> closing,
        int threads = 0, Mode mode = Mode::Auto);
    ~ParallelOptimizer();
    ParallelOptimizer(const ParallelOptimizer&) = delete;
    ParallelOptimizer& operator=(const ParallelOptimizer&) = delete;

    static int cores();
    // How many copies of this setup's counts fit in the machine's memory, at most `wanted`.
    static int threadsFor(const ClosingOptimizer::Setup& setup, int wanted);

    // Ends the search after its current step. Stopped before any closing was complete, it
    // leaves none (hasComplete() stays false).
    void stop();
    // True once every thread has ended (stopped, or down to one ticket).
    bool finished() const;
    // Waits up to `ms` milliseconds for the threads to end; returns finished().
    bool waitFor(int ms);
    void wait();

    int threads() const { return threads_; }
    Mode mode() const { return mode_; }
    bool hasComplete() const { return bestSize() > 0; }
    int bestSize() const;
    int firstCompleteSize() const;
    // The size being tried, and how many draws it leaves uncovered.
    int currentSize() const;
    std::size_t uncoveredCount() const;
    double completionProgress() const;
    // Moves judged, by every thread (every search, when racing).
    std::uint64_t moves() const;
    std::uint64_t restarts() const;
    std::uint32_t drawCount() const;
    bool failed() const; // the search ended on an error (memory)
    // The smallest complete closing found, as tickets of the lottery's numbers.
    std::vector<TicketMask> bestClosing() const;

private:
    std::unique_ptr<OptimizerRun> run_;
    Mode mode_ = Mode::Mirror;
    int threads_ = 1;
    std::unique_ptr<RacingSearches> race_;
    std::unique_ptr<MirroredSearch> mirror_;
};
