#include "engine/generate/optimizer_draw_space.h"

#include <algorithm>
#include <cmath>

double OptimizerDrawSpace::count(int n, int m)
{
    if (m < 0 || m > n) return 0;
    double c = 1;
    for (int i = 1; i <= m; ++i)
        c = c * (n - m + i) / i;
    return std::round(c);
}

OptimizerDrawSpace::OptimizerDrawSpace(int n, int m)
    : n_(n)
    , m_(m)
{
    size_ = static_cast<std::uint32_t>(count(n, m));
    binomial_.assign(static_cast<std::size_t>(n + 1) * (m + 1), 0);
    auto C = [&](int c, int i) -> std::uint64_t& {
        return binomial_[static_cast<std::size_t>(c) * (m_ + 1) + i];
    };
    for (int c = 0; c <= n; ++c) {
        C(c, 0) = 1;
        for (int i = 1; i <= std::min(c, m); ++i)
            C(c, i) = C(c - 1, i - 1) + (i <= c - 1 ? C(c - 1, i) : 0);
    }
    // A draw's rank is the sum of C(position, order) over its positions, order counted from 1;
    // a table per byte of the mask and per count of positions below it turns that into a few
    // lookups.
    chunks_ = (n + 7) / 8;
    chunkTable_.assign(static_cast<std::size_t>(chunks_) * (m + 1) * 256, 0);
    for (int c = 0; c < chunks_; ++c)
        for (int prefix = 0; prefix <= m; ++prefix)
            for (unsigned byte = 1; byte < 256; ++byte) {
                if (prefix + std::popcount(byte) > m) continue;
                std::uint64_t sum = 0;
                int order = prefix;
                bool inRange = true;
                for (int bit = 0; bit < 8; ++bit) {
                    if (!((byte >> bit) & 1U)) continue;
                    const int position = 8 * c + bit;
                    if (position >= n) inRange = false;
                    ++order;
                    if (inRange && order <= position) sum += C(position, order);
                }
                if (inRange)
                    chunkTable_[(static_cast<std::size_t>(c) * (m + 1) + prefix) * 256 + byte]
                        = static_cast<std::uint32_t>(sum);
            }
}

TicketMask OptimizerDrawSpace::unrank(std::uint32_t rank) const
{
    TicketMask draw;
    std::uint64_t rest = rank;
    int c = n_ - 1;
    for (int i = m_; i >= 1; --i) {
        while (c >= i && binomial_[static_cast<std::size_t>(c) * (m_ + 1) + i] > rest)
            --c;
        if (c < i) c = i - 1; // only C(i-1, i) = 0 is left
        if (c >= i) rest -= binomial_[static_cast<std::size_t>(c) * (m_ + 1) + i];
        draw.add(c + 1);
        --c;
    }
    return draw;
}

std::vector<int> OptimizerDrawSpace::positions(const TicketMask& draw) const
{
    std::vector<int> out;
    draw.forEach([&](int number) { out.push_back(number - 1); });
    return out;
}

void OptimizerDrawSpace::subsets(
    const std::vector<int>& elements, int r, std::vector<TicketMask>& into)
{
    into.clear();
    const int size = static_cast<int>(elements.size());
    if (r < 0 || r > size) return;
    std::vector<int> idx(static_cast<std::size_t>(r));
    for (int j = 0; j < r; ++j)
        idx[static_cast<std::size_t>(j)] = j;
    while (true) {
        TicketMask mask;
        for (int j : idx)
            mask.add(elements[static_cast<std::size_t>(j)] + 1);
        into.push_back(mask);
        int j = r - 1;
        while (j >= 0 && idx[static_cast<std::size_t>(j)] == size - r + j)
            --j;
        if (j < 0) return;
        ++idx[static_cast<std::size_t>(j)];
        for (int l = j + 1; l < r; ++l)
            idx[static_cast<std::size_t>(l)] = idx[static_cast<std::size_t>(l - 1)] + 1;
    }
}

std::vector<TicketMask> OptimizerDrawSpace::subsets(const std::vector<int>& elements, int r)
{
    std::vector<TicketMask> out;
    subsets(elements, r, out);
    return out;
}
