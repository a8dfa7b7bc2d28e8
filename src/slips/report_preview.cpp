#include "slips/report_preview.h"

#include "app/dialogs.h"
#include "slips/report_engine.h"

#include <QAction>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace {

ReportPreview::Handler& installedHandler()
{
    static ReportPreview::Handler handler;
    return handler;
}

void showDialog(QWidget* parent, SlipReport& report)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setPaperSource(QPrinter::Auto);

    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Visualizar Impressão"));
    // The preview and every print ask for the pages again, so each is a fresh run of the
    // report from BeforePrint.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        QString error;
        if (!ReportEngine::print(report, *target, &error)) Dialogs::information(&dialog, error);
    });
    if (auto* toolBar = dialog.findChild<QToolBar*>()) {
        toolBar->addSeparator();
        QAction* savePdf = toolBar->addAction(QStringLiteral("Salvar PDF"));
        savePdf->setObjectName(QStringLiteral("SavePdfAction"));
        savePdf->setToolTip(QStringLiteral("Salvar os bilhetes em um arquivo PDF"));
        QObject::connect(savePdf, &QAction::triggered, &dialog,
            [&] { ReportPreview::savePdf(&dialog, report); });
    }
    dialog.exec();
}

} // namespace

void ReportPreview::savePdf(QWidget* parent, SlipReport& report)
{
    const QString fileName = Dialogs::saveFileName(
        parent, QStringLiteral("Quirva_%1.pdf").arg(report.name()), QStringLiteral("PDF (*.pdf)"));
    if (fileName.isEmpty()) return;
    QString error;
    if (!ReportEngine::writePdf(report, fileName, &error)) Dialogs::information(parent, error);
}

void ReportPreview::exec(QWidget* parent, SlipReport& report)
{
    if (installedHandler())
        installedHandler()(parent, report);
    else
        showDialog(parent, report);
}

void ReportPreview::setHandler(Handler handler)
{
    installedHandler() = std::move(handler);
}
