#include "engine/pools/lotogol_closing.h"

bool LotogolClosing::covers(const LotogolLine& candidate, int guarantee) const
{
    for (const LotogolLine& r : rows_)
        if (hits(r, candidate) >= guarantee) return true;
    return false;
}

std::array<int, 6> LotogolClosing::tally(const LotogolLine& result) const
{
    std::array<int, 6> counts {};
    for (const LotogolLine& r : rows_)
        ++counts[std::size_t(hits(r, result))];
    return counts;
}
