#include "engine/reduce/lotofacil_filter.h"

#include "engine/reduce/lotofacil_grid.h"

namespace {

std::vector<bool> allowed(const std::vector<int>& chosen, int size)
{
    std::vector<bool> table(static_cast<std::size_t>(size), false);
    for (int key : chosen)
        if (key >= 0 && key < size) table[static_cast<std::size_t>(key)] = true;
    return table;
}

constexpr int highestSum = 325; // 1 + ... + 25

} // namespace

LotofacilFilter::LotofacilFilter(const Settings& settings)
    : byPositions_(settings.byPositions)
    , byRows_(settings.byRows)
    , byColumns_(settings.byColumns)
    , bySums_(settings.bySums)
    , limits_(settings.limits)
    , rowAllowed_(allowed(settings.rowPatterns, LotofacilGrid::patternCodes))
    , columnAllowed_(allowed(settings.columnPatterns, LotofacilGrid::patternCodes))
    , sumAllowed_(allowed(settings.sums, highestSum + 1))
{
}

LineVerdict LotofacilFilter::check(
    QLatin1StringView line, const TicketMask& storedMask, bool regular) const
{
    constexpr int numbers = 15;
    if (line.size() != 3 * numbers) return LineVerdict::NotATicket;
    TicketMask mask = storedMask;
    if (!regular || !LotofacilGrid::onGrid(mask)) {
        mask = {};
        for (int position = 1; position <= numbers; ++position) {
            const int number = numberAtPosition(line, position);
            if (number < 1 || number > 25 || mask.has(number)) return LineVerdict::NotATicket;
            mask.add(number);
        }
    }
    if (byPositions_ && !limits_.admits(line)) return LineVerdict::Dropped;
    if (byRows_ && !rowAllowed_[static_cast<std::size_t>(LotofacilGrid::rowPattern(mask))])
        return LineVerdict::Dropped;
    if (byColumns_ && !columnAllowed_[static_cast<std::size_t>(LotofacilGrid::columnPattern(mask))])
        return LineVerdict::Dropped;
    if (bySums_ && !sumAllowed_[static_cast<std::size_t>(LotofacilGrid::sum(mask))])
        return LineVerdict::Dropped;
    return LineVerdict::Kept;
}
