#include "engine/catalogue/catalogue_entry.h"

#include <algorithm>

std::vector<TicketMask> CatalogueEntry::onNumbers(std::vector<int> bet) const
{
    std::sort(bet.begin(), bet.end());
    const bool usable = static_cast<int>(bet.size()) == problem.T
        && std::adjacent_find(bet.begin(), bet.end()) == bet.end()
        && (bet.empty() || (bet.front() >= 1 && bet.back() <= 100));
    if (!usable) return {};
    std::vector<TicketMask> out;
    out.reserve(tickets.size());
    for (const TicketMask& ticket : tickets) {
        TicketMask numbers;
        ticket.forEach([&](int p) {
            if (p <= problem.T) numbers.add(bet[static_cast<std::size_t>(p - 1)]);
        });
        out.push_back(numbers);
    }
    return out;
}
