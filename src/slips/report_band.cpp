#include "slips/report_band.h"

ReportShape& ReportBand::addShape(
    const QRect& rect, const QColor& fill, PenStyle pen, const QColor& penColor, int penWidth)
{
    shapes_.push_back(ReportShape { rect, fill, pen, penColor, penWidth });
    return shapes_.back();
}

ReportLabel& ReportBand::addLabel(
    const QRect& rect, const QString& caption, double pointSize, bool bold)
{
    ReportLabel label;
    label.rect = rect;
    label.caption = caption;
    label.pointSize = pointSize;
    label.bold = bold;
    labels_.push_back(label);
    return labels_.back();
}

void ReportBand::restore(const ReportBand& design)
{
    width_ = design.width_;
    height_ = design.height_;
    // Items added after the design was taken (by a handler) go; the others keep their
    // addresses and get their design values back.
    while (shapes_.size() > design.shapes_.size())
        shapes_.pop_back();
    while (labels_.size() > design.labels_.size())
        labels_.pop_back();
    for (std::size_t i = 0; i < shapes_.size(); ++i)
        shapes_[i] = design.shapes_[i];
    for (std::size_t i = 0; i < labels_.size(); ++i)
        labels_[i] = design.labels_[i];
}
