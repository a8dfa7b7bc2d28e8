#include "slips/report_preview.h"

#include "slips/page_view.h"
#include "slips/report_engine.h"
#include "ui/dialogs.h"
#include "ui/event_pump.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

ReportPreview::Handler& installedHandler()
{
    static ReportPreview::Handler handler;
    return handler;
}

// Runs a print or PDF run with a progress window whose "Parar" stops it between two pages;
// the window keeps answering meanwhile. False when stopped.
bool withProgress(QWidget* parent, const QString& label,
    const std::function<bool(const ReportEngine::PagePulse&)>& job, bool& stopped)
{
    QProgressDialog progress(label, QStringLiteral("Parar"), 0, 1, parent);
    progress.setWindowTitle(QStringLiteral("QUIRVA"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setAutoReset(false);
    progress.setValue(0);
    EventPump pump;
    stopped = false;
    const bool done = job([&](int pagesDone, int pageCount) {
        progress.setMaximum(std::max(pageCount, 1));
        progress.setValue(std::min(pagesDone, std::max(pageCount, 1)));
        pump.maybePump();
        stopped = progress.wasCanceled();
        return !stopped;
    });
    return done;
}

// The preview: the report's pages, painted as they come into sight, with page navigation,
// zoom, printing (with the printer's own set-up dialog) and saving as PDF.
class PreviewDialog : public QDialog
{
public:
    PreviewDialog(QWidget* parent, SlipReport& report)
        : QDialog(parent)
        , report_(report)
    {
        setObjectName(QStringLiteral("ReportPreview"));
        setWindowTitle(QStringLiteral("Visualizar Impressão"));
        printer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
            QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        printer_.setFullPage(true);
        printer_.setCopyCount(1);
        printer_.setDuplex(QPrinter::DuplexNone);
        printer_.setPaperSource(QPrinter::Auto);

        pages_ = ReportEngine::paginate(report);
        view_ = new PageView;
        view_->setObjectName(QStringLiteral("PreviewPages"));
        view_->setPages(pages_.pageCount,
            QSizeF(pages_.page.paperWidthMm, pages_.page.paperHeightMm),
            [this](int page, double dotsPerInch) {
                return ReportEngine::renderPage(report_, pages_, page, dotsPerInch);
            });

        auto* toolBar = new QToolBar;
        auto action = [&](const QString& text, const QString& name, auto&& slot) {
            QAction* a = toolBar->addAction(text);
            a->setObjectName(name);
            connect(a, &QAction::triggered, this, slot);
            return a;
        };
        action(QStringLiteral("Primeira"), QStringLiteral("FirstPageAction"),
            [this] { view_->showPage(0); });
        action(QStringLiteral("Anterior"), QStringLiteral("PreviousPageAction"),
            [this] { view_->showPage(view_->currentPage() - 1); });
        pageField_ = new QSpinBox;
        pageField_->setObjectName(QStringLiteral("PageField"));
        pageField_->setRange(1, std::max(1, pages_.pageCount));
        toolBar->addWidget(pageField_);
        toolBar->addWidget(
            new QLabel(QStringLiteral(" de %1 ").arg(std::max(1, pages_.pageCount))));
        action(QStringLiteral("Próxima"), QStringLiteral("NextPageAction"),
            [this] { view_->showPage(view_->currentPage() + 1); });
        action(QStringLiteral("Última"), QStringLiteral("LastPageAction"),
            [this] { view_->showPage(pages_.pageCount - 1); });
        toolBar->addSeparator();
        action(QStringLiteral("Diminuir"), QStringLiteral("ZoomOutAction"),
            [this] { view_->setZoom(view_->zoom() / 1.25); });
        action(QStringLiteral("Aumentar"), QStringLiteral("ZoomInAction"),
            [this] { view_->setZoom(view_->zoom() * 1.25); });
        action(QStringLiteral("Ajustar à largura"), QStringLiteral("FitWidthAction"),
            [this] { view_->fitWidth(); });
        toolBar->addSeparator();
        action(QStringLiteral("Imprimir..."), QStringLiteral("PrintAction"), [this] { print(); });
        QAction* savePdf = action(QStringLiteral("Salvar PDF"), QStringLiteral("SavePdfAction"),
            [this] { ReportPreview::savePdf(this, report_); });
        savePdf->setToolTip(QStringLiteral("Salvar os bilhetes em um arquivo PDF"));
        action(QStringLiteral("Fechar"), QStringLiteral("CloseAction"), [this] { accept(); });

        connect(pageField_, &QSpinBox::valueChanged, this, [this](int page) {
            if (page - 1 != view_->currentPage()) view_->showPage(page - 1);
        });
        connect(view_, &PageView::currentPageChanged, this, [this](int page) {
            const QSignalBlocker quiet(pageField_);
            pageField_->setValue(page + 1);
        });

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(toolBar);
        layout->addWidget(view_, 1);
        resize(900, 700);
    }

private:
    void print()
    {
        QPrintDialog dialog(&printer_, this);
        dialog.setWindowTitle(QStringLiteral("Imprimir"));
        if (dialog.exec() != QDialog::Accepted) return;
        QString error;
        bool stopped = false;
        const bool printed = withProgress(
            this, QStringLiteral("Imprimindo os bilhetes..."),
            [&](const ReportEngine::PagePulse& pulse) {
                return ReportEngine::print(report_, printer_, &error, pulse);
            },
            stopped);
        if (stopped)
            Dialogs::information(this, QStringLiteral("A impressão foi interrompida."));
        else if (!printed)
            Dialogs::information(this, error);
    }

    SlipReport& report_;
    QPrinter printer_ { QPrinter::HighResolution };
    ReportPages pages_;
    PageView* view_ = nullptr;
    QSpinBox* pageField_ = nullptr;
};

} // namespace

void ReportPreview::savePdf(QWidget* parent, SlipReport& report)
{
    const QString fileName = Dialogs::saveFileName(
        parent, QStringLiteral("Quirva_%1.pdf").arg(report.name()), QStringLiteral("PDF (*.pdf)"));
    if (fileName.isEmpty()) return;
    QString error;
    bool stopped = false;
    const bool written = withProgress(
        parent, QStringLiteral("Gravando o arquivo %1...").arg(fileName),
        [&](const ReportEngine::PagePulse& pulse) {
            return ReportEngine::writePdf(report, fileName, &error, pulse);
        },
        stopped);
    if (stopped)
        Dialogs::information(parent,
            QStringLiteral("A gravação do arquivo %1 foi interrompida; o arquivo não foi gravado.")
                .arg(fileName));
    else if (!written)
        Dialogs::information(parent, error);
}

void ReportPreview::exec(QWidget* parent, SlipReport& report)
{
    if (installedHandler()) {
        installedHandler()(parent, report);
        return;
    }
    PreviewDialog dialog(parent, report);
    dialog.exec();
}

void ReportPreview::setHandler(Handler handler)
{
    installedHandler() = std::move(handler);
}
