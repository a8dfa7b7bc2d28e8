#pragma once

#include "slips/report_band.h"
#include "slips/slip_report.h"

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

// One band as placed on a page: where it went (mm from the paper's top-left corner) and a copy
// of what it carried when it was printed.
struct PlacedBand {
    int page = 0;
    int column = 0;
    double leftMm = 0;
    double topMm = 0;
    ReportBand band;
};

// A whole run laid out: the page set-up in force (after BeforePrint) and every band placed.
struct ReportLayout {
    PageSetup page;
    int pageCount = 0;
    std::vector<PlacedBand> bands;
    std::vector<const PlacedBand*> bandsOn(int page) const;
};

// Where the bands of a run go, worked out from the page set-up, the band's height and the band
// count alone (a run keeps one band height), exactly as a run places them.
struct ReportPages {
    PageSetup page;
    qsizetype bandCount = 0;
    int pageCount = 0;
    int columns = 1;
    double columnWidthMm = 0;
    std::vector<double> topsMm; // of the bands of one column, from its top down

    qsizetype bandsPerPage() const { return qsizetype(columns) * qsizetype(topsMm.size()); }
    qsizetype firstBand(int page) const { return qsizetype(page) * bandsPerPage(); }
    int pageOf(qsizetype band) const { return int(band / bandsPerPage()); }
    double leftMm(qsizetype band) const;
    double topMm(qsizetype band) const;
};

// Runs a SlipReport (BeforePrint, then NeedData before every band), places its bands down the
// columns and pages, and paints them onto a printer, a PDF or an image.
class ReportEngine
{
public:
    // Where the next band goes; `band` is the live band, valid only during the call. False
    // ends the run there.
    using BandSink = std::function<bool(
        int page, int column, double leftMm, double topMm, const ReportBand& band)>;

    // One run of the report; returns the number of pages (0 when no band printed).
    static int run(SlipReport& report, const BandSink& sink);
    // One run, with a copy of every band kept (for checking a layout band by band).
    static ReportLayout layout(SlipReport& report);

    // Paints a band whose top-left corner lies at (leftMm, topMm) from the paper's corner, on a
    // painter whose device has `dotsPerInch` and whose origin is the paper's corner.
    static void paintBand(
        QPainter& painter, const ReportBand& band, double leftMm, double topMm, double dotsPerInch);
    // One laid-out page as an image; at 96 dots per inch one layout unit is one pixel.
    static QImage renderPage(const ReportLayout& layout, int page, double dotsPerInch = 96.0);

    // Starts a run (BeforePrint) and works out where its bands go.
    static ReportPages paginate(SlipReport& report);
    // One page painted alone: a run started anew, moved to the page's first band, and its
    // bands painted; the pages before it cost nothing.
    static void paintPage(SlipReport& report, const ReportPages& pages, int page, QPainter& painter,
        double dotsPerInch);
    static QImage renderPage(
        SlipReport& report, const ReportPages& pages, int page, double dotsPerInch = 96.0);

    // Called after each page a print or PDF has sent, with the pages sent and in all; false
    // stops the run (the printer's job is then abandoned, a PDF file removed).
    using PagePulse = std::function<bool(int pagesDone, int pageCount)>;

    // A run straight onto a paged device whose painter origin is the paper's corner.
    // False with a message when the device cannot be painted on.
    // Stopped by the pulse it returns false and leaves `error` empty.
    static bool paint(SlipReport& report, QPagedPaintDevice& device, QString* error = nullptr,
        const PagePulse& pulse = {});
    // A run to a printer (margins measured from the paper's edge).
    static bool print(SlipReport& report, QPrinter& printer, QString* error = nullptr,
        const PagePulse& pulse = {});
    // A run to a PDF file of A4 pages.
    static bool writePdf(SlipReport& report, const QString& fileName, QString* error = nullptr,
        const PagePulse& pulse = {});
};
