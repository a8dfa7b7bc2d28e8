#pragma once

#include "engine/base/random_source.h"
#include "engine/generate/line_store.h"
#include "engine/generate/ticket_mask.h"

#include <QString>
#include <array>
#include <vector>

// The random covering generator, one test draw per step: a random draw of C numbers among the
// bet (the fixed ones always in) that no ticket of the closing meets in G numbers feeds a
// pending ticket; a pending ticket of K numbers becomes the closing's new first line.
class CoveringGenerator
{
public:
    struct Setup {
        int K = 0, F = 0, G = 0, C = 0;
        std::vector<int> selected; // selectedNumbers, positions 0 .. T-F-1 are used
        std::vector<int> fixed; // the fixed numbers of the board
        QString fixedLine; // the fixed-numbers line as shown ("" when F = 0)
        bool balancedPick = false; // "Triângulo de Pascal"
    };

    CoveringGenerator(Setup setup, LineStore& closing, RandomSource& random);

    // Why the generator would never finish a useful closing, as the window says it; empty when
    // it can run. Fewer numbers per ticket than the guarantee happen only in the free modality.
    static QString refusal(const Setup& setup, bool freeModality);
    // The result label: "57 fechados em 123456 combinações."
    QString progressText() const;

    // One test draw. Returns true when it added a ticket to the closing.
    bool step(QChar separator);

    double drawsMade() const { return drawsMade_; }
    int coveredSinceReport() const { return coveredSinceReport_; }
    void resetReportCounter() { coveredSinceReport_ = 0; }

    // The balanced pick (public for its tests): may the 1-based position be drawn now?
    bool balancedPickAllows(int position);
    // Positions 1..n taken by the last test draw.
    const std::array<bool, 101>& drawFlags() const { return numberFlags_; }

private:
    void clearUseCounts();
    QString candidateText(QChar separator) const;

    Setup setup_;
    LineStore& closing_;
    RandomSource& random_;
    int n_; // T - F positions to draw from
    int drawSize_; // C - F
    std::array<bool, 101> numberFlags_ {};
    std::array<int, 101> useCount_ {};
    int maxUsesPerNumber_ = 1;
    int picksInCycle_ = 0;
    std::vector<int> pending_; // pending ticket, numbers in the order they entered
    TicketMask pendingMask_;
    TicketMask fixedMask_;
    double drawsMade_ = 0;
    int coveredSinceReport_ = 0;
};
