#include "engine/pools/loteca_closing.h"

#include <algorithm>

void LotecaClosing::append(QStringView text)
{
    const LotecaLine line = LotecaLine::fromText(text);
    rows_.push_back({ line, text == line.text() });
}

std::array<int, 15> LotecaClosing::tally(const LotecaLine& result) const
{
    std::array<int, 15> counts {};
    for (const Row& r : rows_)
        ++counts[std::size_t(std::min(hits(r.line, result), 14))];
    return counts;
}
