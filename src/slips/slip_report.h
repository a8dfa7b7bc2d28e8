#pragma once

#include "slips/report_band.h"

#include <QString>
#include <optional>

// A banded report as the slips describe it: a page set-up, one detail band, and the two
// handlers the engine calls. A slip derives from it, builds its band in the constructor and
// answers BeforePrint (once per run) and NeedData (before every band).
class SlipReport
{
public:
    SlipReport(const QString& name, int bandWidth, int bandHeight);
    virtual ~SlipReport() = default;
    SlipReport(const SlipReport&) = delete;
    SlipReport& operator=(const SlipReport&) = delete;

    // The report component's name ("RelMegasena"); also names the PDF offered on saving.
    QString name() const { return name_; }

    PageSetup& page() { return page_; }
    const PageSetup& page() const { return page_; }
    ReportBand& band() { return band_; } // DetailBand1
    const ReportBand& band() const { return band_; }

    // Called once at the start of every run, after the design layout is put back.
    virtual void BeforePrint() = 0;
    // Called before each band. `more` arrives true on the first call of a run and false on
    // every later one; leaving it true prints the band and asks again.
    virtual void NeedData(bool& more) = 0;
    // How many bands the run begun by BeforePrint prints, and where it goes on from: after
    // seekBand(i) the next NeedData fills band i. With these the preview paints any page alone,
    // so a closing of a million lines costs no more than one of ten.
    virtual qsizetype bandCount() const = 0;
    virtual void seekBand(qsizetype index) = 0;

    // The engine calls this at the start of a run, so changes made by an earlier run's
    // BeforePrint or NeedData do not leak into the next (the preview and each print).
    void startRun();

protected:
    // The dotted slip outline at 0,0 (its pen is cleared on official slips).
    ReportShape& addOutline(int width, int height);
    ReportShape* outline() { return outline_; }
    // The set-up every official slip shares: outline off, one column, left and top margins
    // from the calibration, a band tall enough that each slip takes a page of its own.
    void setUpOfficialSlip(int leftMarginMm, int topMarginMm);

private:
    QString name_;
    PageSetup page_;
    ReportBand band_;
    ReportShape* outline_ = nullptr;
    std::optional<PageSetup> designPage_;
    std::optional<ReportBand> designBand_;
};
