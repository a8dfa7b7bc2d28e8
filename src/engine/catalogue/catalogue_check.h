#pragma once

#include "engine/catalogue/closing_problem.h"
#include "engine/generate/ticket_mask.h"

#include <cstdint>
#include <vector>

// A second independent count of a closing's uncovered draws, fast enough for every entry of
// the catalogue on every test run: instead of asking every ticket about every draw, each
// ticket marks the draws it covers (its G..C-subsets joined with the rest of the draw from
// outside it) in a bitmap of all C(T, C) draws; the draws left unmarked are uncovered. Costs
// time in proportion to the tickets times the draws one ticket covers, which for a closing
// near its bound is a few times C(T, C). Shares no code with the optimizer or its check.
namespace CatalogueCheck {

// Draws of C positions among 1..T that no ticket meets in G positions; -1 when the wheel is
// beyond what the bitmap holds (T above 64 or more than 2^32 draws).
std::int64_t uncoveredDraws(const ClosingProblem& problem, const std::vector<TicketMask>& tickets);

// Every ticket holds exactly K positions, all within 1..T.
bool wellFormed(const ClosingProblem& problem, const std::vector<TicketMask>& tickets);

// No ticket appears twice.
bool distinct(std::vector<TicketMask> tickets);

} // namespace CatalogueCheck
