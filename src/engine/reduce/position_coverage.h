#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <vector>

// C(n, r) exact in 64 bits for the sizes the reducers use (n <= 100, r <= 15); 0 outside 0..n.
std::uint64_t binomial(int n, int r);

// For every position i of a k-number ticket out of 1..N and every number n: how many of the
// C(N, k) tickets have n as their i-th smallest number, C(n - 1, i - 1) * C(N - n, k - i).
class PositionCoverage
{
public:
    PositionCoverage(int N, int k);

    std::uint64_t entry(int position, int number) const;
    // Tickets whose number at the position lies in lower..upper (0 when upper < lower).
    std::uint64_t covered(int position, int lower, int upper) const;
    std::uint64_t total() const { return binomial(N_, k_); }

private:
    int N_, k_;
    std::vector<std::uint64_t> table_; // row per position, column per number
};

// A whole count as the coverage labels show it: grouped by the locale's thousands separator.
QString coverageText(std::uint64_t count, const QLocale& locale = QLocale::system());
