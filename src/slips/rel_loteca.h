#pragma once

#include "slips/print_settings.h"
#include "slips/slip_report.h"

#include <array>

class LineStore;

// The Loteca slip report: one ticket of the Loteca window per slip, its outcome boxes black,
// with the double or triple box of a match that bets two or three outcomes.
class RelLoteca : public SlipReport
{
public:
    // Prints the Loteca window's tickets, read as it runs, with the identification typed there;
    // `settings` gives the mode and calibration of the print tab.
    RelLoteca(
        const LineStore& tickets, const QString& identification, const PrintSettings& settings);

    void BeforePrint() override { RelLotecaBeforePrint(); }
    void NeedData(bool& more) override { RelLotecaNeedData(more); }
    qsizetype bandCount() const override;
    void seekBand(qsizetype index) override { lineCursor = int(index); }
    void RelLotecaBeforePrint();
    void RelLotecaNeedData(bool& more);

    // The band's elements by component number (QRShape1 .. QRShape87, QRShape191,
    // QRShape216..218, QRShape1000).
    ReportShape& QRShape(int number);
    ReportLabel* LOTECA; // title
    ReportLabel* QRLabel1; // identification
    ReportLabel* QRLabel2; // "Gerado pelo QUIRVA"
    ReportLabel* QRLabel3; // slip number

    int lineCursor = 0;

    static constexpr std::array<int, 14> rowTops { 139, 156, 175, 192, 212, 229, 247, 265, 284, 301,
        320, 338, 355, 372 };
    static constexpr std::array<int, 14> markTops { 137, 156, 175, 193, 211, 230, 247, 265, 283,
        301, 319, 338, 355, 372 };
    static constexpr std::array<int, 3> outcomeLefts { 42, 139, 235 };
    static constexpr int doubleLeft = 259, tripleLeft = 283;

private:
    const LineStore& tickets_;
    QString identification_;
    PrintSettings settings_;
    std::array<ReportShape*, 1001> shapes_ {};
};
