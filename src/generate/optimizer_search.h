#pragma once

#include "generate/optimizer_draw_space.h"
#include "generate/ticket_mask.h"

#include <cstdint>
#include <random>
#include <vector>

// Shrinks a closing while keeping its guarantee, one unit of work per step: counts what the
// given tickets cover, completes the closing (every uncovered draw becomes a ticket), drops the
// tickets that only cover what others cover, then searches by simulated annealing, moving one
// number of one ticket at a time; whenever no draw is left uncovered the closing is recorded and
// one ticket is dropped. Works on the bet positions only: the fixed numbers, on every ticket,
// are added back when a closing is handed out.
class ClosingOptimizer
{
public:
    struct Setup {
        int K = 0, F = 0, G = 0, C = 0;
        std::vector<int> selected; // the bet's selected numbers (T - F of them)
        std::vector<int> fixed; // the fixed numbers
        std::uint64_t seed = 1;
        // Annealing schedule: start temperature, cooling factor per round of moves, and the
        // temperature at which it heats up again.
        double startTemperature = 2.0;
        double cooling = 0.99;
        double reheatBelow = 0.05;
    };

    enum class Phase { Counting, Completing, Pruning, Searching, Finished };

    // Why a setup cannot be optimized; None when it can.
    enum class Refusal { None, TooManyDraws, TicketTooSmall, BetTooSmall };
    static Refusal check(const Setup& setup);

    ClosingOptimizer(Setup setup, const std::vector<TicketMask>& closing);

    // One unit of work: a ticket counted, a slice of draws completed, a ticket pruned, or one
    // search move.
    void step();
    Phase phase() const { return phase_; }
    // True once a complete closing is at hand (from the end of pruning on).
    bool hasComplete() const { return !best_.empty(); }

    int bestSize() const { return static_cast<int>(best_.size()); }
    int firstCompleteSize() const { return firstCompleteSize_; }
    int currentSize() const { return static_cast<int>(tickets_.size()); }
    std::size_t uncoveredCount() const { return uncovered_.size(); }
    std::uint32_t drawCount() const { return space_.size(); }
    std::uint64_t moves() const { return moves_; }
    std::uint64_t restarts() const { return restarts_; }
    double completionProgress() const; // 0..1 while counting and completing

    // The smallest complete closing found, as tickets of the lottery's numbers.
    std::vector<TicketMask> bestClosing() const { return toNumbers(best_); }

private:
    TicketMask normalised(const TicketMask& numbers);
    std::vector<TicketMask> toNumbers(const std::vector<TicketMask>& tickets) const;
    void addTicket(const TicketMask& ticket);
    void startSearch();
    void record();
    void dropTicket();
    void restart();
    void move();
    void cover(std::uint32_t rank);
    void uncover(std::uint32_t rank);
    void listUncovered(std::uint32_t rank);

    Setup setup_;
    int n_, k_, m_, least_; // positions, ticket positions, draw positions, hits needed
    OptimizerDrawSpace space_;
    std::mt19937_64 random_;
    Phase phase_ = Phase::Counting;

    std::vector<TicketMask> tickets_; // positions
    std::vector<TicketMask> start_; // the given closing, normalised, still to be counted
    std::vector<std::uint32_t> counts_; // tickets covering each draw
    std::vector<std::uint32_t> uncovered_;
    std::vector<TicketMask> uncoveredMasks_; // beside uncovered_
    std::vector<std::int32_t> uncoveredAt_; // index in uncovered_, -1 when covered
    std::size_t cursor_ = 0; // counting: next start ticket; completing: next draw; pruning
    std::vector<TicketMask> best_;
    int firstCompleteSize_ = 0;

    double temperature_ = 1.0;
    std::uint64_t moves_ = 0;
    std::uint64_t restarts_ = 0;
    std::uint64_t movesPerRound_ = 1;
    std::vector<TicketMask> lowSubsets_, highSubsets_;
    std::vector<std::uint32_t> lossRanks_, gainRanks_;
};
