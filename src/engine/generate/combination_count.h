#pragma once

#include <QString>
#include <QtGlobal>

// Combination counts as the runs use them: for the progress bar and for the bound on how many
// lines a run may write into a closing held in memory.
namespace Combinations {

// n! / (k! (n - k)!) from factorials in extended precision, rounded to the nearest whole
// number; 0 when it cannot be computed.
long double count(int n, int k);
// The progress bar's maximum: the count written as decimal text and read back as a 32-bit
// integer; 0 when that fails (too large, or the text is in exponent form).
int progressMaximum(int n, int k);

// Store bytes one run may add to a closing. A line costs its text plus its entry (mask,
// offset); the text arena may briefly hold twice its size while it grows, so the peak stays
// well under 1 GB even for the longest lines.
constexpr qint64 kLineBudgetBytes = 256LL * 1024 * 1024;
// How many lines of the given count of numbers fit in that budget (3 characters a number).
qsizetype lineBound(int numbersPerLine);
// What a run says when it reached that bound; `what` names the run ("a geração").
QString lineBoundText(qsizetype bound, const QString& what);

} // namespace Combinations
