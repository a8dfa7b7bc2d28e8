#include "cli/command_support.h"

#include "cli/console.h"
#include "engine/base/conversion.h"

int refuse(Console& console, const QString& text)
{
    console.message(text);
    return kBadInput;
}

std::optional<double> parseSeconds(const QString& text)
{
    static const std::pair<QChar, double> units[] = { { u's', 1 }, { u'm', 60 }, { u'h', 3600 } };
    QString number = text.trimmed();
    double unit = 1;
    for (const auto& [suffix, seconds] : units)
        if (number.endsWith(suffix)) {
            number.chop(1);
            unit = seconds;
        }
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || value < 0) return std::nullopt;
    return value * unit;
}

std::optional<int> parseThreads(const QString& text)
{
    int threads = 0;
    if (!tryStrToInt(text, threads) || threads < 0) return std::nullopt;
    return threads;
}

OptionSpec threadsOption()
{
    return { QStringLiteral("threads"), QChar(), QStringLiteral("N"),
        QStringLiteral("linhas de execução da otimização e da conferência (padrão: uma por "
                       "núcleo)") };
}

OptionSpec jsonOption()
{
    return { QStringLiteral("json"), QChar(), {},
        QStringLiteral("resumo em um objeto JSON na saída padrão") };
}
