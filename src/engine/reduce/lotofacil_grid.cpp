#include "engine/reduce/lotofacil_grid.h"

namespace LotofacilGrid {

QString patternText(int code)
{
    QString text(5, u'0');
    for (int digit = 4; digit >= 0; --digit) {
        text[digit] = QChar(u'0' + code % 6);
        code /= 6;
    }
    return text;
}

int patternCode(QStringView text)
{
    if (text.size() != 5) return -1;
    int code = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'5') return -1;
        code = code * 6 + (c.unicode() - u'0');
    }
    return code;
}

} // namespace LotofacilGrid
