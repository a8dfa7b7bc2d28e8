#include "slips/rel_quina.h"

#include <array>

namespace {
constexpr std::array<int, 10> kColumnLefts { 42, 67, 90, 115, 138, 162, 186, 211, 235, 260 };
constexpr std::array<std::array<int, 8>, 2> kRowTops { {
    { 95, 107, 119, 131, 143, 155, 168, 180 },
    { 217, 229, 241, 253, 265, 277, 289, 301 },
} };
constexpr std::array<int, 22> kLeftEdgeTops { 78, 95, 107, 120, 132, 144, 156, 169, 182, 195, 217,
    230, 242, 254, 266, 278, 290, 303, 315, 341, 380, 414 };
} // namespace

RelQuina::RelQuina(const LineStore& closing, const PrintSettings& settings)
    : NumberSlip(QStringLiteral("RelQuina"), 2, 80, closing, settings)
{
    for (int panel = 0; panel < 2; ++panel)
        for (int n = 1; n <= 80; ++n)
            addNumberBox(panel, n,
                QRect(
                    kColumnLefts[(n - 1) % 10], kRowTops[std::size_t(panel)][(n - 1) / 10], 16, 9));
    addCountBox(5, QRect(42, 341, 16, 9));
    addCountBox(6, QRect(67, 341, 16, 9));
    addCountBox(7, QRect(90, 341, 16, 9));
    addTeimosinhaBox(QStringLiteral("3"), QRect(67, 413, 16, 9));
    addTeimosinhaBox(QStringLiteral("6"), QRect(115, 413, 16, 9));
    addTeimosinhaBox(QStringLiteral("12"), QRect(162, 413, 16, 9));
    for (int top : kLeftEdgeTops)
        addEdgeMark(QRect(2, top, 12, 8), true);
    for (int left : { 19, 67, 115 })
        addEdgeMark(QRect(left, 78, 15, 8), true);
    addOutline(310, 528);

    title_ = &addSlipLabel(QRect(156, 7, 148, 19), 12, false, true, QStringLiteral("QUINA"));
    betNumbers_ = &addSlipLabel(QRect(20, 30, 283, 15), 8, true, false);
    identification_ = &addSlipLabel(QRect(20, 46, 283, 15), 7, false, false);
    product_ = &addSlipLabel(
        QRect(128, 469, 175, 15), 8, false, false, QStringLiteral("Gerado pelo QUIRVA"));
    betTexts_ = { &addSlipLabel(QRect(4, 486, 299, 15), 8, false, true),
        &addSlipLabel(QRect(4, 503, 299, 15), 8, false, true) };
}

void RelQuina::RelQuinaBeforePrint()
{
    startSlips();
}

void RelQuina::RelQuinaNeedData(bool& more)
{
    fillSlip(more);
}
