#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <vector>

// How often each two-digit field occurs in draw lines. Counter 0 stands for the field "00",
// the number 100, so it comes first wherever the counters are taken in order.
class NumberCounts
{
public:
    struct Point {
        int x; // rank among the fields that occur, 1 for the lowest
        int y; // occurrences
        QString label; // the field, two digits
    };
    struct Item {
        int field;
        int count;
        QString text() const; // "02 = 2"
    };

    // Counts the fields at characters 2, 5, 8, ... (1-based) while a field starts before the
    // line's last character. Throws ConversionError for a field that is not a number 0..99;
    // what was counted before it stays.
    void addLine(QStringView line);

    int count(int field) const { return counts_[static_cast<std::size_t>(field)]; }
    // One point per field that occurs, fields ascending ("00" first).
    std::vector<Point> points() const;
    // Fields that occur, most frequent first; equal counts by field ascending ("00" first).
    std::vector<Item> ranking() const;

    static QString fieldText(int field);
    // The gap between the ticks of a count axis running from 0 to top: a whole 1, 2 or 5
    // times a power of ten, so no tick falls between two counts, and at most ten gaps.
    static int tickStep(int top);

private:
    std::array<int, 100> counts_ {};
};
