#include "slips/number_slip.h"

#include "engine/generate/line_format.h"
#include "engine/generate/line_store.h"

namespace {
constexpr int kSlipWidth = 311;
constexpr int kSlipHeight = 529;

void setMark(ReportShape& shape, bool marked)
{
    shape.fill = marked ? QColor(Qt::black) : QColor(Qt::white);
}
} // namespace

NumberSlip::NumberSlip(const QString& name, int betsPerSlip, int highestNumber,
    const LineStore& closing, const PrintSettings& settings)
    : SlipReport(name, kSlipWidth, kSlipHeight)
    , betsPerSlip_(betsPerSlip)
    , closing_(closing)
    , settings_(settings)
    , numberBoxes_(std::size_t(betsPerSlip), std::vector<ReportShape*>(std::size_t(highestNumber)))
{
}

QString NumberSlip::betNumbersText(int cursor, int lineCount, int betsPerSlip)
{
    const QString first = QString::number(cursor + 1);
    if (betsPerSlip >= 3 && cursor + 2 < lineCount)
        return first + QStringLiteral(" , ") + QString::number(cursor + 2) + QStringLiteral(" e ")
            + QString::number(cursor + 3);
    if (betsPerSlip >= 2 && cursor + 1 < lineCount)
        return first + QStringLiteral(" e ") + QString::number(cursor + 2);
    return first;
}

QString NumberSlip::lineAt(qsizetype index) const
{
    return index >= 0 && index < closing_.size() ? closing_.line(index) : QString();
}

qsizetype NumberSlip::lineCount() const
{
    return closing_.size();
}

void NumberSlip::startSlips()
{
    lineCursor = 0;
    if (!settings_.officialSlip) return;
    setUpOfficialSlip(settings_.leftMarginMm, settings_.topMarginMm);
    for (ReportShape* shape : officialWhiteShapes_)
        shape->fill = Qt::white;
    for (ReportLabel* label : officialWhiteLabels_)
        label->color = Qt::white;
}

void NumberSlip::fillSlip(bool& more)
{
    const int cursor = lineCursor;
    const qsizetype count = lineCount();
    for (int panel = 0; panel < betsPerSlip_; ++panel) {
        const QString line = lineAt(cursor + panel);
        const auto& boxes = numberBoxes_[std::size_t(panel)];
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i]) setMark(*boxes[i], line.contains(LineFormat::numberText(int(i) + 1)));
    }
    // Line 0 stands for every line: all lines of a closing have the same size.
    const double numbers = count > 0 ? closing_.length(0) / 3.0 : 0.0;
    for (auto& [value, box] : countBoxes_)
        setMark(*box, value == numbers);
    for (auto& [value, box] : teimosinhaBoxes_)
        setMark(*box, settings_.teimosinha == value);
    if (mirrorBox_) setMark(*mirrorBox_, settings_.mirrorBet);

    if (betNumbers_) betNumbers_->caption = betNumbersText(cursor, int(count), betsPerSlip_);
    if (identification_) identification_->caption = settings_.identification;
    fillBetTexts(cursor);

    if (cursor < count) more = true;
    lineCursor = cursor + betsPerSlip_;
}

void NumberSlip::fillBetTexts(int cursor)
{
    for (std::size_t j = 0; j < betTexts_.size(); ++j)
        betTexts_[j]->caption = lineAt(cursor + qsizetype(j));
}

void NumberSlip::addNumberBox(int panel, int n, const QRect& rect, PenStyle pen)
{
    numberBoxes_[std::size_t(panel)][std::size_t(n - 1)]
        = &band().addShape(rect, Qt::white, pen, Qt::white, 1);
}

void NumberSlip::addCountBox(double numbers, const QRect& rect)
{
    countBoxes_.emplace_back(numbers, &band().addShape(rect, Qt::white));
}

void NumberSlip::addTeimosinhaBox(const QString& value, const QRect& rect, PenStyle pen)
{
    teimosinhaBoxes_.emplace_back(value, &band().addShape(rect, Qt::white, pen, Qt::white, 1));
}

void NumberSlip::addMirrorBox(const QRect& rect, PenStyle pen)
{
    mirrorBox_ = &band().addShape(rect, Qt::white, pen, Qt::white, 1);
}

void NumberSlip::addEdgeMark(const QRect& rect, bool officialWhite, PenStyle pen)
{
    ReportShape& mark = band().addShape(rect, Qt::black, pen, Qt::white, 1);
    if (officialWhite) officialWhiteShapes_.push_back(&mark);
}

ReportLabel& NumberSlip::addSlipLabel(
    const QRect& rect, double pointSize, bool bold, bool officialWhite, const QString& caption)
{
    ReportLabel& label = band().addLabel(rect, caption, pointSize, bold);
    if (officialWhite) officialWhiteLabels_.push_back(&label);
    return label;
}
