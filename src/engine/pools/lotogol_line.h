#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>

// One Lotogol line (ticket or result) as its five three-character match groups, each packed
// into one integer so that comparing groups is comparing integers. A character missing at the
// end of a short line packs as 0, so two groups compare equal exactly when their texts do.
struct LotogolLine {
    static constexpr int matches = 5;
    static constexpr int teamRows = 10;
    static constexpr int length = 19;

    std::array<std::uint64_t, matches> groups {};

    static LotogolLine fromText(QStringView text);
    bool operator==(const LotogolLine&) const = default;

    friend int hits(const LotogolLine& a, const LotogolLine& b)
    {
        int n = 0;
        for (int g = 0; g < matches; ++g)
            n += a.groups[std::size_t(g)] == b.groups[std::size_t(g)];
        return n;
    }
};

// The scores of the slip and of the mark boxes, in box order.
inline constexpr std::array<char16_t, 5> lotogolScores { u'0', u'1', u'2', u'3', u'+' };
