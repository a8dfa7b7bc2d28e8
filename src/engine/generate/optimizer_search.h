#pragma once

#include "engine/generate/optimizer_draw_space.h"
#include "engine/generate/ticket_mask.h"

#include <cstdint>
#include <random>
#include <span>
#include <vector>

// Shrinks a closing while keeping its guarantee, one unit of work per step: counts what the
// given tickets cover, completes the closing (every uncovered draw becomes a ticket), drops the
// tickets that only cover what others cover, then searches by simulated annealing, moving one
// number of one ticket at a time, at a temperature that keeps a steady share of moves accepted,
// going back to the record when stuck far longer than a record takes; whenever no draw is left
// uncovered the closing is recorded and one ticket is dropped. Works on
// the bet positions only: the fixed numbers, on every ticket, are added back when a closing is
// handed out. Move j draws its candidate from a random stream of its own, so its verdict
// depends only on j, the tickets and the heat: a mirror (another optimizer that replays this
// one's journal) can judge moves ahead on another thread, and the search, asking its oracle,
// skips the moves found refused on the same tickets at the same heat. The path is then the
// same on any number of threads.
//
// Per draw it keeps how many tickets cover it and which one when only one does, and per ticket
// how many draws it alone covers, all updated as tickets come, go and move; so a step costs
// time in proportion to the draws of the tickets it touches, besides one pass over the tickets'
// masks (to pick the ticket a move aims) or their sole counts (to pick the ticket to drop).
class ClosingOptimizer
{
public:
    struct Setup {
        int K = 0, F = 0, G = 0, C = 0;
        std::vector<int> selected; // the bet's selected numbers (T - F of them)
        std::vector<int> fixed; // the fixed numbers
        std::uint64_t seed = 1;
        // Cooling schedule, when acceptanceTarget is 0: start temperature, cooling factor per
        // round of moves, and the temperature at which the search goes back to the recorded
        // closing and heats up again.
        // Temperatures are in units of the square root of the draws a move puts at stake,
        // divided by stakeScale.
        double startTemperature = 0.6;
        double cooling = 0.97;
        double reheatBelow = 0.08;
        double stakeScale = 3.6;
        // Moves per round: this many per ticket and per unit of the neighbourhood's size,
        // at least minMovesPerRound; every cycle that fails makes the next cycleGrowth times
        // longer, until a closing is recorded.
        double movesPerRoundFactor = 0.02;
        std::uint64_t minMovesPerRound = 2000;
        double cycleGrowth = 1.5;
        // When above zero, the temperature follows the share of moves accepted instead: after
        // each round it is raised by heatStep when fewer were accepted than this, lowered
        // otherwise, and there is no cooling schedule. From 1.5 % down to 0.7 % the big wheels
        // end about 2.5 % smaller, and the fewer moves made leave more of the judging to other
        // threads; but a search this cold now and then sticks in a valley for good (one run
        // in twenty on 20 numbers, sixes, quadra, at 88 tickets).
        double acceptanceTarget = 0.007;
        double heatStep = 1.03;
        // With acceptanceTarget: when no closing has been recorded for stallFactor times the
        // moves a record takes (averaged over the last few, and at least one round), the
        // search goes back to the record, less another ticket; each return that fails at a
        // size makes the next wait cycleGrowth times longer. Zero: never. At 8 the big wheels
        // lost to returns that came too soon.
        double stallFactor = 20;
    };

    enum class Phase { Counting, Completing, Pruning, Searching, Finished };

    // One change to the tickets, as a journal hands it to a mirror.
    struct Change {
        // Move: one number of the ticket changed by a search move; Replace: the whole ticket
        // put back (the two change the counts in different orders).
        enum class Kind : std::uint8_t { Add, Remove, Replace, Move, Track } kind;
        std::uint32_t index = 0;
        TicketMask ticket;
        // Move: the draws the ticket stops covering, then those it starts to cover, so that
        // a mirror need not find them again.
        std::vector<std::uint32_t> ranks;
        std::uint32_t losses = 0;
    };
    // Verdicts on moves judged elsewhere, which the search asks before judging a move itself.
    class Oracle
    {
    public:
        // Pending: being judged elsewhere right now (only when not waiting for it).
        enum class Verdict { Unknown, Refused, Accepted, Pending };
        virtual ~Oracle() = default;
        // The verdict on move `index` when judged on the tickets as they are after `version`
        // changes, at `heat`; Unknown when there is none.
        virtual Verdict verdict(std::uint64_t index, std::uint64_t version, double heat, bool wait)
            = 0;
        // The first move after `index` that nobody else judges.
        virtual std::uint64_t nextOwn(std::uint64_t index) = 0;
        // The change move `index` makes, when another thread prepared it on the same tickets
        // at the same heat; null otherwise.
        virtual const Change* prepared(std::uint64_t, std::uint64_t, double) { return nullptr; }
    };

    // Why a setup cannot be optimized; None when it can.
    // OnlyFullEnumeration: with K = C = G a ticket covers only the draw it equals, so every
    // closing holds every draw and none is smaller.
    enum class Refusal {
        None,
        TooManyDraws,
        TicketTooSmall,
        BetTooSmall,
        NotEnoughMemory,
        OnlyFullEnumeration
    };
    static Refusal check(const Setup& setup, std::uint64_t memory = availableMemory());
    // Bytes one search holds for the setup's draws.
    static std::uint64_t memoryNeeded(const Setup& setup);
    // Memory the machine can give now (a cautious estimate).
    static std::uint64_t availableMemory();

    ClosingOptimizer(Setup setup, const std::vector<TicketMask>& closing);

    // One unit of work: a ticket counted, a slice of draws completed, a ticket pruned, or one
    // search move.
    void step();
    Phase phase() const { return phase_; }
    // True once a complete closing is at hand (from the end of pruning on).
    bool hasComplete() const { return !best_.empty(); }

    // Every later change to the tickets is appended to the journal, so that mirrors can follow.
    void journalTo(std::vector<Change>* journal) { journal_ = journal; }
    // Changes made to the tickets so far, replayed ones included: two optimizers with the same
    // version of the same journal hold the same tickets and counts.
    std::uint64_t version() const { return version_; }
    void consult(Oracle* oracle) { oracle_ = oracle; }
    // Goes on with another random stream: a copy of another search, taken over by a racing
    // thread, then searches on its own.
    void reseed(std::uint64_t seed)
    {
        setup_.seed = seed;
        random_.seed(seed);
    }
    // A mirror follows another search's journal and never steps itself; it only judges moves
    // for that search.
    void replay(const Change& change);
    bool canJudge() const { return tracking_ && !uncovered_.empty() && !tickets_.empty(); }
    // The search's move `index` judged on the own tickets at the given heat; true when it
    // would be made.
    bool judgeMove(std::uint64_t index, double heat);
    // The same; when the move would be made, `made` gets the change it makes (for the search
    // to make it without judging it again).
    bool prepareMove(std::uint64_t index, double heat, Change& made);
    // The scale of what a move may lose: temperature times the closing's stake scale.
    double heat() const { return temperature_ * temperatureScale_; }

    int bestSize() const { return static_cast<int>(best_.size()); }
    int firstCompleteSize() const { return firstCompleteSize_; }
    int currentSize() const { return static_cast<int>(tickets_.size()); }
    std::size_t uncoveredCount() const { return uncovered_.size(); }
    std::uint32_t drawCount() const { return space_.size(); }
    std::uint64_t moves() const { return moves_; }
    // Moves left unmade on a verdict reached before their turn (by a mirror, or here ahead).
    std::uint64_t movesSkipped() const { return skipped_; }
    std::uint64_t restarts() const { return restarts_; }
    double completionProgress() const; // 0..1 while counting and completing

    // The smallest complete closing found, as tickets of the lottery's numbers.
    std::vector<TicketMask> bestClosing() const { return toNumbers(best_); }
    std::vector<TicketMask> toNumbers(const std::vector<TicketMask>& positions) const
    {
        return toNumbers(setup_, positions);
    }
    static std::vector<TicketMask> toNumbers(
        const Setup& setup, const std::vector<TicketMask>& positions);
    // The same, on bet positions (position p as number p + 1).
    const std::vector<TicketMask>& bestPositions() const { return best_; }

    // The working state, for checking it against a recount.
    const std::vector<TicketMask>& tickets() const { return tickets_; }
    std::uint32_t coverCount(std::uint32_t rank) const { return covers_[rank].count; }
    const std::vector<std::uint32_t>& soleCounts() const { return sole_; }
    const OptimizerDrawSpace& space() const { return space_; }

private:
    TicketMask normalised(const TicketMask& numbers);
    void addTicket(const TicketMask& ticket);
    void removeTicket(std::size_t index);
    void replaceTicket(std::size_t index, const TicketMask& ticket);
    void startTracking();
    void startSearch();
    bool nextRound();
    struct Candidate {
        std::uint32_t index = 0;
        int leaving = 0, entering = 0; // bet positions
        double u = 0;
    };
    bool candidate(std::uint64_t move, Candidate& out);
    void listFamily(const TicketMask& ticket, int leaving, int entering);
    bool judge(std::size_t chosen, int leaving, int entering, double u, double heat);
    void apply(std::size_t chosen, int leaving, int entering);
    void listRanks(int leaving, int entering);
    void takeRanks(Change& change) const; // the ranks listed, losses first
    void makeMove(const Change& change);
    void moveTicket(std::uint32_t id, const TicketMask& moved,
        std::span<const std::uint32_t> losses, std::span<const std::uint32_t> gains);
    void journal(Change::Kind kind, std::uint32_t index = 0, const TicketMask& ticket = {})
    {
        ++version_;
        if (journal_) journal_->push_back(Change { kind, index, ticket, {}, 0 });
    }
    void record();
    void dropTicket();
    void restart();
    void goBack();
    void move();
    void cover(std::uint32_t rank, std::uint32_t ticket);
    void uncover(std::uint32_t rank, std::uint32_t ticket);
    void listUncovered(std::uint32_t rank);

    Setup setup_;
    int n_, k_, m_, least_; // positions, ticket positions, draw positions, hits needed
    OptimizerDrawSpace space_;
    std::mt19937_64 random_;
    Phase phase_ = Phase::Counting;

    std::vector<TicketMask> tickets_; // positions
    std::vector<std::uint32_t> sole_; // per ticket: draws no other ticket covers
    std::vector<std::uint32_t> origin_; // per ticket: its index in best_ while searching
    std::vector<TicketMask> start_; // the closing still to be counted, positions
    // Per draw: how many tickets cover it, and the XOR of their indices (the one ticket when
    // only one does); side by side, as every change touches both.
    struct DrawCover {
        std::uint32_t count = 0, owners = 0;
    };
    std::vector<DrawCover> covers_;
    // The same as 0, 1 or "2 or more", two bits a draw: what a move asks of every draw it
    // touches, in a table small enough to stay in the processor's cache.
    std::vector<std::uint8_t> levels_;
    unsigned level(std::uint32_t r) const { return (levels_[r >> 2] >> ((r & 3) * 2)) & 3U; }
    void setLevel(std::uint32_t r, unsigned value)
    {
        std::uint8_t& cell = levels_[r >> 2];
        const unsigned shift = (r & 3) * 2;
        cell = static_cast<std::uint8_t>((cell & ~(3U << shift)) | (value << shift));
    }
    bool tracking_ = false; // the uncovered draws are listed (while searching)
    std::vector<Change>* journal_ = nullptr;
    std::uint64_t version_ = 0;
    Oracle* oracle_ = nullptr;
    std::vector<std::uint32_t> uncovered_;
    std::vector<TicketMask> uncoveredMasks_; // beside uncovered_
    std::vector<std::int32_t> uncoveredAt_; // index in uncovered_, -1 when covered
    std::size_t cursor_ = 0; // counting: next start ticket; completing: next draw; pruning
    std::vector<TicketMask> best_;
    int firstCompleteSize_ = 0;

    double temperature_ = 1.0;
    double temperatureScale_ = 1.0;
    double cycleGrowth_ = 1.0;
    double ticketDraws_ = 0; // draws one ticket covers
    double moveFamily_ = 1; // draws whose cover one move changes, each way
    std::uint64_t soleDraws_ = 0; // draws covered by one ticket only
    std::uint64_t moves_ = 0;
    std::uint64_t restarts_ = 0;
    std::uint64_t movesPerRound_ = 1;
    std::uint64_t roundMoves_ = 0;
    // On the way back to the record: the tickets moved since, then the recorded ones missing
    // (indices into best_), and how many of them are back.
    bool goingBack_ = false;
    std::vector<std::uint32_t> backMoved_, backMissing_;
    std::size_t backCursor_ = 0;
    // The move count at the last record and at the last return to it; the moves a record
    // takes.
    std::uint64_t recordedAt_ = 0, returnedAt_ = 0, recordStretch_ = 0;
    std::uint64_t ownMoves_ = 0, ownAccepted_ = 0; // this round: moves, and those made
    std::uint64_t nextMove_ = 0; // the index of the next move, which seeds its stream
    std::uint64_t skipped_ = 0;

    // The next own move, judged here ahead of its turn while the oracle was still judging an
    // earlier one.
    struct Ahead {
        std::uint64_t index = ~std::uint64_t { 0 }, version = 0;
        double heat = 0;
        bool accepted = false;
    } ahead_;
    std::vector<std::uint32_t> closest_; // scratch of one move
    std::vector<int> inside_, outside_;
    std::vector<TicketMask> lowSubsets_, highSubsets_;
    std::vector<std::uint32_t> lossRanks_, gainRanks_;
};
