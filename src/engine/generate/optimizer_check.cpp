#include "engine/generate/optimizer_check.h"

#include <algorithm>
#include <limits>

namespace OptimizerCheck {

namespace {

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

// C(n, k), or kSaturated beyond 64 bits (no space that large is ever counted to its end).
std::uint64_t binomial(int n, int k)
{
    if (k < 0 || k > n) return 0;
    k = std::min(k, n - k);
    std::uint64_t c = 1;
    for (int i = 1; i <= k; ++i) {
        const std::uint64_t factor = static_cast<std::uint64_t>(n - k + i);
        if (c > kSaturated / factor) return kSaturated;
        c = c * factor / static_cast<std::uint64_t>(i); // exact: C(n-k+i, i) at every step
    }
    return c;
}

// The draws of the bet as positions idx[0] < .. < idx[k-1] of the selected numbers, in
// lexicographic order; the r-th of them (from 0).
std::vector<int> unrank(std::uint64_t r, int n, int k)
{
    std::vector<int> idx(static_cast<std::size_t>(k));
    int v = 0;
    for (int j = 0; j < k; ++j) {
        for (;; ++v) {
            const std::uint64_t after = binomial(n - v - 1, k - j - 1);
            if (r < after) break;
            r -= after;
        }
        idx[static_cast<std::size_t>(j)] = v++;
    }
    return idx;
}

bool advance(std::vector<int>& idx, int n)
{
    const int k = static_cast<int>(idx.size());
    int j = k - 1;
    while (j >= 0 && idx[static_cast<std::size_t>(j)] == n - k + j)
        --j;
    if (j < 0) return false;
    ++idx[static_cast<std::size_t>(j)];
    for (int l = j + 1; l < k; ++l)
        idx[static_cast<std::size_t>(l)] = idx[static_cast<std::size_t>(l - 1)] + 1;
    return true;
}

// Counts the uncovered draws among `count` draws from idx on; `more` is asked after every
// draw and ends the count early (returning -1) when it says no.
template <typename More>
std::int64_t countStretch(const Bet& bet, const std::vector<TicketMask>& tickets,
    std::vector<int> idx, std::uint64_t count, More&& more)
{
    TicketMask fixed;
    for (int number : bet.fixed)
        fixed.add(number);
    const int n = static_cast<int>(bet.selected.size());
    std::int64_t uncovered = 0;
    for (std::uint64_t examined = 0; examined < count; ++examined) {
        TicketMask draw = fixed;
        for (int j : idx)
            draw.add(bet.selected[static_cast<std::size_t>(j)]);
        bool covered = false;
        for (const TicketMask& ticket : tickets)
            if (common(ticket, draw) >= bet.G) {
                covered = true;
                break;
            }
        uncovered += !covered;
        if (!more(examined + 1)) return -1;
        if (!advance(idx, n)) break;
    }
    return uncovered;
}

int drawPositions(const Bet& bet)
{
    return bet.C - static_cast<int>(bet.fixed.size());
}

} // namespace

std::int64_t uncoveredDraws(
    const Bet& bet, const std::vector<TicketMask>& tickets, const std::function<bool()>& pulse)
{
    const int n = static_cast<int>(bet.selected.size());
    const int k = drawPositions(bet);
    if (k < 0 || k > n) return 0;
    return countStretch(bet, tickets, unrank(0, n, k), kSaturated,
        [&](std::uint64_t examined) { return examined % 4096 != 0 || !pulse || pulse(); });
}

bool wellFormed(const Bet& bet, const std::vector<TicketMask>& tickets)
{
    TicketMask fixed, all;
    for (int number : bet.fixed)
        fixed.add(number);
    all = fixed;
    for (int number : bet.selected)
        all.add(number);
    for (const TicketMask& ticket : tickets)
        if (ticket.count() != bet.K || (ticket & fixed) != fixed
            || (ticket & ~all) != TicketMask {})
            return false;
    return true;
}

ParallelCount::ParallelCount(Bet bet, std::vector<TicketMask> tickets, int threads)
    : bet_(std::move(bet))
    , tickets_(std::move(tickets))
{
    const int n = static_cast<int>(bet_.selected.size());
    const int k = drawPositions(bet_);
    total_ = k < 0 || k > n ? 0 : binomial(n, k);
    const int count = std::max(
        1, threads > 0 ? threads : static_cast<int>(std::thread::hardware_concurrency()));
    // Many stretches a thread, so that the threads end together and a stop is seen at once;
    // a space too large for 64 bits is one stretch, never counted to its end.
    stretch_
        = total_ == kSaturated ? kSaturated : std::max<std::uint64_t>(1, total_ / (64ULL * count));
    stretches_ = total_ == kSaturated ? 1 : (total_ + stretch_ - 1) / stretch_;
    running_.store(count);
    for (int i = 0; i < count; ++i) {
        try {
            threads_.emplace_back([this] { work(); });
        } catch (...) {
            stop_.store(true);
            running_.fetch_sub(count - i);
            wait();
            throw;
        }
    }
}

ParallelCount::~ParallelCount()
{
    stop();
    wait();
}

void ParallelCount::wait()
{
    for (std::thread& thread : threads_)
        if (thread.joinable()) thread.join();
}

double ParallelCount::progress() const
{
    return total_ ? std::min(1.0, static_cast<double>(counted_.load()) / total_) : 1.0;
}

std::int64_t ParallelCount::result() const
{
    return stop_.load() ? -1 : uncovered_.load();
}

void ParallelCount::work()
{
    const int n = static_cast<int>(bet_.selected.size());
    const int k = drawPositions(bet_);
    for (;;) {
        const std::uint64_t s = nextStretch_.fetch_add(1);
        if (s >= stretches_ || stop_.load(std::memory_order_relaxed)) break;
        const std::uint64_t first = s * stretch_;
        const std::uint64_t count = std::min(stretch_, total_ - first);
        std::uint64_t reported = 0;
        const std::int64_t uncovered
            = countStretch(bet_, tickets_, unrank(first, n, k), count, [&](std::uint64_t done) {
                  if (done - reported >= 256) {
                      counted_.fetch_add(done - reported, std::memory_order_relaxed);
                      reported = done;
                  }
                  return !stop_.load(std::memory_order_relaxed);
              });
        if (uncovered < 0) break;
        counted_.fetch_add(count - reported, std::memory_order_relaxed);
        uncovered_.fetch_add(uncovered, std::memory_order_relaxed);
    }
    running_.fetch_sub(1);
}

} // namespace OptimizerCheck
