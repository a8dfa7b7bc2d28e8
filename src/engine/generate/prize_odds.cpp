#include "engine/generate/prize_odds.h"

#include <cfenv>
#include <cmath>

namespace PrizeOdds {

long double Factorial(int a)
{
    if (a < 0) return 0;
    long double result = 1;
    for (int i = a; i > 1; --i)
        result *= i;
    return result;
}

long double odds(int T, int K, int D, int G)
{
    if (K >= T || D > K || D < G) return 0;
    auto ratio = [](long double n, long double d) -> long double {
        if (d == 0 || !std::isfinite(n) || !std::isfinite(d)) return std::nan("");
        return n / d;
    };
    const double X = static_cast<double>(
        ratio(Factorial(T - D), Factorial(T - D - (K - G)) * Factorial(K - G)));
    const double Y = static_cast<double>(ratio(Factorial(D), Factorial(D - G) * Factorial(G)));
    const double Z = static_cast<double>(ratio(Factorial(T), Factorial(T - K) * Factorial(K)));
    const long double divisor = static_cast<long double>(X) * static_cast<long double>(Y);
    const long double result = ratio(static_cast<long double>(Z), divisor);
    if (!std::isfinite(result)) return 0;
    return result;
}

QString generalText(long double value)
{
    if (std::fabs(value) < 1e15L) return QString::number(static_cast<qlonglong>(value));
    // d.ddddddddddddddE+XX, trailing zeros of the mantissa dropped.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14LE", value);
    QString s = QString::fromLatin1(buffer);
    const qsizetype e = s.indexOf(u'E');
    QString mantissa = s.left(e);
    QString exponent = s.mid(e + 1);
    while (mantissa.contains(u'.') && (mantissa.endsWith(u'0') || mantissa.endsWith(u'.')))
        mantissa.chop(1);
    const int exp = exponent.toInt();
    return mantissa + QStringLiteral("E") + (exp < 0 ? "-" : "+") + QString::number(std::abs(exp));
}

QString text(int T, int K, int D, int G)
{
    const long double v = std::trunc(odds(T, K, D, G));
    if (v > 0) return generalText(v);
    return QStringLiteral("Incapaz de Calcular a Probabilidade");
}

} // namespace PrizeOdds
