#pragma once

#include "engine/catalogue/closing_problem.h"
#include "engine/catalogue/closing_recipe.h"
#include "engine/generate/ticket_mask.h"

#include <functional>
#include <vector>

// How the maker looks for a small closing of a wheel within a budget of processor time:
// every partition that closes it (in itself, and through its complement where K + C > T), the
// covering generator's closing optimized, and the best partition optimized further when it
// beat the optimizer. Each candidate is a ClosingRecipe, so whatever wins can be rebuilt.
namespace CatalogueSearch {

// Recipes of unions over partitions of the numbers into consecutive groups: for m groups in
// every way of sizing them, each group asked for G hits (or, the draw's slack given to one
// group, for more), as long as every draw falls with enough hits in some group. Those through
// the complement read "complement | partition ... | complement". A group's own closing, when
// the optimizer makes it, gets `groupMoves` moves (0: the partition stage's default).
std::vector<ClosingRecipe> partitionRecipes(const ClosingProblem& problem, quint64 groupMoves = 0);

struct Found {
    std::vector<TicketMask> tickets;
    ClosingRecipe recipe;
    double cpuSeconds = 0; // of the recipe's own stages
};

// The smallest closing found within about `cpuSeconds` of processor time (twice that when the
// best partition is optimized further; less when the optimizer stalls long after its last
// record); `improved` hears of every smaller one on the way,
// `stop` ends the search early with the best so far.
Found best(const ClosingProblem& problem, double cpuSeconds,
    const std::function<void(const Found&)>& improved = {}, const std::function<bool()>& stop = {});

} // namespace CatalogueSearch
