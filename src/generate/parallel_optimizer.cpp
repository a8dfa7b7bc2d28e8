#include "generate/parallel_optimizer.h"

#include <algorithm>
#include <chrono>
#include <exception>
#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {
// Search steps between two updates of the progress figures.
constexpr std::uint64_t publishEvery = 64;
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
class ParallelOptimizer::Oracle : public ClosingOptimizer::Oracle
{
public:
    explicit Oracle(ParallelOptimizer& driver)
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
    ParallelOptimizer& driver_;
};

ParallelOptimizer::ParallelOptimizer(
    ClosingOptimizer::Setup setup, std::vector<TicketMask> closing, int threads, Mode mode)
    : setup_(std::move(setup))
    , closing_(std::move(closing))
{
    drawCount_ = static_cast<std::uint32_t>(
        OptimizerDrawSpace::count(static_cast<int>(setup_.selected.size()), setup_.C - setup_.F));
    mode_ = mode != Mode::Auto ? mode : drawCount_ <= raceDraws ? Mode::Race : Mode::Mirror;
    const int wanted = threads > 0 ? threads : cores();
    int count = threadsFor(setup_, wanted);
    // A racing search also keeps two copies of itself for the others to take over.
    if (count > 1 && mode_ == Mode::Race) count = std::max(1, threadsFor(setup_, 3 * wanted) / 3);
    if (count > 1 && mode_ == Mode::Race) leaderCopies_.resize(static_cast<std::size_t>(count));
    running_.store(count);
    for (int i = 0; i < count; ++i)
        workers_.push_back(std::make_unique<Worker>());
    for (int i = 0; i < count; ++i) {
        Worker& worker = *workers_[static_cast<std::size_t>(i)];
        const auto turn = static_cast<std::size_t>(i);
        try {
            if (count > 1 && mode_ == Mode::Race)
                worker.thread = std::thread([this, turn] { race(turn); });
            else if (i == 0)
                worker.thread = std::thread([this] { search(); });
            else
                worker.thread = std::thread([this, &worker, turn] { mirror(worker, turn); });
        } catch (...) {
            // No thread may outlive a half-built driver.
            stop_.store(true);
            done_.store(true);
            for (const auto& started : workers_)
                if (started->thread.joinable()) started->thread.join();
            throw;
        }
    }
}

ParallelOptimizer::~ParallelOptimizer()
{
    stop_.store(true);
    done_.store(true);
    for (const auto& worker : workers_)
        if (worker->thread.joinable()) worker->thread.join();
}

int ParallelOptimizer::cores()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

int ParallelOptimizer::threadsFor(const ClosingOptimizer::Setup& setup, int wanted)
{
    const std::uint64_t each = std::max<std::uint64_t>(1, ClosingOptimizer::memoryNeeded(setup));
    const std::uint64_t fit = ClosingOptimizer::availableMemory() / each;
    return static_cast<int>(std::clamp<std::uint64_t>(fit, 1, std::max(wanted, 1)));
}

void ParallelOptimizer::stop()
{
    stop_.store(true);
}

bool ParallelOptimizer::waitFor(int ms)
{
    std::unique_lock lock(endLock_);
    return ended_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return finished(); });
}

void ParallelOptimizer::wait()
{
    for (const auto& worker : workers_)
        if (worker->thread.joinable()) worker->thread.join();
}

void ParallelOptimizer::workerEnded()
{
    {
        std::lock_guard lock(endLock_);
        running_.fetch_sub(1);
    }
    ended_.notify_all();
}

void ParallelOptimizer::record(const ClosingOptimizer& optimizer)
{
    std::lock_guard lock(recordLock_);
    record_ = optimizer.bestPositions();
    if (!firstComplete_.load()) firstComplete_.store(optimizer.firstCompleteSize());
    bestSize_.store(optimizer.bestSize());
}

void ParallelOptimizer::publish(const ClosingOptimizer& optimizer)
{
    completion_.store(static_cast<int>(optimizer.completionProgress() * 1000));
    current_.store(optimizer.hasComplete() ? optimizer.currentSize() : 0);
    uncovered_.store(optimizer.uncoveredCount());
    moves_.store(optimizer.moves());
    restarts_.store(optimizer.restarts());
}

ClosingOptimizer::Oracle::Verdict ParallelOptimizer::verdict(
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
    auto known = [&](std::uint64_t word) {
        return (word & keyBits) == key && (word >> 28) >= at;
    };
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

const ClosingOptimizer::Change* ParallelOptimizer::prepared(
    std::uint64_t index, std::uint64_t version)
{
    const std::size_t turn = index % workers_.size();
    if (turn == 0) return nullptr;
    Worker& worker = *workers_[turn];
    const std::uint64_t word = verdictWord(index, version, epochShown_, true);
    return worker.madeWord.load(std::memory_order_acquire) == word ? &worker.made : nullptr;
}

void ParallelOptimizer::search()
{
    try {
        ClosingOptimizer optimizer(setup_, closing_);
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
                    worker.inbox.insert(worker.inbox.end(), std::make_move_iterator(journal.begin()),
                        std::make_move_iterator(journal.end()));
            }
            journal.clear();
            handed_.store(optimizer.version(), std::memory_order_release);
        };
        int recorded = 0;
        std::uint64_t steps = 0;
        while (optimizer.phase() != ClosingOptimizer::Phase::Finished && !done_.load()) {
            if (stop_.load()) break;
            optimizer.step();
            // Changes go to the mirrors at once: until a mirror has them, its verdicts are
            // on tickets the search no longer holds.
            handOver();
            if (optimizer.hasComplete() && optimizer.bestSize() != recorded) {
                recorded = optimizer.bestSize();
                record(optimizer);
            }
            if (++steps % publishEvery == 0) publish(optimizer);
        }
        publish(optimizer);
    } catch (const std::exception&) {
        // Memory, in practice: nothing else the search does throws. The record stays; the
        // thread must not take the program down.
        failed_.store(true);
    }
    done_.store(true);
    workerEnded();
}

void ParallelOptimizer::mirror(Worker& worker, std::size_t turn)
{
    try {
        ClosingOptimizer copy(setup_, {});
        std::vector<ClosingOptimizer::Change> changes;
        std::uint64_t next = 0; // the next move of this mirror's turn to judge
        std::uint64_t judgedAt = ~std::uint64_t { 0 }; // the version `next` counts on
        std::uint64_t judgedEpoch = ~std::uint64_t { 0 }; // and the heat's epoch
        bool stopped = false; // at a move the search is to make
        std::uint64_t at = 0; // where the search was when last looked at
        int sinceLook = 0;
        // The search's figures are read only now and then: each read of a figure the search
        // has written since costs a trip between the cores.
        while (!done_.load(std::memory_order_relaxed)) {
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
                worker.madeWord.store(verdictWord(index, copy.version(), epoch, true),
                    std::memory_order_release);
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
    workerEnded();
}

void ParallelOptimizer::recordRace(const ClosingOptimizer& optimizer, std::size_t turn)
{
    if (bestSize_.load() > 0 && optimizer.bestSize() >= bestSize_.load()) return;
    std::lock_guard lock(recordLock_);
    if (bestSize_.load() > 0 && optimizer.bestSize() >= bestSize_.load()) return;
    // The search as it stands right after its record, for the others to take over: into the
    // copy of this thread's that is not the leader, so that after the first two the counts
    // are copied, not allocated again. Copies are read under the lock only.
    auto& copies = leaderCopies_[turn];
    auto& copy = copies[copies[0].get() == leader_];
    if (copy)
        *copy = optimizer;
    else
        copy = std::make_unique<ClosingOptimizer>(optimizer);
    leader_ = copy.get();
    record_ = optimizer.bestPositions();
    if (!firstComplete_.load()) firstComplete_.store(optimizer.firstCompleteSize());
    bestSize_.store(optimizer.bestSize());
}

void ParallelOptimizer::race(std::size_t turn)
{
    // The stream of the turn-th search, after it took over `taken` closings; the first search
    // starts from the setup's own seed, as a single thread does.
    auto seedOf = [this, turn](std::uint64_t taken) {
        if (turn == 0 && taken == 0) return setup_.seed;
        std::uint64_t z = setup_.seed + 0x9E3779B97F4A7C15ULL * (turn * 0x10000 + taken + 1);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    };
    try {
        ClosingOptimizer::Setup setup = setup_;
        setup.seed = seedOf(0);
        auto optimizer = std::make_unique<ClosingOptimizer>(setup, closing_);
        std::uint64_t taken = 0, steps = 0;
        // Moves and restarts of this thread's earlier searches, and those published so far.
        std::uint64_t movesBefore = 0, restartsBefore = 0, movesShown = 0, restartsShown = 0;
        auto publishOwn = [&] {
            const std::uint64_t moves = movesBefore + optimizer->moves();
            const std::uint64_t restarts = restartsBefore + optimizer->restarts();
            moves_.fetch_add(moves - movesShown);
            restarts_.fetch_add(restarts - restartsShown);
            movesShown = moves;
            restartsShown = restarts;
            if (turn != 0) return;
            completion_.store(static_cast<int>(optimizer->completionProgress() * 1000));
            current_.store(optimizer->hasComplete() ? optimizer->currentSize() : 0);
            uncovered_.store(optimizer->uncoveredCount());
        };
        int recorded = 0;
        while (optimizer->phase() != ClosingOptimizer::Phase::Finished && !done_.load()) {
            if (stop_.load()) break;
            optimizer->step();
            if (++steps % publishEvery == 0) publishOwn();
            if (optimizer->hasComplete() && optimizer->bestSize() != recorded) {
                recorded = optimizer->bestSize();
                recordRace(*optimizer, turn);
            }
            // Behind the smallest closing found: on from the search that found it, with a
            // fresh stream. Copying its state takes far less than counting its tickets.
            const int best = bestSize_.load();
            if (best == 0 || (optimizer->hasComplete() && best >= optimizer->bestSize())) continue;
            movesBefore += optimizer->moves();
            restartsBefore += optimizer->restarts();
            {
                std::lock_guard lock(recordLock_);
                *optimizer = *leader_;
            }
            movesBefore -= optimizer->moves();
            restartsBefore -= optimizer->restarts();
            optimizer->reseed(seedOf(++taken));
            recorded = optimizer->bestSize();
        }
        publishOwn();
    } catch (const std::exception&) {
        // Memory, in practice; the record stays and the other searches go on.
        failed_.store(true);
    }
    workerEnded();
}

std::vector<TicketMask> ParallelOptimizer::bestClosing() const
{
    std::lock_guard lock(recordLock_);
    return ClosingOptimizer::toNumbers(setup_, record_);
}
