#include "engine/reduce/position_coverage.h"

#include <algorithm>

std::uint64_t binomial(int n, int r)
{
    if (r < 0 || n < 0 || r > n) return 0;
    r = std::min(r, n - r);
    std::uint64_t value = 1;
    // After step i the value is C(n - r + i, i), so every division is exact.
    for (int i = 1; i <= r; ++i)
        value = value * static_cast<std::uint64_t>(n - r + i) / static_cast<std::uint64_t>(i);
    return value;
}

PositionCoverage::PositionCoverage(int N, int k)
    : N_(N)
    , k_(k)
    , table_(static_cast<std::size_t>(N * k))
{
    for (int position = 1; position <= k; ++position)
        for (int number = 1; number <= N; ++number)
            table_[static_cast<std::size_t>((position - 1) * N + number - 1)]
                = binomial(number - 1, position - 1) * binomial(N - number, k - position);
}

std::uint64_t PositionCoverage::entry(int position, int number) const
{
    if (position < 1 || position > k_ || number < 1 || number > N_) return 0;
    return table_[static_cast<std::size_t>((position - 1) * N_ + number - 1)];
}

std::uint64_t PositionCoverage::covered(int position, int lower, int upper) const
{
    std::uint64_t sum = 0;
    for (int number = std::max(lower, 1); number <= std::min(upper, N_); ++number)
        sum += entry(position, number);
    return sum;
}

QString coverageText(std::uint64_t count, const QLocale& locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(static_cast<qulonglong>(count));
}
