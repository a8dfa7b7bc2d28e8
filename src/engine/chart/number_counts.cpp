#include "engine/chart/number_counts.h"

#include "engine/base/conversion.h"

#include <algorithm>

QString NumberCounts::Item::text() const
{
    return fieldText(field) + QStringLiteral(" = ") + QString::number(count);
}

QString NumberCounts::fieldText(int field)
{
    return QStringLiteral("%1").arg(field, 2, 10, QChar(u'0'));
}

void NumberCounts::addLine(QStringView line)
{
    for (qsizetype at = 1; at + 1 < line.size(); at += 3) {
        const QChar a = line[at], b = line[at + 1];
        int value;
        if (a.isDigit() && b.isDigit() && a.unicode() < 0x80 && b.unicode() < 0x80) {
            value = (a.unicode() - u'0') * 10 + (b.unicode() - u'0');
        } else {
            const QString field = line.mid(at, 2).toString();
            value = StrToInt(field);
            // "-1" converts, but names no counter.
            if (value < 0 || value > 99) throw ConversionError(field);
        }
        ++counts_[static_cast<std::size_t>(value)];
    }
}

std::vector<NumberCounts::Point> NumberCounts::points() const
{
    std::vector<Point> result;
    for (int field = 0; field < 100; ++field)
        if (counts_[static_cast<std::size_t>(field)] > 0)
            result.push_back({ static_cast<int>(result.size()) + 1,
                counts_[static_cast<std::size_t>(field)], fieldText(field) });
    return result;
}

std::vector<NumberCounts::Item> NumberCounts::ranking() const
{
    std::vector<Item> result;
    for (int field = 0; field < 100; ++field)
        if (counts_[static_cast<std::size_t>(field)] > 0)
            result.push_back({ field, counts_[static_cast<std::size_t>(field)] });
    std::stable_sort(result.begin(), result.end(),
        [](const Item& a, const Item& b) { return a.count > b.count; });
    return result;
}

int NumberCounts::tickStep(int top)
{
    for (long long decade = 1;; decade *= 10)
        for (const long long step : { decade, 2 * decade, 5 * decade })
            if (step * 10 >= top) return static_cast<int>(step);
}
