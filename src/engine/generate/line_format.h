#pragma once

#include "engine/generate/ticket_mask.h"

#include <QString>
#include <QStringView>
#include <vector>

// The text forms of numbers and lines shared by the whole program. A number is two digits,
// "01".."99", with "00" for 100. A line holds its numbers each behind one character (a blank
// first, then the separator), so the k-th number starts at character 3k - 1.
namespace LineFormat {

QString numberText(int n);
// The number written by the two characters at (0-based) index i; 0 when they are not digits.
int numberAt(QStringView line, qsizetype i);

// The separator actually used for a setting's text: one character that is not a digit and not
// a control character. Anything else (empty, longer, a digit) falls back to a blank, which
// keeps the three-characters-per-number layout intact.
QChar effectiveSeparator(const QString& setting);

// "separator + number" for each, first character dropped, trimmed, one blank in front.
QString numberLine(const std::vector<int>& numbers, QChar separator);
// The numbers of a mask in closing line format (ascending, "00" last).
QString maskLine(const TicketMask& mask, QChar separator);

// What a line's text says, for the fast paths: its numbers as a mask, and whether the line is
// regular, i.e. its hit counts by mask equal CountCommon on the text (3 characters per number,
// non-digit separators, two digits each, no number twice).
struct LineInfo {
    TicketMask mask;
    bool regular = false;
};
LineInfo analyse(QStringView line);

// Literal definitions on the text.
int CountCommon(QStringView lineA, QStringView lineB);
// Same numbers re-rendered ascending with duplicates merged. Throws ConversionError when a
// number field is not numeric.
QString SortLine(QStringView line, QChar separator);

// Trims leading and trailing blanks and control characters, as file lines are trimmed.
QStringView trimmed(QStringView line);

} // namespace LineFormat
