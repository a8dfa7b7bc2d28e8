#include "engine/generate/combination_count.h"

#include "engine/generate/line_store.h"
#include "engine/generate/prize_odds.h"

#include <cmath>
#include <limits>

namespace Combinations {

long double count(int n, int k)
{
    if (n < 0 || k < 0 || k > n) return 0;
    const long double divisor = PrizeOdds::Factorial(k) * PrizeOdds::Factorial(n - k);
    const long double value = PrizeOdds::Factorial(n) / divisor;
    if (!std::isfinite(value)) return 0;
    // The quotient of factorials lands a hair off the whole number (C(60,6) comes out as
    // 50063859.99999...), and a count of combinations is whole.
    return std::round(value);
}

int progressMaximum(int n, int k)
{
    const long double value = count(n, k);
    if (!(value > 0) || value > static_cast<long double>(std::numeric_limits<qint32>::max()))
        return 0;
    bool ok = false;
    const int result = PrizeOdds::generalText(value).toInt(&ok);
    return ok ? result : 0;
}

qsizetype lineBound(int numbersPerLine)
{
    // The entry plus the share of the deque's bookkeeping.
    const qint64 perLine = 3LL * qMax(1, numbersPerLine) + qint64(sizeof(LineStore::Entry)) + 8;
    return static_cast<qsizetype>(kLineBudgetBytes / perLine);
}

QString lineBoundText(qsizetype bound, const QString& what)
{
    return QStringLiteral("O fechamento atingiu o limite de %1 bilhetes que cabem na memória e %2 "
                          "foi interrompida. Os bilhetes já escritos foram mantidos.")
        .arg(bound)
        .arg(what);
}

} // namespace Combinations
