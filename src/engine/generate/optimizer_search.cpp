#include "engine/generate/optimizer_search.h"

#include "engine/base/split_mix.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numeric>
#include <string>
#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

ClosingOptimizer::Refusal ClosingOptimizer::check(const Setup& s, std::uint64_t memory)
{
    const int n = static_cast<int>(s.selected.size());
    if (s.K < s.G || s.K < s.F || s.K - s.F > n) return Refusal::TicketTooSmall;
    if (s.C - s.F < 0 || s.C - s.F > n) return Refusal::BetTooSmall;
    if (s.K == s.C && s.C == s.G) return Refusal::OnlyFullEnumeration;
    if (OptimizerDrawSpace::count(n, s.C - s.F) > OptimizerDrawSpace::limit)
        return Refusal::TooManyDraws;
    if (memoryNeeded(s) > memory) return Refusal::NotEnoughMemory;
    return Refusal::None;
}

std::uint64_t ClosingOptimizer::memoryNeeded(const Setup& s)
{
    // Cover count, owner, place in the uncovered list and cover level per draw, and room for
    // the tickets.
    const double draws = OptimizerDrawSpace::count(static_cast<int>(s.selected.size()), s.C - s.F);
    return static_cast<std::uint64_t>(draws * 12.25) + (std::uint64_t { 16 } << 20);
}

std::uint64_t ClosingOptimizer::availableMemory()
{
#if defined(__linux__)
    // What the kernel would hand out without swapping, caches included.
    std::ifstream info("/proc/meminfo");
    std::string key;
    std::uint64_t kb = 0;
    std::string unit;
    while (info >> key >> kb >> unit)
        if (key == "MemAvailable:") return kb * 1024;
#endif
#if defined(__unix__) || defined(__APPLE__)
    const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
    if (pages > 0 && size > 0)
        return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size) / 2;
#endif
    return std::uint64_t { 2 } << 30;
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
    // A ticket covers the draws meeting it in least..m positions; a move changes the cover of
    // those meeting it in exactly least, through the position that leaves.
    for (int s = least_; s <= std::min(k_, m_); ++s)
        ticketDraws_
            += OptimizerDrawSpace::count(k_, s) * OptimizerDrawSpace::count(n_ - k_, m_ - s);
    moveFamily_ = std::max(1.0,
        OptimizerDrawSpace::count(k_ - 1, least_ - 1)
            * OptimizerDrawSpace::count(n_ - k_ - 1, m_ - least_));
    covers_.assign(space_.size(), DrawCover {});
    levels_.assign(space_.size() / 4 + 1, 0);
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

std::vector<TicketMask> ClosingOptimizer::toNumbers(
    const Setup& setup, const std::vector<TicketMask>& tickets)
{
    TicketMask fixed;
    for (int number : setup.fixed)
        fixed.add(number);
    std::vector<TicketMask> out;
    out.reserve(tickets.size());
    for (const TicketMask& ticket : tickets) {
        TicketMask numbers = fixed;
        ticket.forEach([&](int position) {
            numbers.add(setup.selected[static_cast<std::size_t>(position - 1)]);
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

void ClosingOptimizer::cover(std::uint32_t r, std::uint32_t ticket)
{
    const std::uint32_t before = covers_[r].count++;
    if (before < 2) setLevel(r, before + 1);
    if (before == 0) {
        ++sole_[ticket];
        ++soleDraws_;
        if (tracking_) {
            const std::int32_t at = uncoveredAt_[r];
            const std::uint32_t last = uncovered_.back();
            uncovered_[static_cast<std::size_t>(at)] = last;
            uncoveredMasks_[static_cast<std::size_t>(at)] = uncoveredMasks_.back();
            uncoveredAt_[last] = at;
            uncovered_.pop_back();
            uncoveredMasks_.pop_back();
            uncoveredAt_[r] = -1;
        }
    } else if (before == 1) {
        --sole_[covers_[r].owners];
        --soleDraws_;
    }
    covers_[r].owners ^= ticket;
}

void ClosingOptimizer::uncover(std::uint32_t r, std::uint32_t ticket)
{
    covers_[r].owners ^= ticket;
    const std::uint32_t after = --covers_[r].count;
    if (after < 2) setLevel(r, after);
    if (after == 0) {
        --sole_[ticket];
        --soleDraws_;
        if (tracking_) listUncovered(r);
    } else if (after == 1) {
        ++sole_[covers_[r].owners];
        ++soleDraws_;
    }
}

void ClosingOptimizer::listUncovered(std::uint32_t r)
{
    uncoveredAt_[r] = static_cast<std::int32_t>(uncovered_.size());
    uncovered_.push_back(r);
    uncoveredMasks_.push_back(space_.unrank(r));
}

void ClosingOptimizer::addTicket(const TicketMask& ticket)
{
    const auto id = static_cast<std::uint32_t>(tickets_.size());
    journal(Change::Kind::Add, id, ticket);
    tickets_.push_back(ticket);
    sole_.push_back(0);
    origin_.push_back(0);
    space_.forEachMeeting(ticket, least_, [&](std::uint32_t r) { cover(r, id); });
}

void ClosingOptimizer::removeTicket(std::size_t index)
{
    const auto id = static_cast<std::uint32_t>(index);
    journal(Change::Kind::Remove, id);
    space_.forEachMeeting(tickets_[index], least_, [&](std::uint32_t r) { uncover(r, id); });
    const std::size_t last = tickets_.size() - 1;
    if (index != last) {
        // The last ticket takes the freed index, in the owners of its draws too.
        const std::uint32_t change = static_cast<std::uint32_t>(last) ^ id;
        space_.forEachMeeting(
            tickets_[last], least_, [&](std::uint32_t r) { covers_[r].owners ^= change; });
        tickets_[index] = tickets_[last];
        sole_[index] = sole_[last];
        origin_[index] = origin_[last];
    }
    tickets_.pop_back();
    sole_.pop_back();
    origin_.pop_back();
}

void ClosingOptimizer::replaceTicket(std::size_t index, const TicketMask& ticket)
{
    const auto id = static_cast<std::uint32_t>(index);
    journal(Change::Kind::Replace, id, ticket);
    space_.forEachMeeting(tickets_[index], least_, [&](std::uint32_t r) { uncover(r, id); });
    tickets_[index] = ticket;
    space_.forEachMeeting(ticket, least_, [&](std::uint32_t r) { cover(r, id); });
}

void ClosingOptimizer::replay(const Change& change)
{
    switch (change.kind) {
    case Change::Kind::Add:
        addTicket(change.ticket);
        return;
    case Change::Kind::Remove:
        removeTicket(change.index);
        return;
    case Change::Kind::Replace:
        replaceTicket(change.index, change.ticket);
        return;
    case Change::Kind::Move:
        makeMove(change);
        return;
    case Change::Kind::Track:
        startTracking();
        return;
    }
}

void ClosingOptimizer::step()
{
    switch (phase_) {
    case Phase::Counting:
        addTicket(start_[cursor_++]);
        if (cursor_ >= start_.size()) {
            start_.clear();
            start_.shrink_to_fit();
            cursor_ = 0;
            phase_ = Phase::Completing;
        }
        return;
    case Phase::Completing: {
        // Each uncovered draw becomes a ticket: its own positions first (as many as fit), then
        // random ones.
        const std::size_t end = std::min<std::size_t>(cursor_ + 4096, space_.size());
        for (; cursor_ < end; ++cursor_) {
            if (covers_[cursor_].count) continue;
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
    case Phase::Pruning:
        // A ticket that alone covers nothing goes; the last ticket moves into its place and is
        // looked at next.
        while (cursor_ < tickets_.size() && (sole_[cursor_] != 0 || tickets_.size() <= 1))
            ++cursor_;
        if (cursor_ < tickets_.size()) {
            removeTicket(cursor_);
            return;
        }
        startSearch();
        return;
    case Phase::Searching:
        move();
        return;
    case Phase::Finished:
        return;
    }
}

void ClosingOptimizer::startTracking()
{
    journal(Change::Kind::Track);
    uncoveredAt_.assign(space_.size(), -1);
    uncovered_.clear();
    uncoveredMasks_.clear();
    for (std::uint32_t r = 0; r < space_.size(); ++r)
        if (!covers_[r].count) listUncovered(r);
    tracking_ = true;
}

void ClosingOptimizer::startSearch()
{
    startTracking();
    const std::uint64_t neighbourhood
        = static_cast<std::uint64_t>(k_) * static_cast<std::uint64_t>(std::max(n_ - k_, 1));
    movesPerRound_ = std::max<std::uint64_t>(setup_.minMovesPerRound,
        static_cast<std::uint64_t>(
            setup_.movesPerRoundFactor * static_cast<double>(neighbourhood * tickets_.size())));
    roundMoves_ = 0;
    if (!firstCompleteSize_) firstCompleteSize_ = static_cast<int>(tickets_.size());
    phase_ = Phase::Searching;
    record();
}

void ClosingOptimizer::record()
{
    cycleGrowth_ = 1;
    // The moves a record takes, averaged over the last few: one long wait among quick ones
    // is common, a wait many times the average is a search stuck in a valley.
    const std::uint64_t stretch = moves_ - recordedAt_;
    recordStretch_ = recordStretch_ ? (4 * recordStretch_ + stretch) / 5 : stretch;
    recordedAt_ = moves_;
    returnedAt_ = moves_;
    best_ = tickets_;
    // A move puts at stake the draws of its family that the ticket alone covers; the
    // temperature follows the square root of how many those are, so that one schedule suits
    // small and large closings alike.
    const double atStake = moveFamily_ * static_cast<double>(soleDraws_)
        / (static_cast<double>(tickets_.size()) * ticketDraws_);
    temperatureScale_ = std::sqrt(std::max(atStake, 1.0)) / setup_.stakeScale;
    std::iota(origin_.begin(), origin_.end(), 0U);
    if (tickets_.size() <= 1) {
        phase_ = Phase::Finished;
        return;
    }
    dropTicket();
}

void ClosingOptimizer::restart()
{
    // A cooling cycle that ends short of a complete closing, or a wait far longer than records
    // take, is mostly stuck in a valley; the recorded closing less another ticket starts the
    // next one somewhere else. Only the tickets that moved since the record are put back, one
    // per step, so that a long way back does not hold up Parar.
    backMoved_.clear();
    backMissing_.clear();
    std::vector<char> present(best_.size(), 0);
    for (std::size_t i = 0; i < tickets_.size(); ++i) {
        if (!(tickets_[i] == best_[origin_[i]])) backMoved_.push_back(static_cast<std::uint32_t>(i));
        present[origin_[i]] = 1;
    }
    for (std::size_t j = 0; j < best_.size(); ++j)
        if (!present[j]) backMissing_.push_back(static_cast<std::uint32_t>(j));
    backCursor_ = 0;
    goingBack_ = true;
    ++restarts_;
    returnedAt_ = moves_;
}

void ClosingOptimizer::goBack()
{
    if (backCursor_ < backMoved_.size()) {
        const std::uint32_t i = backMoved_[backCursor_++];
        replaceTicket(i, best_[origin_[i]]);
        return;
    }
    if (backCursor_ < backMoved_.size() + backMissing_.size()) {
        const std::uint32_t j = backMissing_[backCursor_++ - backMoved_.size()];
        addTicket(best_[j]);
        origin_.back() = j;
        return;
    }
    removeTicket(random_() % tickets_.size());
    goingBack_ = false;
}

void ClosingOptimizer::dropTicket()
{
    // The ticket that alone covers the fewest draws costs the least to lose.
    std::size_t chosen = 0;
    std::uint32_t fewest = ~std::uint32_t { 0 };
    int ties = 0;
    for (std::size_t i = 0; i < tickets_.size(); ++i) {
        const std::uint32_t sole = sole_[i];
        if (sole < fewest) {
            fewest = sole;
            chosen = i;
            ties = 1;
        } else if (sole == fewest && random_() % static_cast<std::uint64_t>(++ties) == 0) {
            chosen = i;
        }
    }
    removeTicket(chosen);
}

bool ClosingOptimizer::nextRound()
{
    if (setup_.acceptanceTarget > 0) {
        // A search that accepts too little is stuck in a valley, one that accepts too much
        // wanders without aim; the share between suits closings of every size alike.
        if (ownMoves_ < movesPerRound_) return false;
        const double accepted = static_cast<double>(ownAccepted_) / static_cast<double>(ownMoves_);
        temperature_ *= accepted < setup_.acceptanceTarget ? setup_.heatStep : 1 / setup_.heatStep;
        temperature_ = std::clamp(temperature_, 1e-3, 1e3);
        ownMoves_ = 0;
        ownAccepted_ = 0;
        if (setup_.stallFactor <= 0) return false;
        const double longest = setup_.stallFactor * cycleGrowth_
            * static_cast<double>(std::max(movesPerRound_, recordStretch_));
        if (static_cast<double>(moves_ - returnedAt_) < longest) return false;
        // Stuck: back to the record, less another ticket; each time that fails at this size,
        // the next wait is longer.
        cycleGrowth_ *= setup_.cycleGrowth;
        restart();
        return true;
    }
    if (roundMoves_
        < static_cast<std::uint64_t>(static_cast<double>(movesPerRound_) * cycleGrowth_))
        return false;
    roundMoves_ = 0;
    temperature_ *= setup_.cooling;
    if (temperature_ >= setup_.reheatBelow) return false;
    temperature_ = setup_.startTemperature;
    // Each cycle that fails at this size gets longer than the one before.
    cycleGrowth_ *= setup_.cycleGrowth;
    restart();
    return true;
}

void ClosingOptimizer::move()
{
    if (goingBack_) {
        goBack();
        return;
    }
    if (uncovered_.empty()) {
        record();
        return;
    }
    ++moves_;
    ++roundMoves_;
    ++ownMoves_;
    if (nextRound()) return;
    const std::uint64_t index = nextMove_++;
    const double at = heat();
    Oracle::Verdict verdict = Oracle::Verdict::Unknown;
    if (ahead_.index == index) {
        if (ahead_.version == version_ && ahead_.heat == at)
            verdict = ahead_.accepted ? Oracle::Verdict::Accepted : Oracle::Verdict::Refused;
        ahead_.index = ~std::uint64_t { 0 };
    } else if (oracle_) {
        verdict = oracle_->verdict(index, version_, at, false);
        if (verdict == Oracle::Verdict::Pending) {
            // While another thread judges this move, the next own one: its verdict stands
            // unless this one is made.
            const std::uint64_t next = oracle_->nextOwn(index);
            if (ahead_.index != next || ahead_.version != version_ || ahead_.heat != at)
                ahead_ = { next, version_, at, judgeMove(next, at) };
            verdict = oracle_->verdict(index, version_, at, true);
        }
    }
    if (verdict == Oracle::Verdict::Refused) {
        ++skipped_;
        return;
    }
    if (verdict == Oracle::Verdict::Accepted) {
        if (const Change* made = oracle_ ? oracle_->prepared(index, version_, at) : nullptr) {
            makeMove(*made);
            ++ownAccepted_;
            return;
        }
    }
    Candidate c;
    if (candidate(index, c) && judge(c.index, c.leaving, c.entering, c.u, at)) {
        apply(c.index, c.leaving, c.entering);
        ++ownAccepted_;
    }
}

bool ClosingOptimizer::judgeMove(std::uint64_t index, double heat)
{
    Candidate c;
    return candidate(index, c) && judge(c.index, c.leaving, c.entering, c.u, heat);
}

bool ClosingOptimizer::candidate(std::uint64_t move, Candidate& out)
{
    // The move's own stream (SplitMix64 from the seed and the move's index).
    std::uint64_t state = setup_.seed * SplitMix::kGamma + move * 0xD1B54A32D192ED03ULL;
    auto random = [&state] { return SplitMix::mix(state += SplitMix::kGamma); };
    // Aim at a random uncovered draw: a ticket that comes closest to it moves one number into
    // it, so every move covers at least that draw when the ticket was one number short.
    const TicketMask draw = uncoveredMasks_[static_cast<std::size_t>(random() % uncovered_.size())];
    int closest = -1;
    closest_.clear();
    for (std::size_t i = 0; i < tickets_.size(); ++i) {
        const int shared = common(tickets_[i], draw);
        if (shared < closest) continue;
        if (shared > closest) {
            closest = shared;
            closest_.clear();
        }
        closest_.push_back(static_cast<std::uint32_t>(i));
    }
    const std::uint32_t chosen = closest_[static_cast<std::size_t>(random() % closest_.size())];
    const TicketMask ticket = tickets_[chosen];
    int leaving[128], entering[128];
    int leavingCount = 0, enteringCount = 0;
    (ticket & ~draw).forEach([&](int number) { leaving[leavingCount++] = number - 1; });
    (draw & ~ticket).forEach([&](int number) { entering[enteringCount++] = number - 1; });
    if (!leavingCount || !enteringCount) return false;
    out.index = chosen;
    out.leaving = leaving[random() % static_cast<std::uint64_t>(leavingCount)];
    out.entering = entering[random() % static_cast<std::uint64_t>(enteringCount)];
    out.u = static_cast<double>(random() >> 11) * 0x1.0p-53;
    return true;
}

void ClosingOptimizer::listFamily(const TicketMask& ticket, int a, int b)
{
    // The draws whose cover by this ticket changes are {a} + L + H (lost) and {b} + L + H
    // (won), L taking least-1 of the ticket's other positions and H the rest of the draw from
    // outside the ticket, b excluded.
    inside_.clear();
    outside_.clear();
    for (int p = 0; p < n_; ++p) {
        if (p == a || p == b) continue;
        (ticket.has(p + 1) ? inside_ : outside_).push_back(p);
    }
    OptimizerDrawSpace::subsets(inside_, least_ - 1, lowSubsets_);
    OptimizerDrawSpace::subsets(outside_, m_ - least_, highSubsets_);
}

bool ClosingOptimizer::judge(std::size_t chosen, int a, int b, double u, double heat)
{
    const TicketMask ticket = tickets_[chosen];
    listFamily(ticket, a, b);
    TicketMask aMask, bMask;
    aMask.add(a + 1);
    bMask.add(b + 1);
    const std::size_t family = lowSubsets_.size() * highSubsets_.size();

    // The acceptance bound comes first, so that counting the losses can stop as soon as the
    // move is sure to be refused; most refused moves then cost a fraction of a full count.
    const double allowed = u > 0 ? -heat * std::log(u) : 1e300;
    auto refused = [&](int delta) { return delta > 0 && !(delta < allowed); };

    lossRanks_.clear();
    gainRanks_.clear();
    int gain = 0;
    if (uncovered_.size() < family) {
        for (const TicketMask& d : uncoveredMasks_)
            gain += d.has(b + 1) && !d.has(a + 1) && common(ticket, d) == least_ - 1;
    } else {
        for (const TicketMask& low : lowSubsets_)
            for (const TicketMask& high : highSubsets_) {
                const std::uint32_t r = space_.rank(low | high | bMask);
                gainRanks_.push_back(r);
                gain += level(r) == 0;
            }
    }
    int loss = 0;
    for (const TicketMask& low : lowSubsets_)
        for (const TicketMask& high : highSubsets_) {
            const std::uint32_t r = space_.rank(low | high | aMask);
            lossRanks_.push_back(r);
            if (level(r) == 1 && refused(++loss - gain)) return false;
        }
    return !refused(loss - gain);
}

void ClosingOptimizer::listRanks(int a, int b)
{
    // The family is the one judge() listed for this move, with the ranks it counted.
    TicketMask aMask, bMask;
    aMask.add(a + 1);
    bMask.add(b + 1);
    if (lossRanks_.empty())
        for (const TicketMask& low : lowSubsets_)
            for (const TicketMask& high : highSubsets_)
                lossRanks_.push_back(space_.rank(low | high | aMask));
    if (gainRanks_.empty())
        for (const TicketMask& low : lowSubsets_)
            for (const TicketMask& high : highSubsets_)
                gainRanks_.push_back(space_.rank(low | high | bMask));
}

void ClosingOptimizer::apply(std::size_t chosen, int a, int b)
{
    listRanks(a, b);
    TicketMask moved = tickets_[chosen];
    moved.remove(a + 1);
    moved.add(b + 1);
    moveTicket(static_cast<std::uint32_t>(chosen), moved, lossRanks_, gainRanks_);
    if (journal_) takeRanks(journal_->back());
}

void ClosingOptimizer::takeRanks(Change& change) const
{
    change.ranks.reserve(lossRanks_.size() + gainRanks_.size());
    change.ranks.assign(lossRanks_.begin(), lossRanks_.end());
    change.ranks.insert(change.ranks.end(), gainRanks_.begin(), gainRanks_.end());
    change.losses = static_cast<std::uint32_t>(lossRanks_.size());
}

void ClosingOptimizer::moveTicket(std::uint32_t id, const TicketMask& moved,
    std::span<const std::uint32_t> losses, std::span<const std::uint32_t> gains)
{
    // The draws the ticket stops covering, then those it starts to cover, in the order the
    // move found them, so that the counts and the list of uncovered draws come out the same
    // wherever the move is made. The counts are fetched a little ahead.
    constexpr std::size_t ahead = 16;
    for (std::size_t i = 0; i < losses.size(); ++i) {
        if (i + ahead < losses.size()) __builtin_prefetch(&covers_[losses[i + ahead]], 1);
        else if (i + ahead - losses.size() < gains.size())
            __builtin_prefetch(&covers_[gains[i + ahead - losses.size()]], 1);
        uncover(losses[i], id);
    }
    for (std::size_t i = 0; i < gains.size(); ++i) {
        if (i + ahead < gains.size()) __builtin_prefetch(&covers_[gains[i + ahead]], 1);
        cover(gains[i], id);
    }
    tickets_[id] = moved;
    journal(Change::Kind::Move, id, moved);
}

bool ClosingOptimizer::prepareMove(std::uint64_t index, double heat, Change& made)
{
    Candidate c;
    if (!candidate(index, c) || !judge(c.index, c.leaving, c.entering, c.u, heat)) return false;
    listRanks(c.leaving, c.entering);
    made.kind = Change::Kind::Move;
    made.index = c.index;
    made.ticket = tickets_[c.index];
    made.ticket.remove(c.leaving + 1);
    made.ticket.add(c.entering + 1);
    takeRanks(made);
    return true;
}

void ClosingOptimizer::makeMove(const Change& change)
{
    const std::span<const std::uint32_t> ranks(change.ranks);
    moveTicket(change.index, change.ticket, ranks.first(change.losses),
        ranks.subspan(change.losses));
    if (journal_) {
        Change& entry = journal_->back();
        entry.ranks = change.ranks;
        entry.losses = change.losses;
    }
}
