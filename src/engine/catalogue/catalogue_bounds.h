#pragma once

#include "engine/catalogue/closing_problem.h"

#include <QString>
#include <cstdint>

// Lower bounds on the size of a closing: no closing of the wheel has fewer tickets.
namespace CatalogueBounds {

// C(n, k) exactly (every wheel of the catalogue stays far below 64 bits); 0 outside 0..n.
std::uint64_t binomial(int n, int k);

// Draws one ticket covers: those meeting it in at least G of their C numbers.
std::uint64_t drawsOneTicketCovers(const ClosingProblem& problem);

// The counting bound, ceil(C(T, C) / draws one ticket covers); 1 when any ticket covers every
// draw, 0 when no ticket can cover a draw (G above K or C).
std::int64_t counting(const ClosingProblem& problem);

struct Bound {
    std::int64_t value = 0;
    QString name; // "counting", "turan" or "union"
};

// The strongest bound known here, for the wheel or its complement (the sizes are the same):
// the counting bound; with G = 2, Turán's theorem: a draw is covered iff one of its pairs lies
// in a ticket, so the pairs in no ticket form a graph without C mutually joined numbers,
// which has at most t(T, C - 1) edges (Mantel's n^2 / 4 for C = 3); with G = 1, the tickets
// must leave fewer than C numbers out.
Bound strongest(const ClosingProblem& problem);

} // namespace CatalogueBounds
