#pragma once

#include "engine/generate/optimizer_run.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// One search whose mirrors judge its moves ahead of it. The first thread owns the search; each
// other one keeps a mirror of its counts, follows its journal of changes and judges, ahead of
// the search, the moves whose turn is its own (every threads-th move). The search takes a
// verdict when it was reached on the tickets it holds at the heat it runs at, and judges the
// move itself otherwise; a move a mirror found to be made, it makes from the change the mirror
// prepared, without judging it again. As nearly every move is refused, the search then gets
// through about as many moves per second as there are threads, on the very path one thread
// would take. On a large draw space, where taking a closing over takes long and sizes fall
// often, this does better than racing. With one thread it is the plain search.
class MirroredSearch
{
public:
    // Starts the search and threads - 1 mirrors; the destructor joins them (the run's `done`
    // ends them).
    MirroredSearch(OptimizerRun& run, int threads);
    ~MirroredSearch() { join(); }
    MirroredSearch(const MirroredSearch&) = delete;
    MirroredSearch& operator=(const MirroredSearch&) = delete;

    void join();
    int threads() const { return static_cast<int>(workers_.size()); }

private:
    // What a mirror has judged, in one word: the last move judged (low 36 bits), the version
    // of the tickets (low 16 bits) and the heat's epoch (low 11 bits) it was judged on, and
    // whether it would be made. On one version at one heat a mirror judges its turns in order
    // from where the search was when it took them up, and stops at a move it would make; so
    // every earlier move of its turn on them was refused, and the search, keeping the last
    // word it read, reads the mirror's again only once it has gone past it.
    //
    // The fields wrap. A stale word could pass for a current one only if its mirror published
    // nothing while the search made a multiple of 2^16 changes with fewer than lookAhead moves
    // among them (the index only grows, and a mirror judges at most lookAhead moves ahead), or
    // made a multiple of 2^36 moves (some twenty hours at a million moves a second). A mirror
    // replays every change handed to it before it judges again, so only a mirror kept off its
    // core that long could leave such a word; and even then nothing unsound leaves the run: a
    // wrong refusal only changes the path, a wrong acceptance makes a move prepared on other
    // tickets, and every closing the optimizer hands out is counted again by the independent
    // check, which turns down one whose counts went wrong.
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
        // The change of the move the mirror stopped at, and the word of that move. `made` is a
        // plain object that two threads use, safely: the mirror writes it only when it judges a
        // move to be made, before its release store of `madeWord`; the search reads it only
        // after an acquire load of `madeWord` that matches the move it is at. Having written
        // it, the mirror stops, and judges (and writes `made`) again only once the search has
        // handed over a newer version or published a newer heat, which it does only after it
        // is done with that move; so the two never touch `made` at once.
        ClosingOptimizer::Change made;
        std::atomic<std::uint64_t> madeWord { ~std::uint64_t { 0 } };
        // The search's copy of `judged`, on a line of its own.
        alignas(64) std::uint64_t seen = ~std::uint64_t { 0 };
    };
    class Oracle;
    void search();
    void mirror(Worker& worker, std::size_t turn);
    ClosingOptimizer::Oracle::Verdict verdict(
        std::uint64_t index, std::uint64_t version, double heat, bool wait);
    const ClosingOptimizer::Change* prepared(std::uint64_t index, std::uint64_t version);
    void record(const ClosingOptimizer& search);

    OptimizerRun& run_;
    std::vector<std::unique_ptr<Worker>> workers_;
    // What the search tells the mirrors, on a cache line of its own: the move it is at and
    // the heat it judges at.
    alignas(64) std::atomic<std::uint64_t> searchAt_ { 0 };
    // The heat, and its epoch: twice the times it has changed, odd while it changes.
    alignas(64) std::atomic<double> heat_ { 0 };
    std::atomic<std::uint64_t> heatEpoch_ { 0 };
    alignas(64) std::atomic<std::uint64_t> handed_ { 0 }; // version of the last hand-over
    double heatShown_ = 0; // the search's own copies of heat_ and heatEpoch_
    std::uint64_t epochShown_ = 0;
};
