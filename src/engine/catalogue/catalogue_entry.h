#pragma once

#include "engine/catalogue/closing_problem.h"
#include "engine/generate/ticket_mask.h"

#include <QString>
#include <algorithm>
#include <cstdint>
#include <vector>

// One closing of the catalogue: the wheel, its tickets as positions 1..T (position p stands
// for the p-th smallest number of the bet), how it was made and what bounds it.
struct CatalogueEntry {
    ClosingProblem problem;
    std::vector<TicketMask> tickets;
    // The ticket count: tickets.size() once the tickets are read, the header's before.
    std::int64_t size = 0;
    QString recipe; // a ClosingRecipe's text: rebuilds these tickets
    std::int64_t countingBound = 0;
    // A stronger lower bound and its name ("turan", "union"), when one is known; else 0.
    std::int64_t strongerBound = 0;
    QString strongerBoundName;
    double cpuSeconds = 0; // processor time of the recipe's stages

    std::int64_t lowerBound() const { return std::max(countingBound, strongerBound); }
    // The tickets on a bet's T numbers: position p becomes the p-th smallest of them. Empty
    // when the bet does not hold T distinct numbers of 1..100.
    std::vector<TicketMask> onNumbers(std::vector<int> bet) const;
};
