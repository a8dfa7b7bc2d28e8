#include "engine/base/conversion.h"

ConversionError::ConversionError(const QString& text)
    : std::runtime_error(
        QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString())
{
}

bool tryStrToInt(const QString& text, int& value)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i >= t.size()) return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c < u'0' || c > u'9') return false;
        v = v * 10 + (c.unicode() - u'0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > 2147483647LL) return false;
    value = static_cast<int>(v);
    return true;
}

int StrToInt(const QString& text)
{
    int value = 0;
    if (!tryStrToInt(text, value)) throw ConversionError(text);
    return value;
}
