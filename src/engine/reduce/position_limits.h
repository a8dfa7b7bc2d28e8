#pragma once

#include <QLatin1StringView>
#include <utility>
#include <vector>

// The number written at a position (1 = first) of a closing line: the two characters at
// 3p - 1 and 3p, "00" standing for 100. Throws ConversionError when they are not an integer,
// as when the line is too short to hold that position.
int numberAtPosition(QLatin1StringView line, int position);

// Lower and upper limit of every position of a ticket, position 1 first.
class PositionLimits
{
public:
    PositionLimits() = default;
    explicit PositionLimits(std::vector<std::pair<int, int>> bounds);

    int positions() const { return static_cast<int>(bounds_.size()); }
    const std::pair<int, int>& at(int position) const
    {
        return bounds_[static_cast<std::size_t>(position - 1)];
    }
    // Whether every position of the line holds a number inside its limits.
    bool admits(QLatin1StringView line) const;

private:
    std::vector<std::pair<int, int>> bounds_;
};
