#include "slips/rel_lotomania.h"

#include <array>

namespace {
constexpr std::array<int, 10> kRowTops { 122, 140, 159, 177, 195, 213, 232, 250, 268, 287 };
constexpr std::array<int, 13> kLeftEdgeTops { 107, 123, 141, 159, 177, 195, 213, 232, 250, 268, 287,
    351, 419 };
// Every shape of this slip has a thin white outline around its fill.
constexpr PenStyle kOutlined = PenStyle::Solid;
} // namespace

RelLotomania::RelLotomania(const LineStore& closing, const PrintSettings& settings)
    : NumberSlip(QStringLiteral("RelLotomania"), 1, 100, closing, settings)
{
    for (int n = 1; n <= 100; ++n)
        addNumberBox(0, n,
            QRect(41 + 24 * ((n - 1) % 10), kRowTops[std::size_t((n - 1) / 10)], 14, 9), kOutlined);
    addMirrorBox(QRect(41, 419, 14, 9), kOutlined);
    addTeimosinhaBox(QStringLiteral("2"), QRect(233, 419, 14, 9), kOutlined);
    addTeimosinhaBox(QStringLiteral("4"), QRect(257, 419, 14, 9), kOutlined);
    addTeimosinhaBox(QStringLiteral("8"), QRect(281, 419, 14, 9), kOutlined);
    for (int top : kLeftEdgeTops)
        addEdgeMark(QRect(1, top, 13, 9), true, kOutlined);
    for (int left : { 88, 113, 136, 161 })
        addEdgeMark(QRect(left, 107, 16, 8), true, kOutlined);
    addOutline(311, 528);

    title_ = &addSlipLabel(QRect(156, 7, 148, 19), 12, false, true, QStringLiteral("LOTOMANIA"));
    betNumbers_ = &addSlipLabel(QRect(12, 30, 291, 19), 8, false, false);
    identification_ = &addSlipLabel(QRect(20, 54, 283, 15), 7, false, false);
    product_ = &addSlipLabel(
        QRect(131, 467, 175, 15), 8, false, false, QStringLiteral("Gerado pelo QUIRVA"));
    betTexts_ = { &addSlipLabel(QRect(4, 486, 303, 15), 6, false, true),
        &addSlipLabel(QRect(4, 503, 303, 15), 6, false, true) };
}

void RelLotomania::RelLotomaniaBeforePrint()
{
    startSlips();
}

void RelLotomania::RelLotomaniaNeedData(bool& more)
{
    fillSlip(more);
}

void RelLotomania::fillBetTexts(int cursor)
{
    const QString line = lineAt(cursor);
    betTexts_[0]->caption = line.left(75);
    // Character 76 is the separator in front of number 26.
    betTexts_[1]->caption = line.mid(76, 75);
}
