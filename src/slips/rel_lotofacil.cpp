#include "slips/rel_lotofacil.h"

#include <array>

namespace {
// Numbers run down the columns from the right: 01..05 in the rightmost column.
constexpr std::array<int, 5> kColumnLeftsFromRight { 234, 186, 137, 89, 40 };
constexpr std::array<std::array<int, 5>, 2> kRowTops { {
    { 87, 109, 129, 151, 172 },
    { 206, 228, 248, 270, 291 },
} };
constexpr std::array<int, 13> kLeftEdgeTops { 62, 86, 108, 128, 150, 171, 206, 227, 248, 270, 291,
    326, 365 };
} // namespace

RelLotofacil::RelLotofacil(const LineStore& closing, const PrintSettings& settings)
    : NumberSlip(QStringLiteral("RelLotofacil"), 2, 25, closing, settings)
{
    for (int panel = 0; panel < 2; ++panel)
        for (int n = 1; n <= 25; ++n)
            addNumberBox(panel, n,
                QRect(kColumnLeftsFromRight[(n - 1) / 5], kRowTops[std::size_t(panel)][(n - 1) % 5],
                    20, 13));
    addTeimosinhaBox(QStringLiteral("2"), QRect(39, 366, 20, 13));
    addTeimosinhaBox(QStringLiteral("4"), QRect(88, 366, 20, 13));
    for (int top : kLeftEdgeTops)
        addEdgeMark(QRect(1, top, 16, 13), true, PenStyle::Solid);
    addEdgeMark(QRect(41, 62, 15, 12), true, PenStyle::Solid);
    addEdgeMark(QRect(66, 62, 15, 12), true, PenStyle::Solid);
    addEdgeMark(QRect(139, 62, 15, 12), true, PenStyle::Solid);
    addEdgeMark(QRect(163, 62, 14, 12), true, PenStyle::Solid);
    addOutline(311, 528);

    title_ = &addSlipLabel(QRect(156, 7, 148, 19), 12, false, true, QStringLiteral("LOTOFÁCIL"));
    betNumbers_ = &addSlipLabel(QRect(8, 28, 295, 15), 8, true, false);
    // The official Lotofácil slip has no room for the identification.
    identification_ = &addSlipLabel(QRect(20, 450, 283, 15), 7, false, true);
    product_ = &addSlipLabel(
        QRect(176, 468, 127, 15), 8, false, false, QStringLiteral("Gerado pelo QUIRVA"));
    betTexts_ = { &addSlipLabel(QRect(6, 485, 297, 15), 8, false, true),
        &addSlipLabel(QRect(6, 503, 297, 15), 8, false, true) };
}

void RelLotofacil::RelLotofacilBeforePrint()
{
    startSlips();
}

void RelLotofacil::RelLotofacilNeedData(bool& more)
{
    fillSlip(more);
}
