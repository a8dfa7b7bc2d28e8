#include "engine/catalogue/catalogue_check.h"

#include <algorithm>
#include <bit>

namespace CatalogueCheck {

namespace {

// Draws as 64-bit sets of positions (bit p - 1 for position p), ranked in the colex order:
// rank(x_1 < .. < x_c) = sum of C(x_i, i) over the 0-based positions. The sum is read a byte
// of the set at a time from a table of what each byte adds given how many positions lie below
// it, so a rank costs eight lookups.
class Ranking
{
public:
    Ranking(int n, int c)
        : c_(c)
    {
        std::vector<std::uint64_t> binomial(static_cast<std::size_t>(65 * (c + 2)), 0);
        auto C = [&](int x, int i) -> std::uint64_t& {
            return binomial[static_cast<std::size_t>(x * (c + 2) + i)];
        };
        for (int x = 0; x <= 64; ++x) {
            C(x, 0) = 1;
            for (int i = 1; i <= c + 1; ++i)
                C(x, i) = x == 0 ? 0 : C(x - 1, i - 1) + C(x - 1, i);
        }
        count_ = C(n, c);
        table_.assign(static_cast<std::size_t>(8 * (c + 1) * 256), 0);
        for (int chunk = 0; chunk < 8; ++chunk)
            for (int below = 0; below <= c; ++below)
                for (unsigned byte = 0; byte < 256; ++byte) {
                    std::uint64_t sum = 0;
                    int index = below;
                    for (int bit = 0; bit < 8; ++bit)
                        if (byte >> bit & 1U) {
                            ++index;
                            if (index <= c) sum += C(chunk * 8 + bit, index);
                        }
                    table_[cell(chunk, below, byte)] = sum;
                }
    }
    std::uint64_t count() const { return count_; }
    // The rank of a set of exactly c positions.
    std::uint64_t rank(std::uint64_t set) const
    {
        std::uint64_t r = 0;
        int below = 0;
        for (int chunk = 0; chunk < 8 && set; ++chunk, set >>= 8) {
            const unsigned byte = static_cast<unsigned>(set & 0xFFU);
            if (!byte) continue;
            r += table_[cell(chunk, below, byte)];
            below += std::popcount(byte);
        }
        return r;
    }

private:
    std::size_t cell(int chunk, int below, unsigned byte) const
    {
        return (static_cast<std::size_t>(chunk) * static_cast<std::size_t>(c_ + 1)
                   + static_cast<std::size_t>(below))
            * 256
            + byte;
    }
    int c_;
    std::uint64_t count_ = 0;
    std::vector<std::uint64_t> table_;
};

// Every r-subset of a set of positions, as sets (Gosper's order over the members' indices).
void subsets(std::uint64_t set, int r, std::vector<std::uint64_t>& out)
{
    out.clear();
    std::vector<std::uint64_t> members;
    for (; set; set &= set - 1)
        members.push_back(set & (~set + 1));
    const int n = static_cast<int>(members.size());
    if (r < 0 || r > n) return;
    if (r == 0) {
        out.push_back(0);
        return;
    }
    std::uint64_t pick = (std::uint64_t { 1 } << r) - 1;
    const std::uint64_t end = std::uint64_t { 1 } << n;
    while (pick < end) {
        std::uint64_t subset = 0;
        for (std::uint64_t p = pick; p; p &= p - 1)
            subset |= members[static_cast<std::size_t>(std::countr_zero(p))];
        out.push_back(subset);
        const std::uint64_t lowest = pick & (~pick + 1), ripple = pick + lowest;
        pick = ripple | (((pick ^ ripple) >> 2) / lowest);
    }
}

} // namespace

std::int64_t uncoveredDraws(const ClosingProblem& p, const std::vector<TicketMask>& tickets)
{
    if (p.T > 64 || p.T < 0 || p.C < 0 || p.C > p.T) return -1;
    const Ranking ranking(p.T, p.C);
    const std::uint64_t draws = ranking.count();
    if (draws > (std::uint64_t { 1 } << 32)) return -1;
    if (p.G <= 0) return tickets.empty() ? static_cast<std::int64_t>(draws) : 0;
    const std::uint64_t everything
        = p.T == 64 ? ~std::uint64_t { 0 } : (std::uint64_t { 1 } << p.T) - 1;
    std::vector<std::uint64_t> marked((draws + 63) / 64, 0);
    std::vector<std::uint64_t> inside, outside;
    for (const TicketMask& ticket : tickets) {
        if (ticket.high || (ticket.low & ~everything)) continue; // not a ticket of this wheel
        const int held = ticket.count();
        for (int s = p.G; s <= std::min(held, p.C); ++s) {
            subsets(ticket.low, s, inside);
            subsets(everything & ~ticket.low, p.C - s, outside);
            for (std::uint64_t in : inside)
                for (std::uint64_t out : outside) {
                    const std::uint64_t r = ranking.rank(in | out);
                    marked[r / 64] |= std::uint64_t { 1 } << (r % 64);
                }
        }
    }
    std::uint64_t covered = 0;
    for (std::uint64_t word : marked)
        covered += static_cast<std::uint64_t>(std::popcount(word));
    return static_cast<std::int64_t>(draws - covered);
}

bool wellFormed(const ClosingProblem& p, const std::vector<TicketMask>& tickets)
{
    TicketMask bet;
    for (int n = 1; n <= p.T; ++n)
        bet.add(n);
    return std::all_of(tickets.begin(), tickets.end(),
        [&](const TicketMask& ticket) { return ticket.count() == p.K && (ticket & ~bet).empty(); });
}

bool distinct(std::vector<TicketMask> tickets)
{
    const auto order = [](const TicketMask& a, const TicketMask& b) {
        return a.high != b.high ? a.high < b.high : a.low < b.low;
    };
    std::sort(tickets.begin(), tickets.end(), order);
    return std::adjacent_find(tickets.begin(), tickets.end()) == tickets.end();
}

} // namespace CatalogueCheck
