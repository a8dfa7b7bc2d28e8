#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// The two lists of the Lotofácil reducer with the number of tickets behind each row: the 651
// row/column patterns (count ascending, ties by pattern text) and the 151 sums 120..270.
namespace LotofacilTables {

struct Row {
    QString text; // "33333", or the sum "195"
    int key; // pattern code (LotofacilGrid) or the sum itself
    std::uint64_t count; // tickets of 15 numbers out of 25 that have it

    // How the row shows in its list: "33333 --> 100000".
    QString listText() const { return text + QStringLiteral(" --> ") + QString::number(count); }
};

const std::vector<Row>& patterns();
const std::vector<Row>& sums();

} // namespace LotofacilTables
