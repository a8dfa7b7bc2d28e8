#include "engine/catalogue/catalogue_bounds.h"

#include <algorithm>

namespace CatalogueBounds {

namespace {

std::int64_t ceilDiv(std::uint64_t a, std::uint64_t b)
{
    return static_cast<std::int64_t>((a + b - 1) / b);
}

// Edges of the Turán graph: n vertices in r parts as equal as possible, joined across parts.
std::uint64_t turanEdges(int n, int r)
{
    if (r <= 0) return 0;
    const int small = n / r, larger = n % r;
    const std::uint64_t inside = static_cast<std::uint64_t>(r - larger) * binomial(small, 2)
        + static_cast<std::uint64_t>(larger) * binomial(small + 1, 2);
    return binomial(n, 2) - inside;
}

// The bound of Turán's theorem (G = 2) or of the numbers left out (G = 1); 0 otherwise.
std::int64_t structural(const ClosingProblem& p)
{
    if (p.C < 1 || p.K < 1) return 0;
    if (p.G == 1) return ceilDiv(static_cast<std::uint64_t>(std::max(p.T - p.C + 1, 0)), p.K);
    if (p.G == 2 && p.K >= 2 && p.C >= 2) {
        const std::uint64_t covered = binomial(p.T, 2) - turanEdges(p.T, p.C - 1);
        return ceilDiv(covered, binomial(p.K, 2));
    }
    return 0;
}

} // namespace

std::uint64_t binomial(int n, int k)
{
    if (k < 0 || n < 0 || k > n) return 0;
    k = std::min(k, n - k);
    std::uint64_t c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
    return c;
}

std::uint64_t drawsOneTicketCovers(const ClosingProblem& p)
{
    std::uint64_t covered = 0;
    for (int s = std::max(p.G, 0); s <= std::min(p.K, p.C); ++s)
        covered += binomial(p.K, s) * binomial(p.T - p.K, p.C - s);
    return covered;
}

std::int64_t counting(const ClosingProblem& p)
{
    const std::uint64_t covered = drawsOneTicketCovers(p);
    if (covered == 0) return 0;
    return ceilDiv(binomial(p.T, p.C), covered);
}

Bound strongest(const ClosingProblem& p)
{
    Bound best { counting(p), QStringLiteral("counting") };
    const std::int64_t direct = structural(p);
    const ClosingProblem complement = p.complement();
    const std::int64_t mirrored = complement.K >= 1 ? structural(complement) : 0;
    const std::int64_t other = std::max(direct, mirrored);
    const int g = direct >= mirrored ? p.G : complement.G;
    if (other > best.value)
        best = { other, g == 2 ? QStringLiteral("turan") : QStringLiteral("union") };
    return best;
}

} // namespace CatalogueBounds
