#pragma once

#include "engine/pools/loteca_closing.h"

class RandomSource;

// The Loteca generation pass, one step at a time: a candidate ticket with D doubles and T
// triples inside the marked outcomes, a random result inside the marks, and the scan that
// decides whether the closing still needs the candidate.
class LotecaPassEngine
{
public:
    enum class Outcome { Added, Repeat, Covered };

    // `marks` must hold at least one outcome per match, T triple matches and D + T matches of
    // two or more outcomes (the window refuses to start otherwise).
    LotecaPassEngine(const LotecaLine& marks, int doubles, int triples, RandomSource& random);

    // The group bits of one marked outcome of a match, chosen uniformly among its marks.
    unsigned pickMarkedSimple(int match);
    LotecaLine candidate();
    LotecaLine drawnResult();
    // The scan of the list against a candidate and a result; appends the candidate when it is
    // no repeat and no row covers the result with at least `guarantee` hits.
    static Outcome judge(LotecaClosing& closing, const LotecaLine& candidate,
        const LotecaLine& result, int guarantee);
    Outcome step(LotecaClosing& closing, int guarantee);
    const LotecaLine& lastCandidate() const { return candidate_; }

private:
    LotecaLine marks_;
    int doubles_, triples_;
    RandomSource& random_;
    LotecaLine candidate_;
};
