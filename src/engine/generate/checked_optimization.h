#pragma once

#include "engine/generate/line_store.h"
#include "engine/generate/optimizer_check.h"
#include "engine/generate/optimizer_search.h"
#include "engine/generate/parallel_optimizer.h"
#include "engine/generate/ticket_mask.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

// One run of "Otimizar Fechamento" in the order the window and the command line share: the
// search on worker threads until it is stopped (or down to one ticket), then the independent
// count of its best closing on every core; only a closing that count confirmed is handed out.
// The caller polls it from its own thread, shows the progress and passes its stop on; the
// texts are the window's, so both tell the user the same.
class CheckedOptimization
{
public:
    enum class Phase { Searching, Checking, Finished };
    enum class Outcome {
        Running,
        Improved, // best() is complete, confirmed by the independent count
        Incomplete, // stopped before the search had a complete closing
        OutOfMemory, // the search ended on an error
        CheckStopped, // stopped during the count
        CheckFailed // the count found the closing ill-formed or incomplete
    };

    // Why the closing cannot be optimized, as the window says it; empty when it can.
    static QString refusal(const ClosingOptimizer::Setup& setup);
    static QString emptyClosingText();
    static QString boardMismatchText();
    // A closing's tickets as the search takes them (each line's numbers, read from its text
    // where its mask cannot be trusted).
    static std::vector<TicketMask> ticketsOf(const LineStore& closing);

    // threads 0: one per core (fewer when memory is short).
    CheckedOptimization(
        ClosingOptimizer::Setup setup, std::vector<TicketMask> closing, int threads = 0);
    ~CheckedOptimization();
    CheckedOptimization(const CheckedOptimization&) = delete;
    CheckedOptimization& operator=(const CheckedOptimization&) = delete;

    // Waits up to `ms` milliseconds for the phase under way; moves on to the count once the
    // search has ended.
    void poll(int ms);
    // As "Parar": ends the search (its best closing is then counted), or abandons the count.
    void stop();

    Phase phase() const { return phase_; }
    bool finished() const { return phase_ == Phase::Finished; }
    Outcome outcome() const { return outcome_; }
    // The search's progress figures, while searching.
    const ParallelOptimizer& search() const { return *search_; }
    double checkProgress() const { return count_ ? count_->progress() : 0.0; }

    // The confirmed closing (Improved), its draws and the count's verdict (-1 stopped,
    // -2 ill-formed).
    const std::vector<TicketMask>& best() const { return best_; }
    std::uint32_t drawCount() const { return drawCount_; }
    std::int64_t uncovered() const { return uncovered_; }

    // What the window shows for an outcome other than Improved.
    QString outcomeMessage() const;
    // "12 bilhetes (antes 30). Sendo 0 não fechados em 462 sorteios não repetidos."
    QString resultText(qsizetype before) const;
    // The status line while a complete closing is at hand.
    QString searchStatus(qsizetype before, qint64 seconds) const;

private:
    void startCount();
    void finishCount();

    ClosingOptimizer::Setup setup_;
    int threads_;
    std::unique_ptr<ParallelOptimizer> search_;
    std::unique_ptr<OptimizerCheck::ParallelCount> count_;
    Phase phase_ = Phase::Searching;
    Outcome outcome_ = Outcome::Running;
    std::vector<TicketMask> best_;
    std::uint32_t drawCount_ = 0;
    std::int64_t uncovered_ = -2;
};
