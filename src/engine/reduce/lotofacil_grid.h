#pragma once

#include "engine/generate/ticket_mask.h"

#include <QString>
#include <QStringView>
#include <array>

// The Lotofácil slip as a 5 x 5 grid of 1..25, five numbers per row: the row and column
// patterns of a ticket and the sum of its numbers, read from its mask. A pattern is kept as a
// code, its five digits (counts in rows or columns 1..5) read as a base-6 number.
namespace LotofacilGrid {

inline constexpr int patternCodes = 6 * 6 * 6 * 6 * 6;

// Every number of the mask lies in 1..25.
inline bool onGrid(const TicketMask& mask)
{
    return mask.high == 0 && (mask.low >> 25) == 0;
}

namespace detail {
constexpr std::uint64_t rowBits(int row)
{
    return std::uint64_t { 0x1F } << (5 * row);
}
constexpr std::uint64_t columnBits(int column)
{
    return std::uint64_t { 0x108421 } << column; // numbers column+1, +6, +11, +16, +21
}
struct SumTables {
    std::array<std::array<int, 256>, 4> byteSums {};
    constexpr SumTables()
    {
        for (int b = 0; b < 4; ++b)
            for (int bits = 0; bits < 256; ++bits)
                for (int i = 0; i < 8; ++i)
                    if (bits & (1 << i)) byteSums[b][bits] += 8 * b + i + 1;
    }
};
inline constexpr SumTables sumTables {};
} // namespace detail

inline int rowPattern(const TicketMask& mask)
{
    int code = 0;
    for (int row = 0; row < 5; ++row)
        code = code * 6 + std::popcount(mask.low & detail::rowBits(row));
    return code;
}

inline int columnPattern(const TicketMask& mask)
{
    int code = 0;
    for (int column = 0; column < 5; ++column)
        code = code * 6 + std::popcount(mask.low & detail::columnBits(column));
    return code;
}

// Sum of the numbers of a mask on the grid.
inline int sum(const TicketMask& mask)
{
    const std::uint64_t bits = mask.low;
    return detail::sumTables.byteSums[0][bits & 0xFF]
        + detail::sumTables.byteSums[1][(bits >> 8) & 0xFF]
        + detail::sumTables.byteSums[2][(bits >> 16) & 0xFF]
        + detail::sumTables.byteSums[3][(bits >> 24) & 0xFF];
}

// "33333" for the code of 3,3,3,3,3; a code from the five digits of such a text (-1 if none).
QString patternText(int code);
int patternCode(QStringView text);

} // namespace LotofacilGrid
