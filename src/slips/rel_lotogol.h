#pragma once

#include "slips/print_settings.h"
#include "slips/slip_report.h"

#include <array>

class LineStore;

// The Lotogol slip report: one ticket of the Lotogol window per slip, the box of each team's
// score black, and the box of the bet value chosen in the window.
class RelLotogol : public SlipReport
{
public:
    // Prints the Lotogol window's tickets, read as it runs, with the identification and the
    // bet value chosen there; `settings` gives the mode and calibration of the print tab.
    RelLotogol(const LineStore& tickets, const QString& identification, const QString& betValue,
        const PrintSettings& settings);

    void BeforePrint() override { RelLotogolBeforePrint(); }
    void NeedData(bool& more) override { RelLotogolNeedData(more); }
    qsizetype bandCount() const override;
    void seekBand(qsizetype index) override { lineCursor = int(index); }
    void RelLotogolBeforePrint();
    void RelLotogolNeedData(bool& more);

    // The band's elements by component number (QRShape1 .. QRShape65, QRShape192,
    // QRShape216..218, QRShape1000).
    ReportShape& QRShape(int number);
    ReportLabel* QRLabel1; // title
    ReportLabel* QRLabel2; // "Gerado pelo QUIRVA"
    ReportLabel* QRLabel3; // slip number
    ReportLabel* QRLabel4; // ticket text
    ReportLabel* QRLabel6; // identification

    int lineCursor = 0;

    static constexpr std::array<int, 10> rowTops { 163, 179, 207, 223, 250, 266, 293, 309, 336,
        352 };
    static constexpr std::array<int, 10> markTops { 164, 182, 207, 225, 250, 268, 293, 311, 337,
        355 };
    static constexpr std::array<int, 5> scoreLefts { 162, 187, 210, 235, 258 };
    static constexpr int valueTop = 376;

private:
    const LineStore& tickets_;
    QString identification_, betValue_;
    PrintSettings settings_;
    std::array<ReportShape*, 1001> shapes_ {};
};
