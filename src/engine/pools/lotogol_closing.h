#pragma once

#include "engine/pools/lotogol_line.h"

#include <QStringView>
#include <array>
#include <vector>

// The packed groups of the Lotogol window's ticket list, row for row, with the covering scan
// of a generation pass.
class LotogolClosing
{
public:
    qsizetype size() const { return qsizetype(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    const LotogolLine& row(qsizetype i) const { return rows_[std::size_t(i)]; }
    void clear() { rows_.clear(); }
    void append(QStringView text) { rows_.push_back(LotogolLine::fromText(text)); }

    // Whether some row gets at least `guarantee` matches of the candidate right (the scan stops
    // at the first such row).
    bool covers(const LotogolLine& candidate, int guarantee) const;
    std::array<int, 6> tally(const LotogolLine& result) const;

private:
    std::vector<LotogolLine> rows_;
};
