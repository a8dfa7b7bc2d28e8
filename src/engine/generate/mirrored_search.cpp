#include "engine/generate/mirrored_search.h"

#include <algorithm>
#include <chrono>
#include <exception>
#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {
// How far ahead of the search a mirror judges, in moves.
constexpr std::uint64_t lookAhead = 128;
// How long the search waits for a verdict a mirror is working on before judging the move
// itself, in spins of a few dozen cycles.
constexpr int patience = 2000;
// Moves a mirror judges between two looks at where the search is.
constexpr int lookEvery = 8;

void relax()
{
#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__)
    _mm_pause();
#else
    std::this_thread::yield();
#endif
}
} // namespace

// The search's oracle: the mirrors' verdicts.
class MirroredSearch::Oracle : public ClosingOptimizer::Oracle
{
public:
    explicit Oracle(MirroredSearch& driver)
        : driver_(driver)
    {
    }
    Verdict verdict(std::uint64_t index, std::uint64_t version, double heat, bool wait) override
    {
        return driver_.verdict(index, version, heat, wait);
    }
    const ClosingOptimizer::Change* prepared(
        std::uint64_t index, std::uint64_t version, double) override
    {
        // Asked right after verdict(), which published the heat.
        return driver_.prepared(index, version);
    }
    std::uint64_t nextOwn(std::uint64_t index) override
    {
        const std::uint64_t threads = driver_.workers_.size();
        return (index / threads + 1) * threads;
    }

private:
    MirroredSearch& driver_;
};

MirroredSearch::MirroredSearch(OptimizerRun& run, int threads)
    : run_(run)
{
    run.started(threads);
    for (int i = 0; i < threads; ++i)
        workers_.push_back(std::make_unique<Worker>());
    for (int i = 0; i < threads; ++i) {
        Worker& worker = *workers_[static_cast<std::size_t>(i)];
        const auto turn = static_cast<std::size_t>(i);
        try {
            if (i == 0)
                worker.thread = std::thread([this] { search(); });
            else
                worker.thread = std::thread([this, &worker, turn] { mirror(worker, turn); });
        } catch (...) {
            // No thread may outlive a half-built search.
            run.stop.store(true);
            run.done.store(true);
            join();
            throw;
        }
    }
}

void MirroredSearch::join()
{
    for (const auto& worker : workers_)
        if (worker->thread.joinable()) worker->thread.join();
}

void MirroredSearch::record(const ClosingOptimizer& search)
{
    std::lock_guard lock(run_.recordLock);
    run_.storeRecord(search);
}

ClosingOptimizer::Oracle::Verdict MirroredSearch::verdict(
    std::uint64_t index, std::uint64_t version, double heat, bool wait)
{
    using Verdict = ClosingOptimizer::Oracle::Verdict;
    searchAt_.store(index, std::memory_order_release);
    if (heat != heatShown_) {
        heatShown_ = heat;
        epochShown_ += 2;
        heatEpoch_.store(epochShown_ - 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        heat_.store(heat, std::memory_order_relaxed);
        heatEpoch_.store(epochShown_, std::memory_order_release);
    }
    const std::size_t turn = index % workers_.size();
    if (turn == 0) return Verdict::Unknown;
    Worker& worker = *workers_[turn];
    const std::uint64_t key = verdictWord(0, version, epochShown_, false);
    const std::uint64_t at = index & indexMask;
    // Known when the mirror has gone as far as this move on these tickets at this heat.
    auto known = [&](std::uint64_t word) { return (word & keyBits) == key && (word >> 28) >= at; };
    auto answer = [&](std::uint64_t word) {
        return (word >> 28) == at && (word & 1) ? Verdict::Accepted : Verdict::Refused;
    };
    if (known(worker.seen)) return answer(worker.seen);
    for (int spin = 0;; ++spin) {
        worker.seen = worker.judged.load(std::memory_order_acquire);
        if (known(worker.seen)) return answer(worker.seen);
        // Waiting pays only for a verdict on its way.
        if (spin >= patience || worker.judging.load(std::memory_order_acquire) != index)
            return Verdict::Unknown;
        if (!wait) return Verdict::Pending;
        relax();
    }
}

const ClosingOptimizer::Change* MirroredSearch::prepared(std::uint64_t index, std::uint64_t version)
{
    const std::size_t turn = index % workers_.size();
    if (turn == 0) return nullptr;
    Worker& worker = *workers_[turn];
    const std::uint64_t word = verdictWord(index, version, epochShown_, true);
    return worker.madeWord.load(std::memory_order_acquire) == word ? &worker.made : nullptr;
}

void MirroredSearch::search()
{
    try {
        ClosingOptimizer optimizer(run_.setup, run_.closing);
        const bool mirrored = workers_.size() > 1;
        std::vector<ClosingOptimizer::Change> journal;
        Oracle oracle(*this);
        if (mirrored) {
            optimizer.journalTo(&journal);
            optimizer.consult(&oracle);
        }
        auto handOver = [&] {
            if (journal.empty()) return;
            for (std::size_t i = 1; i < workers_.size(); ++i) {
                Worker& worker = *workers_[i];
                if (!worker.following.load()) continue;
                std::lock_guard lock(worker.inboxLock);
                if (i + 1 < workers_.size())
                    worker.inbox.insert(worker.inbox.end(), journal.begin(), journal.end());
                else // the last one takes the changes themselves
                    worker.inbox.insert(worker.inbox.end(),
                        std::make_move_iterator(journal.begin()),
                        std::make_move_iterator(journal.end()));
            }
            journal.clear();
            handed_.store(optimizer.version(), std::memory_order_release);
        };
        int recorded = 0;
        std::uint64_t steps = 0;
        while (optimizer.phase() != ClosingOptimizer::Phase::Finished && !run_.done.load()) {
            if (run_.stop.load()) break;
            optimizer.step();
            // Changes go to the mirrors at once: until a mirror has them, its verdicts are
            // on tickets the search no longer holds.
            handOver();
            if (optimizer.hasComplete() && optimizer.bestSize() != recorded) {
                recorded = optimizer.bestSize();
                record(optimizer);
            }
            if (++steps % OptimizerRun::publishEvery == 0) run_.publish(optimizer);
        }
        run_.publish(optimizer);
    } catch (const std::exception&) {
        // Memory, in practice: nothing else the search does throws. The record stays; the
        // thread must not take the program down.
        run_.failed.store(true);
    }
    run_.done.store(true);
    run_.threadEnded();
}

void MirroredSearch::mirror(Worker& worker, std::size_t turn)
{
    try {
        ClosingOptimizer copy(run_.setup, {});
        std::vector<ClosingOptimizer::Change> changes;
        std::uint64_t next = 0; // the next move of this mirror's turn to judge
        std::uint64_t judgedAt = ~std::uint64_t { 0 }; // the version `next` counts on
        std::uint64_t judgedEpoch = ~std::uint64_t { 0 }; // and the heat's epoch
        bool stopped = false; // at a move the search is to make
        std::uint64_t at = 0; // where the search was when last looked at
        int sinceLook = 0;
        // The search's figures are read only now and then: each read of a figure the search
        // has written since costs a trip between the cores.
        while (!run_.done.load(std::memory_order_relaxed)) {
            if (handed_.load(std::memory_order_acquire) != copy.version()) {
                {
                    std::lock_guard lock(worker.inboxLock);
                    changes.swap(worker.inbox);
                }
                for (const ClosingOptimizer::Change& change : changes)
                    copy.replay(change);
                changes.clear();
            }
            if (!copy.canJudge()) {
                // Nothing to judge until the search starts moving tickets.
                std::this_thread::sleep_for(std::chrono::microseconds(50));
                continue;
            }
            // After a change of the tickets or the heat every verdict is to be reached again,
            // from where the search is. The heat is read between two reads of its epoch, so
            // that a verdict never bears an epoch other than its heat's.
            const std::uint64_t epoch = heatEpoch_.load(std::memory_order_acquire);
            const double heat = heat_.load(std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_acquire);
            if (epoch & 1 || heatEpoch_.load(std::memory_order_relaxed) != epoch) continue;
            if (copy.version() != judgedAt || epoch != judgedEpoch) {
                judgedAt = copy.version();
                judgedEpoch = epoch;
                next = 0;
                sinceLook = lookEvery;
                stopped = false;
            }
            if (stopped) {
                relax();
                continue;
            }
            if (sinceLook >= lookEvery || next >= at + lookAhead) {
                at = searchAt_.load(std::memory_order_acquire);
                sinceLook = 0;
            }
            std::uint64_t index = std::max(next, at);
            index += (turn + workers_.size() - index % workers_.size()) % workers_.size();
            if (index >= at + lookAhead) {
                relax();
                continue;
            }
            ++sinceLook;
            worker.judging.store(index, std::memory_order_release);
            const bool accepted = copy.prepareMove(index, heat, worker.made);
            if (accepted)
                worker.madeWord.store(
                    verdictWord(index, copy.version(), epoch, true), std::memory_order_release);
            worker.judged.store(
                verdictWord(index, copy.version(), epoch, accepted), std::memory_order_release);
            // Past a move the search is to make, these tickets are not the search's.
            stopped = accepted;
            next = index + workers_.size();
        }
    } catch (const std::exception&) {
        // A mirror that runs out of memory ends; the search goes on without it.
    }
    worker.following.store(false);
    {
        std::lock_guard lock(worker.inboxLock);
        worker.inbox.clear();
        worker.inbox.shrink_to_fit();
    }
    run_.threadEnded();
}
