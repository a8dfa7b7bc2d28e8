#include "engine/generate/optimizer_run.h"

#include <chrono>

OptimizerRun::OptimizerRun(ClosingOptimizer::Setup setupIn, std::vector<TicketMask> closingIn)
    : setup(std::move(setupIn))
    , closing(std::move(closingIn))
    , drawCount(static_cast<std::uint32_t>(
          OptimizerDrawSpace::count(static_cast<int>(setup.selected.size()), setup.C - setup.F)))
{
}

void OptimizerRun::publish(const ClosingOptimizer& search)
{
    completion.store(static_cast<int>(search.completionProgress() * 1000));
    current.store(search.hasComplete() ? search.currentSize() : 0);
    uncovered.store(search.uncoveredCount());
    moves.store(search.moves());
    restarts.store(search.restarts());
}

void OptimizerRun::storeRecord(const ClosingOptimizer& search)
{
    record = search.bestPositions();
    if (!firstComplete.load()) firstComplete.store(search.firstCompleteSize());
    bestSize.store(search.bestSize());
}

void OptimizerRun::threadEnded()
{
    {
        std::lock_guard lock(endLock_);
        running_.fetch_sub(1);
    }
    ended_.notify_all();
}

bool OptimizerRun::waitFor(int ms)
{
    std::unique_lock lock(endLock_);
    return ended_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return finished(); });
}
