#pragma once

#include "generate/ticket_mask.h"

#include <cstdint>
#include <functional>
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

} // namespace OptimizerCheck
