#include "engine/reduce/lotofacil_tables.h"

#include "engine/reduce/lotofacil_grid.h"
#include "engine/reduce/position_coverage.h"

#include <algorithm>
#include <array>

namespace LotofacilTables {

namespace {

std::vector<Row> buildPatterns()
{
    std::vector<Row> rows;
    for (int code = 0; code < LotofacilGrid::patternCodes; ++code) {
        int digitSum = 0;
        std::uint64_t count = 1;
        for (int rest = code, i = 0; i < 5; ++i, rest /= 6) {
            digitSum += rest % 6;
            count *= binomial(5, rest % 6);
        }
        if (digitSum == 15) rows.push_back({ LotofacilGrid::patternText(code), code, count });
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return a.count != b.count ? a.count < b.count : a.text < b.text;
    });
    return rows;
}

std::vector<Row> buildSums()
{
    // ways[size][sum]: subsets of the numbers seen so far with that many numbers and that sum.
    constexpr int maxSum = 325;
    std::vector<std::array<std::uint64_t, maxSum + 1>> ways(16);
    ways[0][0] = 1;
    for (int number = 1; number <= 25; ++number)
        for (int size = 15; size >= 1; --size)
            for (int s = maxSum; s >= number; --s)
                ways[size][s] += ways[size - 1][s - number];
    std::vector<Row> rows;
    for (int s = 120; s <= 270; ++s)
        rows.push_back({ QString::number(s), s, ways[15][s] });
    return rows;
}

} // namespace

const std::vector<Row>& patterns()
{
    static const std::vector<Row> table = buildPatterns();
    return table;
}

const std::vector<Row>& sums()
{
    static const std::vector<Row> table = buildSums();
    return table;
}

} // namespace LotofacilTables
