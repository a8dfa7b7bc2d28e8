#pragma once

#include <QString>
#include <QStringView>
#include <bit>
#include <cstdint>

// One Loteca line (ticket, result or board) as the set of its 55 character positions that hold
// "X". Bit 4g+c is outcome c (0 = "1", 1 = "X", 2 = "2") of match g (0-based); the bits between
// groups stand for the blanks, so that a hit count is a plain popcount of the two masks even
// for a line read from a file with an "X" where a blank belongs.
struct LotecaLine {
    static constexpr int matches = 14;
    static constexpr int length = 55;
    static constexpr std::uint64_t outcomeBits = [] {
        std::uint64_t bits = 0;
        for (int g = 0; g < matches; ++g)
            bits |= std::uint64_t { 7 } << (4 * g);
        return bits;
    }();

    std::uint64_t bits = 0;

    static constexpr int bitOf(int match, int outcome) { return 4 * match + outcome; }
    bool has(int match, int outcome) const { return (bits >> bitOf(match, outcome)) & 1U; }
    void set(int match, int outcome) { bits |= std::uint64_t { 1 } << bitOf(match, outcome); }
    // The three outcome bits of a match, "1" in bit 0.
    unsigned group(int match) const { return unsigned(bits >> (4 * match)) & 7U; }
    void setGroup(int match, unsigned group)
    {
        bits = (bits & ~(std::uint64_t { 7 } << (4 * match)))
            | (std::uint64_t { group & 7U } << (4 * match));
    }
    int outcomesOf(int match) const { return std::popcount(group(match)); }
    bool operator==(const LotecaLine&) const = default;

    // Every "X" of the text (upper case only), at whatever position up to 55.
    static LotecaLine fromText(QStringView text);
    // The canonical text: 14 groups of "X"/"0" joined by single blanks.
    QString text() const;

    friend int hits(const LotecaLine& a, const LotecaLine& b)
    {
        return std::popcount(a.bits & b.bits);
    }
};
