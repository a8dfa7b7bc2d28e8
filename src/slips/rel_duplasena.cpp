#include "slips/rel_duplasena.h"

#include <array>

namespace {
constexpr std::array<int, 10> kColumnLefts { 42, 67, 90, 115, 138, 162, 186, 211, 235, 260 };
constexpr std::array<int, 3> kPanelTops { 93, 182, 272 };
constexpr std::array<int, 22> kLeftEdgeTops { 74, 93, 105, 118, 130, 142, 154, 182, 194, 207, 219,
    231, 243, 272, 284, 297, 309, 321, 333, 365, 393, 427 };
// The mark beside the teimosinha boxes is not on the official slip, so it keeps printing.
constexpr int kPrintedEdgeTop = 427;
} // namespace

RelDuplasena::RelDuplasena(const LineStore& closing, const PrintSettings& settings)
    : NumberSlip(QStringLiteral("RelDuplasena"), 3, 50, closing, settings)
{
    for (int panel = 0; panel < 3; ++panel)
        for (int n = 1; n <= 50; ++n)
            addNumberBox(panel, n,
                QRect(kColumnLefts[(n - 1) % 10],
                    kPanelTops[std::size_t(panel)] + 12 * ((n - 1) / 10), 16, 9));
    for (int c = 0; c < 10; ++c)
        addCountBox(c + 6, QRect(kColumnLefts[std::size_t(c)], 364, 16, 9));
    addTeimosinhaBox(QStringLiteral("2"), QRect(42, 427, 16, 9));
    addTeimosinhaBox(QStringLiteral("4"), QRect(90, 427, 16, 9));
    addTeimosinhaBox(QStringLiteral("8"), QRect(138, 427, 16, 9));
    for (int top : kLeftEdgeTops)
        addEdgeMark(QRect(2, top, 12, 8), top != kPrintedEdgeTop);
    for (int left : { 19, 91, 163 })
        addEdgeMark(QRect(left, 74, 15, 8), true);
    addOutline(310, 528);

    title_ = &addSlipLabel(QRect(156, 7, 148, 19), 12, false, true, QStringLiteral("DUPLA-SENA"));
    betNumbers_ = &addSlipLabel(QRect(16, 30, 287, 15), 8, true, false);
    identification_ = &addSlipLabel(QRect(16, 46, 287, 15), 7, false, false);
    product_ = &addSlipLabel(
        QRect(128, 450, 175, 15), 8, false, false, QStringLiteral("Gerado pelo QUIRVA"));
    betTexts_ = { &addSlipLabel(QRect(4, 469, 299, 17), 8, false, true),
        &addSlipLabel(QRect(4, 487, 299, 17), 8, false, true),
        &addSlipLabel(QRect(4, 505, 299, 17), 8, false, true) };
}

void RelDuplasena::RelDuplasenaBeforePrint()
{
    startSlips();
}

void RelDuplasena::RelDuplasenaNeedData(bool& more)
{
    fillSlip(more);
}
