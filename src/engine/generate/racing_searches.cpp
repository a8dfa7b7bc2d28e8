#include "engine/generate/racing_searches.h"

#include "engine/base/split_mix.h"

#include <exception>

RacingSearches::RacingSearches(OptimizerRun& run, int threads)
    : run_(run)
    , leaderCopies_(static_cast<std::size_t>(threads))
{
    run.started(threads);
    try {
        for (int i = 0; i < threads; ++i)
            threads_.emplace_back([this, turn = static_cast<std::size_t>(i)] { race(turn); });
    } catch (...) {
        // No thread may outlive a half-built race.
        run.stop.store(true);
        run.done.store(true);
        join();
        throw;
    }
}

void RacingSearches::join()
{
    for (std::thread& thread : threads_)
        if (thread.joinable()) thread.join();
}

void RacingSearches::recordRace(const ClosingOptimizer& search, std::size_t turn)
{
    if (run_.bestSize.load() > 0 && search.bestSize() >= run_.bestSize.load()) return;
    std::lock_guard lock(run_.recordLock);
    if (run_.bestSize.load() > 0 && search.bestSize() >= run_.bestSize.load()) return;
    // The search as it stands right after its record, for the others to take over: into the
    // copy of this thread's that is not the leader.
    auto& copies = leaderCopies_[turn];
    auto& copy = copies[copies[0].get() == leader_];
    if (copy)
        *copy = search;
    else
        copy = std::make_unique<ClosingOptimizer>(search);
    leader_ = copy.get();
    run_.storeRecord(search);
}

void RacingSearches::race(std::size_t turn)
{
    // The stream of the turn-th search, after it took over `taken` closings; the first search
    // starts from the setup's own seed, as a single thread does.
    auto seedOf = [this, turn](std::uint64_t taken) {
        if (turn == 0 && taken == 0) return run_.setup.seed;
        return SplitMix::mix(run_.setup.seed + SplitMix::kGamma * (turn * 0x10000 + taken + 1));
    };
    try {
        ClosingOptimizer::Setup setup = run_.setup;
        setup.seed = seedOf(0);
        auto search = std::make_unique<ClosingOptimizer>(setup, run_.closing);
        std::uint64_t taken = 0, steps = 0;
        // Moves and restarts of this thread's earlier searches, and those published so far.
        std::uint64_t movesBefore = 0, restartsBefore = 0, movesShown = 0, restartsShown = 0;
        auto publishOwn = [&] {
            const std::uint64_t moves = movesBefore + search->moves();
            const std::uint64_t restarts = restartsBefore + search->restarts();
            run_.moves.fetch_add(moves - movesShown);
            run_.restarts.fetch_add(restarts - restartsShown);
            movesShown = moves;
            restartsShown = restarts;
            if (turn != 0) return;
            run_.completion.store(static_cast<int>(search->completionProgress() * 1000));
            run_.current.store(search->hasComplete() ? search->currentSize() : 0);
            run_.uncovered.store(search->uncoveredCount());
        };
        int recorded = 0;
        while (search->phase() != ClosingOptimizer::Phase::Finished && !run_.done.load()) {
            if (run_.stop.load()) break;
            search->step();
            if (++steps % OptimizerRun::publishEvery == 0) publishOwn();
            if (search->hasComplete() && search->bestSize() != recorded) {
                recorded = search->bestSize();
                recordRace(*search, turn);
            }
            // Behind the smallest closing found: on from the search that found it, with a
            // fresh stream. Copying its state takes far less than counting its tickets.
            const int best = run_.bestSize.load();
            if (best == 0 || (search->hasComplete() && best >= search->bestSize())) continue;
            movesBefore += search->moves();
            restartsBefore += search->restarts();
            {
                std::lock_guard lock(run_.recordLock);
                *search = *leader_;
            }
            movesBefore -= search->moves();
            restartsBefore -= search->restarts();
            search->reseed(seedOf(++taken));
            recorded = search->bestSize();
        }
        publishOwn();
    } catch (const std::exception&) {
        // Memory, in practice; the record stays and the other searches go on.
        run_.failed.store(true);
    }
    run_.threadEnded();
}
