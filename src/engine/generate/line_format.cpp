#include "engine/generate/line_format.h"

#include "engine/base/conversion.h"

namespace LineFormat {

namespace {
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
} // namespace

QString numberText(int n)
{
    const int v = n % 100;
    const QChar digits[2] = { QChar(u'0' + v / 10), QChar(u'0' + v % 10) };
    return QString(digits, 2);
}

int numberAt(QStringView line, qsizetype i)
{
    if (i < 0 || i + 1 >= line.size()) return 0;
    const QChar a = line[i], b = line[i + 1];
    if (!isDigit(a) || !isDigit(b)) return 0;
    const int v = (a.unicode() - u'0') * 10 + (b.unicode() - u'0');
    return v == 0 ? 100 : v;
}

QChar effectiveSeparator(const QString& setting)
{
    if (setting.size() != 1) return u' ';
    const QChar c = setting[0];
    if (isDigit(c) || c.category() == QChar::Other_Control || c.unicode() > 0xFF) return u' ';
    return c;
}

QString numberLine(const std::vector<int>& numbers, QChar separator)
{
    QString text;
    text.reserve(static_cast<qsizetype>(numbers.size()) * 3);
    for (int n : numbers) {
        text += separator;
        text += numberText(n);
    }
    if (!text.isEmpty()) text.remove(0, 1);
    return u' ' + text.trimmed();
}

QString maskLine(const TicketMask& mask, QChar separator)
{
    std::vector<int> numbers;
    numbers.reserve(static_cast<std::size_t>(mask.count()));
    mask.forEach([&](int n) { numbers.push_back(n); });
    return numberLine(numbers, separator);
}

LineInfo analyse(QStringView line)
{
    LineInfo info;
    if (line.isEmpty() || line.size() % 3 != 0) {
        for (qsizetype p = 1; p + 1 < line.size(); p += 3)
            if (int n = numberAt(line, p)) info.mask.add(n);
        return info;
    }
    bool regular = true;
    for (qsizetype p = 1; p < line.size(); p += 3) {
        const int n = numberAt(line, p);
        if (n == 0 || isDigit(line[p - 1])) {
            regular = false;
            if (n == 0) continue;
        }
        if (info.mask.has(n)) regular = false;
        info.mask.add(n);
    }
    info.regular = regular;
    return info;
}

int CountCommon(QStringView lineA, QStringView lineB)
{
    const bool aShorter = lineA.size() <= lineB.size();
    const QStringView shorter = aShorter ? lineA : lineB;
    QString longer = (aShorter ? lineB : lineA).toString();
    const qsizetype limit = shorter.trimmed().size();
    int count = 0;
    for (qsizetype p = 2; p <= limit; p += 3) {
        const QStringView pair = shorter.mid(p - 1, 2);
        const qsizetype at = longer.indexOf(pair);
        if (at >= 0) {
            ++count;
            longer.remove(at, 2);
        }
    }
    return count;
}

QString SortLine(QStringView line, QChar separator)
{
    TicketMask mask;
    for (qsizetype p = 2; p < line.size(); p += 3) {
        const QStringView pair = line.mid(p - 1, 2);
        const int v = StrToInt(pair.toString());
        if (v < 0 || v > 99) throw ConversionError(pair.toString());
        mask.add(v == 0 ? 100 : v);
    }
    return maskLine(mask, separator);
}

QStringView trimmed(QStringView line)
{
    qsizetype begin = 0, end = line.size();
    while (begin < end && line[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && line[end - 1].unicode() <= u' ')
        --end;
    return line.mid(begin, end - begin);
}

} // namespace LineFormat
