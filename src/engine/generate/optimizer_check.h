#pragma once

#include "engine/generate/ticket_mask.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

// The independent count that stands behind every optimized closing: it walks all draws that put
// C numbers among the bet (the fixed ones always in) on the lottery's own numbers, and asks each
// ticket by popcount whether it holds G of them. Shares no code with the search.
namespace OptimizerCheck {

struct Bet {
    std::vector<int> selected, fixed;
    int K = 0, G = 0, C = 0;
};

// Draws that no ticket meets in G numbers. `pulse` is called now and then (to keep a window
// responsive); it returns false to abandon the count, which then returns -1.
std::int64_t uncoveredDraws(const Bet& bet, const std::vector<TicketMask>& tickets,
    const std::function<bool()>& pulse = {});

// Every ticket holds K numbers, all of them of the bet, the fixed ones included.
bool wellFormed(const Bet& bet, const std::vector<TicketMask>& tickets);

// The same count on worker threads, one per core, while the caller's thread only polls: the
// draws are cut into stretches of consecutive draws (in the order of the count above) that
// the threads take in turn. The destructor stops and joins them.
class ParallelCount
{
public:
    ParallelCount(Bet bet, std::vector<TicketMask> tickets, int threads = 0);
    ~ParallelCount();
    ParallelCount(const ParallelCount&) = delete;
    ParallelCount& operator=(const ParallelCount&) = delete;

    bool finished() const { return running_.load() == 0; }
    void wait();
    void stop() { stop_.store(true); }
    double progress() const; // 0..1, draws counted of all draws
    // Draws no ticket meets in G numbers once finished; -1 when stopped before the end.
    std::int64_t result() const;

private:
    void work();

    Bet bet_;
    std::vector<TicketMask> tickets_;
    std::uint64_t total_ = 0, stretch_ = 1, stretches_ = 0;
    std::atomic<std::uint64_t> nextStretch_ { 0 };
    std::atomic<std::uint64_t> counted_ { 0 };
    std::atomic<std::int64_t> uncovered_ { 0 };
    std::atomic<bool> stop_ { false };
    std::atomic<int> running_ { 0 };
    std::vector<std::thread> threads_;
};

} // namespace OptimizerCheck
