#include "slips/slip_report.h"

namespace {
constexpr int kOfficialBandHeight = 700;
}

SlipReport::SlipReport(const QString& name, int bandWidth, int bandHeight)
    : name_(name)
    , band_(bandWidth, bandHeight)
{
}

void SlipReport::startRun()
{
    // The design is whatever the constructor built; it is taken on the first run, when the
    // derived class is complete.
    if (!designBand_) {
        designPage_ = page_;
        designBand_ = band_;
        return;
    }
    page_ = *designPage_;
    band_.restore(*designBand_);
}

ReportShape& SlipReport::addOutline(int width, int height)
{
    outline_ = &band_.addShape(
        QRect(0, 0, width, height), Qt::transparent, PenStyle::Dotted, Qt::black, 1);
    return *outline_;
}

void SlipReport::setUpOfficialSlip(int leftMarginMm, int topMarginMm)
{
    if (outline_) outline_->pen = PenStyle::Clear;
    page_.columns = 1;
    page_.leftMm = leftMarginMm;
    page_.topMm = topMarginMm;
    band_.setHeight(kOfficialBandHeight);
}
