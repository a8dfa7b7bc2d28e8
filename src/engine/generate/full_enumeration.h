#pragma once

#include "engine/generate/combination_index.h"
#include "engine/generate/line_store.h"
#include "engine/generate/ticket_mask.h"

#include <QChar>
#include <vector>

// The closing of every combination (K = D = G): each k-subset of the selected numbers,
// completed by the fixed numbers, appended to the closing in lexicographic order. Advances a
// given number of lines at a time so the window can let messages through between chunks.
class FullEnumeration
{
public:
    struct Setup {
        std::vector<int> selected; // selectedNumbers, board order ("00" last)
        std::vector<int> fixed; // on every line, in their sorted places
        int k = 0; // K - F numbers taken from `selected`
        qsizetype lineBound = 0; // stop once the closing holds this many lines (0: none)
    };
    enum class State { Running, Finished, LineBound };

    FullEnumeration(Setup setup, LineStore& closing);

    // Appends up to maxLines lines; returns how many it wrote.
    qsizetype advance(qsizetype maxLines, QChar separator);

    State state() const { return state_; }
    qsizetype linesWritten() const { return written_; }

private:
    Setup setup_;
    LineStore& closing_;
    CombinationIndex index_;
    TicketMask fixedMask_;
    std::vector<TicketMask> positionMask_;
    State state_ = State::Running;
    qsizetype written_ = 0;
};
