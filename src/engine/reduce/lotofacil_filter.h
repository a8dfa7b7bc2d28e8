#pragma once

#include "engine/generate/line_store.h"
#include "engine/reduce/position_limits.h"
#include "engine/reduce/reduction_pass.h"

#include <QLatin1StringView>
#include <vector>

// The four filters of the Lotofácil reducer, a conjunction over one closing line: position
// limits, row pattern, column pattern and sum. Patterns and sums come from the line's mask
// when the store vouches for it; otherwise the line's text is read number by number.
class LotofacilFilter
{
public:
    struct Settings {
        bool byPositions = false, byRows = false, byColumns = false, bySums = false;
        PositionLimits limits; // 15 positions
        std::vector<int> rowPatterns; // pattern codes (LotofacilGrid)
        std::vector<int> columnPatterns;
        std::vector<int> sums;
    };

    explicit LotofacilFilter(const Settings& settings);

    bool anyFilter() const { return byPositions_ || byRows_ || byColumns_ || bySums_; }
    // NotATicket when the line does not hold 15 different numbers of 1..25; ConversionError
    // when a number's two characters are not an integer.
    LineVerdict check(QLatin1StringView line, const TicketMask& mask, bool regular) const;
    LineVerdict check(const LineStore& lines, qsizetype row) const
    {
        return check(lines.lineBytes(row), lines.mask(row), lines.regular(row));
    }

private:
    bool byPositions_, byRows_, byColumns_, bySums_;
    PositionLimits limits_;
    std::vector<bool> rowAllowed_, columnAllowed_, sumAllowed_;
};
