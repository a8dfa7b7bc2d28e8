#pragma once

#include "engine/generate/line_store.h"

#include <functional>
#include <vector>

// What a reducer says of one closing line.
enum class LineVerdict { Kept, Dropped, NotATicket };

// One pass of a reducer over a closing, one line per step. The verdicts are kept aside; the
// closing changes only when the finished pass is applied, so a pass stopped halfway leaves it
// as it was.
class ReductionPass
{
public:
    using Check = std::function<LineVerdict(const LineStore& lines, qsizetype row)>;

    ReductionPass(const LineStore& lines, Check check);

    // Every line examined, or a line that holds no ticket of the game has ended the pass.
    bool done() const { return next_ >= total_ || badLine_ >= 0 || closingChanged_; }
    // Examines the next line. A ConversionError from the check ends the pass with it.
    void step();

    qsizetype examined() const { return next_; }
    qsizetype kept() const { return kept_; }
    qsizetype total() const { return total_; }
    // Row of the line that ended the pass, -1 when none did.
    qsizetype badLine() const { return badLine_; }
    bool finished() const { return next_ >= total_ && badLine_ < 0 && !closingChanged_; }

    // Replaces the closing with the kept lines, in their order. Only a finished pass over the
    // same, unchanged closing is applied; returns whether it was.
    bool applyTo(LineStore& lines) const;

private:
    const LineStore& lines_;
    Check check_;
    qsizetype total_;
    std::uint64_t revision_;
    qsizetype next_ = 0, kept_ = 0, badLine_ = -1;
    bool closingChanged_ = false;
    std::vector<bool> keep_;
};
