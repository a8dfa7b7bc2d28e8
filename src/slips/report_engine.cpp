#include "slips/report_engine.h"

#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>

namespace {
// Rounding slack when comparing band bottoms against the page's bottom margin.
constexpr double kFitToleranceMm = 1e-6;
constexpr int kPdfResolution = 300;
} // namespace

std::vector<const PlacedBand*> ReportLayout::bandsOn(int page) const
{
    std::vector<const PlacedBand*> result;
    for (const PlacedBand& placed : bands)
        if (placed.page == page) result.push_back(&placed);
    return result;
}

namespace {

int columnsOf(const PageSetup& setup)
{
    return std::max(1, setup.columns);
}

double columnWidthOf(const PageSetup& setup)
{
    const int columns = columnsOf(setup);
    return (setup.paperWidthMm - setup.leftMm - setup.rightMm - (columns - 1) * setup.columnSpaceMm)
        / columns;
}

// Whether a band of this height, after others in its column, still fits above the bottom.
bool fits(const PageSetup& setup, double y, double height)
{
    return y + height <= setup.paperHeightMm - setup.bottomMm + kFitToleranceMm;
}

} // namespace

double ReportPages::leftMm(qsizetype band) const
{
    const auto column = int(band % bandsPerPage() / qsizetype(topsMm.size()));
    return page.leftMm + column * (columnWidthMm + page.columnSpaceMm);
}

double ReportPages::topMm(qsizetype band) const
{
    return topsMm[std::size_t(band % qsizetype(topsMm.size()))];
}

ReportPages ReportEngine::paginate(SlipReport& report)
{
    report.startRun();
    report.BeforePrint();
    ReportPages pages;
    pages.page = report.page();
    pages.columns = columnsOf(pages.page);
    pages.columnWidthMm = columnWidthOf(pages.page);
    pages.bandCount = std::max<qsizetype>(0, report.bandCount());
    // The tops as a run adds them up, so that both place every band alike.
    const double height = report.band().heightMm();
    double y = pages.page.topMm;
    do {
        pages.topsMm.push_back(y);
        y += height;
    } while (fits(pages.page, y, height));
    pages.pageCount = int((pages.bandCount + pages.bandsPerPage() - 1) / pages.bandsPerPage());
    return pages;
}

void ReportEngine::paintPage(
    SlipReport& report, const ReportPages& pages, int page, QPainter& painter, double dotsPerInch)
{
    report.startRun();
    report.BeforePrint();
    const qsizetype first = pages.firstBand(page);
    const qsizetype end = std::min(pages.bandCount, first + pages.bandsPerPage());
    report.seekBand(first);
    for (qsizetype band = first; band < end; ++band) {
        bool more = band == 0;
        report.NeedData(more);
        if (!more) break;
        paintBand(painter, report.band(), pages.leftMm(band), pages.topMm(band), dotsPerInch);
    }
}

QImage ReportEngine::renderPage(
    SlipReport& report, const ReportPages& pages, int page, double dotsPerInch)
{
    QImage image(qRound(pages.page.paperWidthMm * dotsPerInch / 25.4),
        qRound(pages.page.paperHeightMm * dotsPerInch / 25.4), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(report, pages, page, painter, dotsPerInch);
    return image;
}

int ReportEngine::run(SlipReport& report, const BandSink& sink)
{
    report.startRun();
    report.BeforePrint();
    // Margins and columns are read once the handlers had their say, before the first band.
    const PageSetup setup = report.page();
    const int columns = columnsOf(setup);
    const double columnWidth = columnWidthOf(setup);

    int page = 0, column = 0, bandsInColumn = 0, pageCount = 0;
    double y = setup.topMm;
    bool more = true;
    for (;;) {
        report.NeedData(more);
        if (!more) break;
        more = false;
        const double height = report.band().heightMm();
        // A band taller than the room left moves on, unless it is alone in its column: then it
        // is printed where it stands, as no column could hold it.
        if (bandsInColumn > 0 && !fits(setup, y, height)) {
            y = setup.topMm;
            bandsInColumn = 0;
            if (++column >= columns) {
                column = 0;
                ++page;
            }
        }
        const double x = setup.leftMm + column * (columnWidth + setup.columnSpaceMm);
        const bool goOn = sink(page, column, x, y, report.band());
        pageCount = page + 1;
        if (!goOn) break;
        y += height;
        ++bandsInColumn;
    }
    return pageCount;
}

ReportLayout ReportEngine::layout(SlipReport& report)
{
    ReportLayout result;
    result.pageCount = run(
        report, [&](int page, int column, double leftMm, double topMm, const ReportBand& band) {
            result.bands.push_back(PlacedBand { page, column, leftMm, topMm, band });
            return true;
        });
    result.page = report.page();
    return result;
}

void ReportEngine::paintBand(
    QPainter& painter, const ReportBand& band, double leftMm, double topMm, double dotsPerInch)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.translate(leftMm * dotsPerInch / 25.4, topMm * dotsPerInch / 25.4);
    painter.scale(dotsPerInch / 96.0, dotsPerInch / 96.0);
    painter.fillRect(QRect(0, 0, band.width(), band.height()), Qt::white);

    for (const ReportShape& shape : band.shapes()) {
        if (shape.fill.alpha() > 0) painter.fillRect(shape.rect, shape.fill);
        if (shape.pen == PenStyle::Clear || shape.penWidth <= 0) continue;
        QPen pen(shape.penColor, shape.penWidth,
            shape.pen == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine, Qt::SquareCap,
            Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        // The outline lies inside the shape's box, as the box is what the slip measures.
        const double half = shape.penWidth / 2.0;
        painter.drawRect(QRectF(shape.rect).adjusted(half, half, -half, -half));
    }

    for (const ReportLabel& label : band.labels()) {
        painter.fillRect(label.rect, label.background);
        if (label.caption.isEmpty()) continue;
        QFont font(label.fontName);
        font.setPixelSize(std::max(1, qRound(label.pointSize * 96.0 / 72.0)));
        font.setBold(label.bold);
        painter.setFont(font);
        painter.setPen(label.color);
        painter.drawText(
            label.rect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, label.caption);
    }
    painter.restore();
}

QImage ReportEngine::renderPage(const ReportLayout& layout, int page, double dotsPerInch)
{
    const QSize size(qRound(layout.page.paperWidthMm * dotsPerInch / 25.4),
        qRound(layout.page.paperHeightMm * dotsPerInch / 25.4));
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    for (const PlacedBand* placed : layout.bandsOn(page))
        paintBand(painter, placed->band, placed->leftMm, placed->topMm, dotsPerInch);
    return image;
}

bool ReportEngine::paint(
    SlipReport& report, QPagedPaintDevice& device, QString* error, const PagePulse& pulse)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error) *error = QStringLiteral("Não foi possível iniciar a impressão.");
        return false;
    }
    const double dotsPerInch = device.logicalDpiX();
    // Only a pulse needs the page count, which a run of a report finds out at its end.
    const int pageCount = pulse ? paginate(report).pageCount : 0;
    int currentPage = 0;
    bool pageFailed = false, stopped = false;
    run(report, [&](int page, int, double leftMm, double topMm, const ReportBand& band) {
        while (currentPage < page && !pageFailed && !stopped) {
            stopped = pulse && !pulse(currentPage + 1, pageCount);
            if (!stopped) pageFailed = !device.newPage();
            ++currentPage;
        }
        if (pageFailed || stopped) return false;
        paintBand(painter, band, leftMm, topMm, dotsPerInch);
        return true;
    });
    if (!stopped && pulse) pulse(currentPage + 1, pageCount); // the last page, for the bar only
    const bool ended = painter.end();
    if (stopped) {
        if (error) error->clear();
        return false;
    }
    if (pageFailed || !ended) {
        if (error) *error = QStringLiteral("A impressão não pôde ser concluída.");
        return false;
    }
    return true;
}

bool ReportEngine::print(
    SlipReport& report, QPrinter& printer, QString* error, const PagePulse& pulse)
{
    printer.setFullPage(true);
    bool stopped = false;
    const bool painted = paint(report, printer, nullptr, [&](int done, int count) {
        stopped = pulse && !pulse(done, count);
        return !stopped;
    });
    if (stopped) {
        printer.abort();
        if (error) error->clear();
        return false;
    }
    if (painted && printer.printerState() != QPrinter::Error) return true;
    if (error) {
        // Without a printer Qt falls back to a PDF printer with no file to write.
        const bool noPrinter
            = printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty();
        if (noPrinter)
            *error = QStringLiteral("Não foi possível imprimir: nenhuma impressora instalada.");
        else if (printer.outputFormat() == QPrinter::PdfFormat)
            *error = QStringLiteral("Não foi possível gravar o arquivo %1.")
                         .arg(printer.outputFileName());
        else
            *error = QStringLiteral("Não foi possível imprimir na impressora %1.")
                         .arg(printer.printerName());
    }
    return false;
}

bool ReportEngine::writePdf(
    SlipReport& report, const QString& fileName, QString* error, const PagePulse& pulse)
{
    QString failure = QStringLiteral("?");
    bool painted = false;
    {
        QPdfWriter writer(fileName);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("QUIRVA"));
        const PageSetup& setup = report.page();
        writer.setPageLayout(QPageLayout(
            QPageSize(QSizeF(setup.paperWidthMm, setup.paperHeightMm), QPageSize::Millimeter),
            QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        painted = paint(report, writer, &failure, pulse);
    }
    if (painted) return true;
    if (failure.isEmpty()) {
        // Stopped: no half-written file is left behind.
        QFile::remove(fileName);
        if (error) error->clear();
    } else if (error) {
        *error = QStringLiteral("Não foi possível gravar o arquivo %1.").arg(fileName);
    }
    return false;
}
