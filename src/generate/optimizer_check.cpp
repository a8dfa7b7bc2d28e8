#include "generate/optimizer_check.h"

namespace OptimizerCheck {

std::int64_t uncoveredDraws(
    const Bet& bet, const std::vector<TicketMask>& tickets, const std::function<bool()>& pulse)
{
    const int n = static_cast<int>(bet.selected.size());
    const int k = bet.C - static_cast<int>(bet.fixed.size());
    if (k < 0 || k > n) return 0;
    TicketMask fixed;
    for (int number : bet.fixed)
        fixed.add(number);
    std::vector<int> idx(static_cast<std::size_t>(k));
    for (int j = 0; j < k; ++j)
        idx[static_cast<std::size_t>(j)] = j;
    std::int64_t uncovered = 0, examined = 0;
    while (true) {
        TicketMask draw = fixed;
        for (int j : idx)
            draw.add(bet.selected[static_cast<std::size_t>(j)]);
        bool covered = false;
        for (const TicketMask& ticket : tickets)
            if (common(ticket, draw) >= bet.G) {
                covered = true;
                break;
            }
        uncovered += !covered;
        if (++examined % 4096 == 0 && pulse && !pulse()) return -1;
        int j = k - 1;
        while (j >= 0 && idx[static_cast<std::size_t>(j)] == n - k + j)
            --j;
        if (j < 0) return uncovered;
        ++idx[static_cast<std::size_t>(j)];
        for (int l = j + 1; l < k; ++l)
            idx[static_cast<std::size_t>(l)] = idx[static_cast<std::size_t>(l - 1)] + 1;
    }
}

bool wellFormed(const Bet& bet, const std::vector<TicketMask>& tickets)
{
    TicketMask fixed, all;
    for (int number : bet.fixed)
        fixed.add(number);
    all = fixed;
    for (int number : bet.selected)
        all.add(number);
    for (const TicketMask& ticket : tickets)
        if (ticket.count() != bet.K || (ticket & fixed) != fixed
            || (ticket & ~all) != TicketMask {})
            return false;
    return true;
}

} // namespace OptimizerCheck
