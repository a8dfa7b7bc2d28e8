#pragma once

#include "engine/pools/loteca_line.h"

#include <QStringView>
#include <array>
#include <vector>

// The masks of the Loteca window's ticket list, row for row. `canonical` tells whether the row's
// text is exactly the text its mask gives; only such a row can equal a generated candidate.
class LotecaClosing
{
public:
    struct Row {
        LotecaLine line;
        bool canonical = true;
    };

    qsizetype size() const { return qsizetype(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    const Row& row(qsizetype i) const { return rows_[std::size_t(i)]; }
    void clear() { rows_.clear(); }
    void append(QStringView text);
    void appendCanonical(const LotecaLine& line) { rows_.push_back({ line, true }); }
    void removeLast() { rows_.pop_back(); }

    // How many rows reach each hit count against a result; counts above 14 cannot arise from a
    // result with at most one "X" per match, which the window makes sure of.
    std::array<int, 15> tally(const LotecaLine& result) const;

private:
    std::vector<Row> rows_;
};
