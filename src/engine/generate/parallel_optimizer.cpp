#include "engine/generate/parallel_optimizer.h"

#include "engine/generate/mirrored_search.h"
#include "engine/generate/optimizer_run.h"
#include "engine/generate/racing_searches.h"

#include <algorithm>
#include <thread>

ParallelOptimizer::ParallelOptimizer(
    ClosingOptimizer::Setup setup, std::vector<TicketMask> closing, int threads, Mode mode)
    : run_(std::make_unique<OptimizerRun>(std::move(setup), std::move(closing)))
{
    mode_ = mode != Mode::Auto ? mode : run_->drawCount <= raceDraws ? Mode::Race : Mode::Mirror;
    const int wanted = threads > 0 ? threads : cores();
    int count = threadsFor(run_->setup, wanted);
    // A racing search also keeps two copies of itself for the others to take over.
    if (count > 1 && mode_ == Mode::Race)
        count = std::max(1, threadsFor(run_->setup, 3 * wanted) / 3);
    threads_ = count;
    if (count > 1 && mode_ == Mode::Race)
        race_ = std::make_unique<RacingSearches>(*run_, count);
    else
        mirror_ = std::make_unique<MirroredSearch>(*run_, count);
}

ParallelOptimizer::~ParallelOptimizer()
{
    run_->stop.store(true);
    run_->done.store(true);
    race_.reset();
    mirror_.reset();
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
    run_->stop.store(true);
}

bool ParallelOptimizer::finished() const
{
    return run_->finished();
}

bool ParallelOptimizer::waitFor(int ms)
{
    return run_->waitFor(ms);
}

void ParallelOptimizer::wait()
{
    if (race_) race_->join();
    if (mirror_) mirror_->join();
}

int ParallelOptimizer::bestSize() const
{
    return run_->bestSize.load();
}

int ParallelOptimizer::firstCompleteSize() const
{
    return run_->firstComplete.load();
}

int ParallelOptimizer::currentSize() const
{
    return run_->current.load();
}

std::size_t ParallelOptimizer::uncoveredCount() const
{
    return static_cast<std::size_t>(run_->uncovered.load());
}

double ParallelOptimizer::completionProgress() const
{
    return run_->completion.load() / 1000.0;
}

std::uint64_t ParallelOptimizer::moves() const
{
    return run_->moves.load();
}

std::uint64_t ParallelOptimizer::restarts() const
{
    return run_->restarts.load();
}

std::uint32_t ParallelOptimizer::drawCount() const
{
    return run_->drawCount;
}

bool ParallelOptimizer::failed() const
{
    return run_->failed.load();
}

std::vector<TicketMask> ParallelOptimizer::bestClosing() const
{
    std::lock_guard lock(run_->recordLock);
    return ClosingOptimizer::toNumbers(run_->setup, run_->record);
}
