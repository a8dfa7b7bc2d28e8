#include "generate/optimizer_search.h"

#include <algorithm>
#include <cmath>

namespace {

std::vector<int> positionsOf(const TicketMask& mask)
{
    std::vector<int> out;
    mask.forEach([&](int number) { out.push_back(number - 1); });
    return out;
}

} // namespace

ClosingOptimizer::Refusal ClosingOptimizer::check(const Setup& s)
{
    const int n = static_cast<int>(s.selected.size());
    if (s.K < s.G || s.K < s.F || s.K - s.F > n) return Refusal::TicketTooSmall;
    if (s.C - s.F < 0 || s.C - s.F > n) return Refusal::BetTooSmall;
    if (OptimizerDrawSpace::count(n, s.C - s.F) > OptimizerDrawSpace::limit)
        return Refusal::TooManyDraws;
    return Refusal::None;
}

ClosingOptimizer::ClosingOptimizer(Setup setup, const std::vector<TicketMask>& closing)
    : setup_(std::move(setup))
    , n_(static_cast<int>(setup_.selected.size()))
    , k_(setup_.K - setup_.F)
    , m_(setup_.C - setup_.F)
    , least_(std::max(setup_.G - setup_.F, 0))
    , space_(n_, m_)
    , random_(setup_.seed)
{
    temperature_ = setup_.startTemperature;
    counts_.assign(space_.size(), 0);
    start_.reserve(closing.size());
    for (const TicketMask& ticket : closing)
        start_.push_back(normalised(ticket));
    if (start_.empty()) phase_ = Phase::Completing;
}

TicketMask ClosingOptimizer::normalised(const TicketMask& numbers)
{
    TicketMask ticket;
    int held = 0;
    for (int p = 0; p < n_ && held < k_; ++p)
        if (numbers.has(setup_.selected[static_cast<std::size_t>(p)])) {
            ticket.add(p + 1);
            ++held;
        }
    while (held < k_) {
        const int p = static_cast<int>(random_() % static_cast<std::uint64_t>(n_));
        if (ticket.has(p + 1)) continue;
        ticket.add(p + 1);
        ++held;
    }
    return ticket;
}

std::vector<TicketMask> ClosingOptimizer::toNumbers(const std::vector<TicketMask>& tickets) const
{
    TicketMask fixed;
    for (int number : setup_.fixed)
        fixed.add(number);
    std::vector<TicketMask> out;
    out.reserve(tickets.size());
    for (const TicketMask& ticket : tickets) {
        TicketMask numbers = fixed;
        ticket.forEach([&](int position) {
            numbers.add(setup_.selected[static_cast<std::size_t>(position - 1)]);
        });
        out.push_back(numbers);
    }
    return out;
}

double ClosingOptimizer::completionProgress() const
{
    if (phase_ == Phase::Counting) return 0;
    if (phase_ == Phase::Completing)
        return space_.size() ? static_cast<double>(cursor_) / space_.size() : 1;
    return 1;
}

void ClosingOptimizer::addTicket(const TicketMask& ticket)
{
    tickets_.push_back(ticket);
    space_.forEachMeeting(ticket, least_, [this](std::uint32_t r) { ++counts_[r]; });
}

void ClosingOptimizer::step()
{
    switch (phase_) {
    case Phase::Counting:
        addTicket(start_[cursor_++]);
        if (cursor_ >= start_.size()) {
            start_.clear();
            cursor_ = 0;
            phase_ = Phase::Completing;
        }
        return;
    case Phase::Completing: {
        // Each uncovered draw becomes a ticket: its own positions first (as many as fit), then
        // random ones.
        const std::size_t end = std::min<std::size_t>(cursor_ + 4096, space_.size());
        for (; cursor_ < end; ++cursor_) {
            if (counts_[cursor_]) continue;
            const std::vector<int> draw = space_.positions(space_.unrank(cursor_));
            TicketMask ticket;
            for (int j = 0; j < std::min(k_, m_); ++j)
                ticket.add(draw[static_cast<std::size_t>(j)] + 1);
            ticket = normalised(toNumbers({ ticket }).front());
            addTicket(ticket);
        }
        if (cursor_ >= space_.size()) {
            cursor_ = 0;
            phase_ = Phase::Pruning;
        }
        return;
    }
    case Phase::Pruning: {
        if (cursor_ < tickets_.size()) {
            const TicketMask ticket = tickets_[cursor_];
            bool redundant = true;
            space_.forEachMeeting(
                ticket, least_, [&](std::uint32_t r) { redundant = redundant && counts_[r] >= 2; });
            if (redundant && tickets_.size() > 1) {
                space_.forEachMeeting(ticket, least_, [this](std::uint32_t r) { --counts_[r]; });
                tickets_.erase(tickets_.begin() + static_cast<std::ptrdiff_t>(cursor_));
            } else {
                ++cursor_;
            }
            return;
        }
        startSearch();
        return;
    }
    case Phase::Searching:
        move();
        return;
    case Phase::Finished:
        return;
    }
}

void ClosingOptimizer::startSearch()
{
    uncoveredAt_.assign(space_.size(), -1);
    uncovered_.clear();
    uncoveredMasks_.clear();
    for (std::uint32_t r = 0; r < space_.size(); ++r)
        if (!counts_[r]) listUncovered(r);
    const std::uint64_t neighbourhood
        = static_cast<std::uint64_t>(k_) * static_cast<std::uint64_t>(std::max(n_ - k_, 1));
    movesPerRound_ = std::max<std::uint64_t>(50, neighbourhood * tickets_.size() / 4);
    firstCompleteSize_ = static_cast<int>(tickets_.size());
    phase_ = Phase::Searching;
    record();
}

void ClosingOptimizer::record()
{
    best_ = tickets_;
    if (tickets_.size() <= 1) {
        phase_ = Phase::Finished;
        return;
    }
    dropTicket();
}

void ClosingOptimizer::cover(std::uint32_t r)
{
    if (counts_[r]++ == 0) {
        const std::int32_t at = uncoveredAt_[r];
        const std::uint32_t last = uncovered_.back();
        uncovered_[static_cast<std::size_t>(at)] = last;
        uncoveredMasks_[static_cast<std::size_t>(at)] = uncoveredMasks_.back();
        uncoveredAt_[last] = at;
        uncovered_.pop_back();
        uncoveredMasks_.pop_back();
        uncoveredAt_[r] = -1;
    }
}

void ClosingOptimizer::listUncovered(std::uint32_t r)
{
    uncoveredAt_[r] = static_cast<std::int32_t>(uncovered_.size());
    uncovered_.push_back(r);
    uncoveredMasks_.push_back(space_.unrank(r));
}

void ClosingOptimizer::uncover(std::uint32_t r)
{
    if (--counts_[r] == 0) listUncovered(r);
}

void ClosingOptimizer::restart()
{
    // A cooling cycle that ends short of a complete closing is mostly stuck in a valley; the
    // recorded closing less another ticket starts the next one somewhere else.
    std::fill(counts_.begin(), counts_.end(), 0);
    tickets_.clear();
    for (const TicketMask& ticket : best_)
        addTicket(ticket);
    std::fill(uncoveredAt_.begin(), uncoveredAt_.end(), -1);
    uncovered_.clear();
    uncoveredMasks_.clear();
    const std::size_t dropped = random_() % tickets_.size();
    space_.forEachMeeting(tickets_[dropped], least_, [this](std::uint32_t r) { --counts_[r]; });
    tickets_.erase(tickets_.begin() + static_cast<std::ptrdiff_t>(dropped));
    for (std::uint32_t r = 0; r < space_.size(); ++r)
        if (!counts_[r]) listUncovered(r);
    ++restarts_;
}

void ClosingOptimizer::dropTicket()
{
    // The ticket that alone covers the fewest draws costs the least to lose.
    std::size_t chosen = 0;
    std::uint64_t fewest = ~std::uint64_t { 0 };
    int ties = 0;
    for (std::size_t i = 0; i < tickets_.size(); ++i) {
        std::uint64_t sole = 0;
        space_.forEachMeeting(
            tickets_[i], least_, [&](std::uint32_t r) { sole += counts_[r] == 1; });
        if (sole < fewest) {
            fewest = sole;
            chosen = i;
            ties = 1;
        } else if (sole == fewest && random_() % static_cast<std::uint64_t>(++ties) == 0) {
            chosen = i;
        }
    }
    space_.forEachMeeting(tickets_[chosen], least_, [this](std::uint32_t r) { uncover(r); });
    tickets_.erase(tickets_.begin() + static_cast<std::ptrdiff_t>(chosen));
}

void ClosingOptimizer::move()
{
    if (uncovered_.empty()) {
        record();
        return;
    }
    ++moves_;
    if (moves_ % movesPerRound_ == 0) {
        temperature_ *= setup_.cooling;
        if (temperature_ < setup_.reheatBelow) {
            temperature_ = setup_.startTemperature;
            restart();
            return;
        }
    }

    // Aim at a random uncovered draw: a ticket that comes closest to it moves one number into
    // it, so every move covers at least that draw when the ticket was one number short.
    const TicketMask draw
        = space_.unrank(uncovered_[static_cast<std::size_t>(random_() % uncovered_.size())]);
    std::size_t chosen = 0;
    int closest = -1, ties = 0;
    for (std::size_t i = 0; i < tickets_.size(); ++i) {
        const int shared = common(tickets_[i], draw);
        if (shared > closest) {
            closest = shared;
            chosen = i;
            ties = 1;
        } else if (shared == closest && random_() % static_cast<std::uint64_t>(++ties) == 0) {
            chosen = i;
        }
    }
    const TicketMask ticket = tickets_[chosen];
    const std::vector<int> leaving = positionsOf(ticket & ~draw);
    const std::vector<int> entering = positionsOf(draw & ~ticket);
    if (leaving.empty() || entering.empty()) return;
    const int a = leaving[static_cast<std::size_t>(random_() % leaving.size())];
    const int b = entering[static_cast<std::size_t>(random_() % entering.size())];

    // The draws whose cover by this ticket changes are {a} + L + H (lost) and {b} + L + H
    // (won), L taking least-1 of the ticket's other positions and H the rest of the draw from
    // outside the ticket, b excluded.
    std::vector<int> inside, outside;
    for (int p = 0; p < n_; ++p) {
        if (p == a || p == b) continue;
        (ticket.has(p + 1) ? inside : outside).push_back(p);
    }
    OptimizerDrawSpace::subsets(inside, least_ - 1, lowSubsets_);
    OptimizerDrawSpace::subsets(outside, m_ - least_, highSubsets_);
    TicketMask aMask, bMask;
    aMask.add(a + 1);
    bMask.add(b + 1);
    const std::size_t family = lowSubsets_.size() * highSubsets_.size();

    // The acceptance bound is drawn first, so that counting the losses can stop as soon as
    // the move is sure to be refused; most refused moves then cost a fraction of a full count.
    const double u = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
    const double allowed = u > 0 ? -temperature_ * std::log(u) : 1e300;
    auto refused = [&](int delta) { return delta > 0 && !(delta < allowed); };

    int gain = 0;
    if (uncovered_.size() < family) {
        for (const TicketMask& d : uncoveredMasks_)
            gain += d.has(b + 1) && !d.has(a + 1) && common(ticket, d) == least_ - 1;
    } else {
        for (const TicketMask& low : lowSubsets_)
            for (const TicketMask& high : highSubsets_)
                gain += counts_[space_.rank(low | high | bMask)] == 0;
    }
    int loss = 0;
    for (const TicketMask& low : lowSubsets_)
        for (const TicketMask& high : highSubsets_)
            if (counts_[space_.rank(low | high | aMask)] == 1 && refused(++loss - gain)) return;
    if (refused(loss - gain)) return;

    lossRanks_.clear();
    gainRanks_.clear();
    for (const TicketMask& low : lowSubsets_)
        for (const TicketMask& high : highSubsets_) {
            const TicketMask base = low | high;
            lossRanks_.push_back(space_.rank(base | aMask));
            gainRanks_.push_back(space_.rank(base | bMask));
        }
    for (std::uint32_t r : lossRanks_)
        uncover(r);
    for (std::uint32_t r : gainRanks_)
        cover(r);
    TicketMask moved = ticket;
    moved.remove(a + 1);
    moved.add(b + 1);
    tickets_[chosen] = moved;
}
