#pragma once

#include "generate/optimizer_search.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Runs the closing search on worker threads, in one of two ways.
//
// Race: every thread runs a search of its own, from a random stream of its own. The search
// that makes a record leaves a copy of itself as it stands; a search that falls behind copies
// it and goes on from there with a fresh stream. Each search runs at full speed, and every new
// size is a race between them; on a small draw space, where copying the counts is quick, this
// reaches a given size soonest.
//
// Mirror: the first thread owns the one search; each other one keeps a mirror of its counts,
// follows its journal of changes and judges, ahead of the search, the moves whose turn is its
// own (every threads-th move). The search takes a verdict when it was reached on the tickets
// it holds at the heat it runs at, and judges the move itself otherwise; a move a mirror found
// to be made, it makes from the change the mirror prepared, without judging it again. As
// nearly every move is refused, the search then gets through about as many moves per second
// as there are threads, on the very path one thread would take. On a large draw space, where
// taking a closing over takes long and sizes fall often, this does better.
//
// Other threads only read the progress figures and the record, behind atomics or the record's
// lock; the destructor stops and joins every thread.
class ParallelOptimizer
{
public:
    enum class Mode {
        Auto, // Race up to raceDraws draws, Mirror above
        Mirror,
        Race
    };
    static constexpr std::uint32_t raceDraws = 1000000;
    // threads 0: one per core, fewer when memory does not hold that many copies of the counts
    // (three per thread when racing).
    ParallelOptimizer(ClosingOptimizer::Setup setup, std::vector<TicketMask> closing,
        int threads = 0, Mode mode = Mode::Auto);
    ~ParallelOptimizer();
    ParallelOptimizer(const ParallelOptimizer&) = delete;
    ParallelOptimizer& operator=(const ParallelOptimizer&) = delete;

    static int cores();
    // How many copies of this setup's counts fit in the machine's memory, at most `wanted`.
    static int threadsFor(const ClosingOptimizer::Setup& setup, int wanted);

    // Ends the search after its current step. Stopped before any closing was complete, it
    // leaves none (hasComplete() stays false).
    void stop();
    // True once every thread has ended (stopped, or down to one ticket).
    bool finished() const { return running_.load() == 0; }
    // Waits up to `ms` milliseconds for the threads to end; returns finished().
    bool waitFor(int ms);
    void wait();

    int threads() const { return static_cast<int>(workers_.size()); }
    Mode mode() const { return mode_; }
    bool hasComplete() const { return bestSize_.load() > 0; }
    int bestSize() const { return bestSize_.load(); }
    int firstCompleteSize() const { return firstComplete_.load(); }
    // The size being tried, and how many draws it leaves uncovered.
    int currentSize() const { return current_.load(); }
    std::size_t uncoveredCount() const { return static_cast<std::size_t>(uncovered_.load()); }
    double completionProgress() const { return completion_.load() / 1000.0; }
    // Moves judged, by every thread (every search, when racing).
    std::uint64_t moves() const { return moves_.load(); }
    std::uint64_t restarts() const { return restarts_.load(); }
    std::uint32_t drawCount() const { return drawCount_; }
    bool failed() const { return failed_.load(); } // the search ended on an error (memory)
    // The smallest complete closing found, as tickets of the lottery's numbers.
    std::vector<TicketMask> bestClosing() const;

private:
    // What a mirror has judged, in one word: the last move judged (low 36 bits), the version
    // of the tickets (low 16 bits) and the heat's epoch (low 11 bits) it was judged on, and
    // whether it would be made. On one version at one heat a mirror judges its turns in order
    // from where the search was when it took them up, and stops at a move it would make; so
    // every earlier move of its turn on them was refused, and the search, keeping the last
    // word it read, reads the mirror's again only once it has gone past it.
    static std::uint64_t verdictWord(
        std::uint64_t index, std::uint64_t version, std::uint64_t epoch, bool accepted)
    {
        return (index & indexMask) << 28 | (version & 0xFFFFU) << 12 | (epoch & 0x7FFU) << 1
            | static_cast<std::uint64_t>(accepted);
    }
    static constexpr std::uint64_t indexMask = 0xFFFFFFFFFULL;
    static constexpr std::uint64_t keyBits = 0xFFFFFFEULL; // version and epoch
    struct Worker {
        std::thread thread;
        // The search's changes not yet replayed by this mirror.
        std::mutex inboxLock;
        std::vector<ClosingOptimizer::Change> inbox;
        std::atomic<bool> following { true }; // false once the mirror has ended
        // The move being judged, or the last one judged; and the word above.
        alignas(64) std::atomic<std::uint64_t> judging { ~std::uint64_t { 0 } };
        std::atomic<std::uint64_t> judged { ~std::uint64_t { 0 } };
        // The change of the move the mirror stopped at, and the word of that move, written
        // before `judged`; the mirror writes the change again only once the search has
        // moved on to other tickets or another heat.
        ClosingOptimizer::Change made;
        std::atomic<std::uint64_t> madeWord { ~std::uint64_t { 0 } };
        // The search's copy of `judged`, on a line of its own.
        alignas(64) std::uint64_t seen = ~std::uint64_t { 0 };
    };
    class Oracle;
    void search();
    void mirror(Worker& worker, std::size_t turn);
    void race(std::size_t turn);
    ClosingOptimizer::Oracle::Verdict verdict(
        std::uint64_t index, std::uint64_t version, double heat, bool wait);
    const ClosingOptimizer::Change* prepared(std::uint64_t index, std::uint64_t version);
    void record(const ClosingOptimizer& optimizer);
    void recordRace(const ClosingOptimizer& optimizer, std::size_t turn);
    void publish(const ClosingOptimizer& optimizer);
    void workerEnded();

    ClosingOptimizer::Setup setup_;
    std::vector<TicketMask> closing_;
    Mode mode_ = Mode::Mirror;
    std::uint32_t drawCount_ = 0;
    std::vector<std::unique_ptr<Worker>> workers_;
    std::atomic<bool> stop_ { false };
    std::atomic<bool> done_ { false }; // the search has ended: mirrors end too
    std::atomic<bool> failed_ { false };
    std::atomic<int> running_ { 0 };
    std::atomic<int> bestSize_ { 0 };
    std::atomic<int> firstComplete_ { 0 };
    // The search's progress, as last published.
    std::atomic<int> completion_ { 0 }; // per mille
    std::atomic<int> current_ { 0 };
    std::atomic<std::uint64_t> uncovered_ { 0 };
    std::atomic<std::uint64_t> moves_ { 0 };
    std::atomic<std::uint64_t> restarts_ { 0 };
    // What the search tells the mirrors, on a cache line of its own: the move it is at and
    // the heat it judges at.
    alignas(64) std::atomic<std::uint64_t> searchAt_ { 0 };
    // The heat, and its epoch: twice the times it has changed, odd while it changes.
    alignas(64) std::atomic<double> heat_ { 0 };
    std::atomic<std::uint64_t> heatEpoch_ { 0 };
    alignas(64) std::atomic<std::uint64_t> handed_ { 0 }; // version of the last hand-over
    double heatShown_ = 0; // the search's own copies of heat_ and heatEpoch_
    std::uint64_t epochShown_ = 0;
    mutable std::mutex recordLock_;
    std::vector<TicketMask> record_; // bet positions, under recordLock_
    // Racing, under recordLock_: the search that made the record, right after it; it is one
    // of the two copies each thread keeps.
    const ClosingOptimizer* leader_ = nullptr;
    std::vector<std::array<std::unique_ptr<ClosingOptimizer>, 2>> leaderCopies_;
    std::mutex endLock_;
    std::condition_variable ended_;
};
