#pragma once

#include "engine/generate/ticket_mask.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

// The draws the optimizer must cover: every m-subset of the bet positions 0..n-1, each with a
// rank 0 .. C(n, m) - 1 (combinatorial number system), so coverage counts live in one flat
// array. Masks hold position p as number p + 1 of a TicketMask.
class OptimizerDrawSpace
{
public:
    // The largest space the optimizer enumerates.
    static constexpr double limit = 20'000'000;
    // C(n, m) in floating point, so that spaces far beyond the limit can still be reported.
    static double count(int n, int m);

    OptimizerDrawSpace(int n, int m);

    int n() const { return n_; }
    int m() const { return m_; }
    std::uint32_t size() const { return size_; }

    std::uint32_t rank(const TicketMask& draw) const
    {
        std::uint32_t r = 0;
        int prefix = 0;
        for (int c = 0; c < chunks_; ++c) {
            const std::uint64_t word = c < 8 ? draw.low : draw.high;
            const unsigned byte = static_cast<unsigned>(word >> (8 * (c % 8))) & 0xFFU;
            if (!byte) continue;
            r += chunkTable_[(static_cast<std::size_t>(c) * (m_ + 1) + prefix) * 256 + byte];
            prefix += std::popcount(byte);
        }
        return r;
    }
    TicketMask unrank(std::uint32_t rank) const;
    // The draw's positions, ascending.
    std::vector<int> positions(const TicketMask& draw) const;

    // Calls f(rank) for every draw that shares at least `least` positions with the ticket.
    template <typename Fn> void forEachMeeting(const TicketMask& ticket, int least, Fn&& f) const
    {
        std::vector<int> inside, outside;
        for (int p = 0; p < n_; ++p)
            (ticket.has(p + 1) ? inside : outside).push_back(p);
        const int most = std::min(static_cast<int>(inside.size()), m_);
        for (int s = std::max(least, 0); s <= most; ++s) {
            if (m_ - s > static_cast<int>(outside.size())) continue;
            const std::vector<TicketMask> in = subsets(inside, s);
            const std::vector<TicketMask> out = subsets(outside, m_ - s);
            for (const TicketMask& a : in)
                for (const TicketMask& b : out)
                    f(rank(a | b));
        }
    }

    // Every r-subset of the given positions as a mask.
    static std::vector<TicketMask> subsets(const std::vector<int>& elements, int r);
    static void subsets(const std::vector<int>& elements, int r, std::vector<TicketMask>& into);

private:
    int n_, m_;
    std::uint32_t size_ = 0;
    int chunks_ = 0;
    std::vector<std::uint32_t> chunkTable_; // [chunk][bits below the chunk][byte]
    std::vector<std::uint64_t> binomial_; // C(c, i) at c * (m + 1) + i
};
