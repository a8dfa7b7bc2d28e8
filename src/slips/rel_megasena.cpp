#include "slips/rel_megasena.h"

#include <array>

namespace {
constexpr std::array<int, 10> kColumnLefts { 42, 67, 90, 115, 138, 162, 186, 211, 235, 260 };
constexpr std::array<int, 25> kLeftEdgeTops { 70, 84, 96, 109, 121, 133, 145, 158, 176, 188, 201,
    213, 225, 237, 250, 268, 280, 293, 305, 317, 329, 342, 364, 397, 430 };
// The mark beside the teimosinha boxes is not on the official slip, so it keeps printing.
constexpr int kPrintedEdgeTop = 430;
} // namespace

RelMegasena::RelMegasena(const LineStore& closing, const PrintSettings& settings)
    : NumberSlip(QStringLiteral("RelMegasena"), 3, 60, closing, settings)
{
    for (int panel = 0; panel < 3; ++panel)
        for (int n = 1; n <= 60; ++n)
            addNumberBox(panel, n,
                QRect(kColumnLefts[(n - 1) % 10], 84 + 92 * panel + 12 * ((n - 1) / 10), 16, 9));
    for (int c = 0; c < 10; ++c)
        addCountBox(c + 6, QRect(kColumnLefts[std::size_t(c)], 364, 16, 9));
    addTeimosinhaBox(QStringLiteral("2"), QRect(42, 430, 16, 9));
    addTeimosinhaBox(QStringLiteral("4"), QRect(90, 430, 16, 9));
    addTeimosinhaBox(QStringLiteral("8"), QRect(138, 430, 16, 9));
    for (int top : kLeftEdgeTops)
        addEdgeMark(QRect(2, top, 12, 8), top != kPrintedEdgeTop);
    for (int left : { 18, 42, 66, 90 })
        addEdgeMark(QRect(left, 70, 15, 8), true);
    addOutline(310, 528);

    title_ = &addSlipLabel(QRect(156, 7, 148, 19), 12, false, true, QStringLiteral("MEGA-SENA"));
    betNumbers_ = &addSlipLabel(QRect(20, 30, 283, 15), 8, true, false);
    identification_ = &addSlipLabel(QRect(20, 46, 283, 15), 7, false, false);
    product_ = &addSlipLabel(
        QRect(128, 457, 175, 15), 8, false, false, QStringLiteral("Gerado pelo QUIRVA"));
    betTexts_ = { &addSlipLabel(QRect(4, 473, 299, 15), 8, false, true),
        &addSlipLabel(QRect(4, 489, 299, 15), 8, false, true),
        &addSlipLabel(QRect(4, 505, 299, 15), 8, false, true) };
}

void RelMegasena::RelMegasenaBeforePrint()
{
    startSlips();
}

void RelMegasena::RelMegasenaNeedData(bool& more)
{
    fillSlip(more);
}
