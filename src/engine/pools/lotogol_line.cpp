#include "engine/pools/lotogol_line.h"

LotogolLine LotogolLine::fromText(QStringView text)
{
    LotogolLine line;
    for (int g = 0; g < matches; ++g) {
        std::uint64_t packed = 0;
        for (int c = 0; c < 3; ++c) {
            const qsizetype at = 4 * g + c;
            const std::uint64_t code = at < text.size() ? std::uint64_t(text[at].unicode()) + 1 : 0;
            packed |= code << (17 * c);
        }
        line.groups[std::size_t(g)] = packed;
    }
    return line;
}
