#pragma once

#include "engine/generate/optimizer_run.h"

#include <array>
#include <memory>
#include <thread>
#include <vector>

// Searches that race: every thread runs a search of its own, from a random stream of its own.
// The search that makes a record leaves a copy of itself as it stands; a search that falls
// behind copies it and goes on from there with a fresh stream. Each search runs at full speed,
// and every new size is a race between them; on a small draw space, where copying the counts
// is quick, this reaches a given size soonest. The first search starts from the setup's own
// seed and, until it takes another's closing over, follows the path of a single thread.
class RacingSearches
{
public:
    // Starts `threads` searches; the destructor joins them (the run's `done` ends them).
    RacingSearches(OptimizerRun& run, int threads);
    ~RacingSearches() { join(); }
    RacingSearches(const RacingSearches&) = delete;
    RacingSearches& operator=(const RacingSearches&) = delete;

    void join();
    int threads() const { return static_cast<int>(threads_.size()); }

private:
    void race(std::size_t turn);
    void recordRace(const ClosingOptimizer& search, std::size_t turn);

    OptimizerRun& run_;
    std::vector<std::thread> threads_;
    // Under the run's record lock: the search that made the record, right after it; it is one
    // of the two copies each thread keeps, so that after the first two records the counts are
    // copied into place, not allocated again. The copies outlive the threads.
    const ClosingOptimizer* leader_ = nullptr;
    std::vector<std::array<std::unique_ptr<ClosingOptimizer>, 2>> leaderCopies_;
};
