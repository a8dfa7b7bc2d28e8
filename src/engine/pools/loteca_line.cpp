#include "engine/pools/loteca_line.h"

LotecaLine LotecaLine::fromText(QStringView text)
{
    LotecaLine line;
    const qsizetype n = std::min<qsizetype>(text.size(), length);
    for (qsizetype i = 0; i < n; ++i)
        if (text[i] == u'X') line.bits |= std::uint64_t { 1 } << i;
    return line;
}

QString LotecaLine::text() const
{
    QString out(length, u' ');
    for (int g = 0; g < matches; ++g)
        for (int c = 0; c < 3; ++c)
            out[4 * g + c] = has(g, c) ? u'X' : u'0';
    return out;
}
