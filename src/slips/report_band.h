#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <deque>

// Page set-up of a report, in millimetres from the paper's edges. BeforePrint may change the
// margins and columns; the engine reads them when it places the first band of a run.
struct PageSetup {
    double paperWidthMm = 210.0; // A4 portrait
    double paperHeightMm = 297.0;
    double topMm = 7.0;
    double bottomMm = 2.0;
    double leftMm = 35.5;
    double rightMm = 10.0;
    int columns = 2;
    double columnSpaceMm = 0.1;
};

// One layout unit is 1/96 inch; band contents are measured in these units.
constexpr double kMillimetresPerUnit = 25.4 / 96.0;

enum class PenStyle { Solid, Dotted, Clear };

// A rectangle on a band: a fill (Qt::transparent for none) and an optional outline.
struct ReportShape {
    QRect rect; // layout units, from the band's top-left corner
    QColor fill = Qt::white;
    PenStyle pen = PenStyle::Clear;
    QColor penColor = Qt::black;
    int penWidth = 1; // layout units
};

// A text label on a band: right-aligned in its box, drawn over its background colour.
struct ReportLabel {
    QRect rect; // layout units
    QString caption;
    QString fontName = QStringLiteral("Arial");
    double pointSize = 8.0;
    bool bold = false;
    QColor color = Qt::black;
    QColor background = Qt::white;
};

// The detail band: one slip image. Shapes and labels keep their addresses for the band's life,
// so a slip may hold references to the boxes it marks.
class ReportBand
{
public:
    ReportBand(int width = 0, int height = 0)
        : width_(width)
        , height_(height)
    {
    }

    int width() const { return width_; }
    int height() const { return height_; }
    void setWidth(int width) { width_ = width; }
    void setHeight(int height) { height_ = height; }
    double heightMm() const { return height_ * kMillimetresPerUnit; }
    double widthMm() const { return width_ * kMillimetresPerUnit; }

    ReportShape& addShape(const QRect& rect, const QColor& fill = Qt::black,
        PenStyle pen = PenStyle::Clear, const QColor& penColor = Qt::white, int penWidth = 1);
    ReportLabel& addLabel(
        const QRect& rect, const QString& caption, double pointSize, bool bold = false);

    const std::deque<ReportShape>& shapes() const { return shapes_; }
    const std::deque<ReportLabel>& labels() const { return labels_; }

    // Puts back the values of an earlier copy of this band, item by item, so references
    // held into this band stay valid. `design` must have been copied from this band.
    void restore(const ReportBand& design);

private:
    int width_;
    int height_;
    std::deque<ReportShape> shapes_;
    std::deque<ReportLabel> labels_;
};
