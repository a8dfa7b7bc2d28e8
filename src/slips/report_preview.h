#pragma once

#include <functional>

class QWidget;
class SlipReport;

// The modal preview of a slip report (pages, zoom, printer set-up, print, save as PDF). Every
// print re-runs the report from BeforePrint. Tests replace the dialog by a handler that runs
// the report without showing anything.
namespace ReportPreview {
void exec(QWidget* parent, SlipReport& report);
// Asks for a file name ("Quirva_<report>.pdf" proposed) and writes a fresh run there.
void savePdf(QWidget* parent, SlipReport& report);

using Handler = std::function<void(QWidget* parent, SlipReport& report)>;
// An empty handler puts the real dialog back.
void setHandler(Handler handler);
} // namespace ReportPreview
