#include "engine/reduce/position_limits.h"

#include "engine/base/conversion.h"

#include <QString>

int numberAtPosition(QLatin1StringView line, int position)
{
    const qsizetype at = 3 * static_cast<qsizetype>(position) - 2;
    if (at >= 0 && at + 1 < line.size()) {
        const char high = line[at].toLatin1(), low = line[at + 1].toLatin1();
        if (high >= '0' && high <= '9' && low >= '0' && low <= '9') {
            const int value = (high - '0') * 10 + (low - '0');
            return value == 0 ? 100 : value;
        }
    }
    // Anything but two digits goes through the field conversion, which accepts " 7" and
    // reports the rest with the usual message.
    const QLatin1StringView pair = at < line.size() ? line.mid(at, 2) : QLatin1StringView();
    return StrToInt(QString(pair));
}

PositionLimits::PositionLimits(std::vector<std::pair<int, int>> bounds)
    : bounds_(std::move(bounds))
{
}

bool PositionLimits::admits(QLatin1StringView line) const
{
    for (int position = 1; position <= positions(); ++position) {
        const int number = numberAtPosition(line, position);
        const auto& [lower, upper] = at(position);
        if (number < lower || number > upper) return false;
    }
    return true;
}
