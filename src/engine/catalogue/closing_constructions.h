#pragma once

#include "engine/catalogue/closing_problem.h"
#include "engine/generate/ticket_mask.h"

#include <vector>

// Closings made by construction instead of search, on positions 1..T.
namespace ClosingConstructions {

// Every ticket's complement among positions 1..T: a closing of a wheel becomes one of its
// complement (ClosingProblem::complement) and back.
std::vector<TicketMask> complement(const std::vector<TicketMask>& tickets, int T);

// A Steiner triple system on v points (every pair in exactly one triple), v = 3 modulo 6 by
// Bose's construction on Z_n x Z_3 with n = v / 3, v = 7 by the Fano plane; empty for any
// other v.
std::vector<TicketMask> steinerTripleSystem(int v);

// A group of the numbers and the hits a draw must put in it for the group's own closing to
// answer for the draw.
struct Part {
    int size = 0, hits = 0;
};

// Whether every draw of C numbers puts at least `hits` numbers in one of the groups (the
// groups' sizes adding up to T): the most a draw can leave in the groups while falling short
// everywhere is the sum of min(hits - 1, size).
bool partsCatchEveryDraw(const ClosingProblem& problem, const std::vector<Part>& parts);

// The wheel one group must close on its own: its numbers, tickets of K of them (all of them
// when the group is smaller), draws of `hits` numbers in it, the same guarantee.
ClosingProblem partProblem(const ClosingProblem& problem, const Part& part);

// The union of the groups' closings (each on positions 1..size of its group) over consecutive
// groups of positions, each ticket padded to K numbers with the lowest positions it lacks,
// repeats dropped. A closing of the wheel when partsCatchEveryDraw holds and every group's
// closing closes partProblem.
std::vector<TicketMask> partitionUnion(const ClosingProblem& problem,
    const std::vector<Part>& parts, const std::vector<std::vector<TicketMask>>& partClosings);

// Sorted as their lines read (positions ascending, then line by line), repeats dropped: every
// stage of a recipe hands on its closing in this order.
void canonicalise(std::vector<TicketMask>& tickets);

} // namespace ClosingConstructions
