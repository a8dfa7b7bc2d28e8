#pragma once

#include <QString>

// The odds that one ticket of K numbers, out of T bet with D drawn, holds exactly G of the
// drawn ones. Extended precision throughout.
namespace PrizeOdds {

long double Factorial(int a);
// N of "one in N"; 0 when it cannot be computed.
long double odds(int T, int K, int D, int G);
// The text of the odds field.
QString text(int T, int K, int D, int G);
// The general form of 15 significant digits: plain digits below 10^15, scientific above.
QString generalText(long double value);

} // namespace PrizeOdds
